#include "BaseDeTest.h"
#include "app/Ini.h"

#include <QTest>

using namespace tarvo;
using namespace tarvo::test;

class TestApp : public QObject {
    Q_OBJECT
private slots:
    void lireIniValeurSimple() {
        BaseDeTest t;
        QCOMPARE(LireIni(*t.ctx, QStringLiteral("DBNAME"), QStringLiteral("[DB]")),
                 QStringLiteral("tarvo.db"));
    }
};

QTEST_GUILESS_MAIN(TestApp)
#include "test_app.moc"
