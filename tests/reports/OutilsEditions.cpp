#include "OutilsEditions.h"

#include "BaseDeTest.h"
#include "db/Base.h"

#include <QProcess>
#include <QStringList>

namespace tarvo::test {

void ajouterExpeditionTest(BaseDeTest& base, const QString& script) {
    db::Base(base.ctx->cnx.get())
        .executerScript(db::TexteSql{
            QStringLiteral("INSERT INTO [Expédition] ([No Expédition], [Libellé 1], [Libellé 2], "
                           "[Date création]) VALUES (900, 'Essai', 'Sans lieu', "
                           "'2012-04-18 10:00:00');"
                           "INSERT INTO [Liste commandes] ([No Expédition], [No commande SAGE], "
                           "[Référence SAGE]) VALUES (900, 'BT001', 'REF ESSAI');") +
            script});
}

QString textePdf(const QString& fichier) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), fichier, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

bool dansLOrdre(const QString& texte, const QStringList& morceaux) {
    qsizetype position = 0;
    for (const QString& m : morceaux) {
        position = texte.indexOf(m, position);
        if (position < 0) {
            qWarning("Introuvable à sa place : %s", qPrintable(m));
            return false;
        }
        position += m.size();
    }
    return true;
}

} // namespace tarvo::test
