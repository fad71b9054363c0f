// tarvoctl's label commands, run as a person or a script would run them.
#include "BaseDeTest.h"
#include "Tarvoctl.h"
#include "app/Connexion.h"

#include <QDir>
#include <QImage>
#include <QTest>

using namespace tarvo;
using namespace tarvo::test;

namespace {

using Resultat = ResultatTarvoctl;

} // namespace

class TestEtiquettesCtl : public QObject {
    Q_OBJECT

    Resultat lancer(const QStringList& arguments) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TARVO_SPOOL_DIR"), spool_.path());
        return lancerTarvoctl(QStringList{QStringLiteral("--dir"), base_->dossier.path(),
                                          QStringLiteral("--ignorer-version")} +
                                  arguments,
                              env);
    }
    QStringList travaux(const QString& imprimante) const {
        return QDir(QDir(spool_.path()).filePath(imprimante)).entryList(QDir::Files, QDir::Name);
    }

private slots:
    void initTestCase() {
        base_ = std::make_unique<BaseDeTest>();
        base_->creerBase(true);
        base_->ctx->cnx.reset();
        QDir(spool_.path()).mkpath(QStringLiteral("ZEBRA-ART"));
        QDir(spool_.path()).mkpath(QStringLiteral("ZEBRA-EXP"));
    }

    void etiquettesColis() {
        // Shipment 102 of the demonstration expects 3 parcels.
        Resultat r = lancer({QStringLiteral("etiquettes-colis"), QStringLiteral("102"),
                             QStringLiteral("1"), QStringLiteral("3")});
        QCOMPARE(r.statut, 0);
        QCOMPARE(travaux(QStringLiteral("ZEBRA-EXP")).size(), 3);

        r = lancer({QStringLiteral("etiquettes-colis"), QStringLiteral("102"), QStringLiteral("2"),
                    QStringLiteral("4")});
        QCOMPARE(r.statut, 1);
        QVERIFY(r.erreurs.contains(u"Valeur incorrecte\nN° de colis incorrect"));
        QCOMPARE(travaux(QStringLiteral("ZEBRA-EXP")).size(), 3);

        r = lancer(
            {QStringLiteral("etiquettes-colis"), QStringLiteral("102"), QStringLiteral("un")});
        QCOMPARE(r.statut, 2);

        const QString png = QDir(spool_.path()).filePath(QStringLiteral("colis.png"));
        r = lancer({QStringLiteral("etiquettes-colis"), QStringLiteral("102"), QStringLiteral("2"),
                    QStringLiteral("3"), QStringLiteral("--apercu"), png});
        QCOMPARE(r.statut, 0);
        QCOMPARE(travaux(QStringLiteral("ZEBRA-EXP")).size(), 3);
        for (const char* nom : {"colis-002.png", "colis-003.png"}) {
            const QImage image(QDir(spool_.path()).filePath(QString::fromLatin1(nom)));
            QVERIFY2(image.width() >= 570 && image.height() >= 610, nom);
        }
    }

    void etiquetteArticle() {
        const QString code = QStringLiteral("3760987650014");
        Resultat r = lancer({QStringLiteral("etiquette-article"), code, QStringLiteral("51")});
        QCOMPARE(r.statut, 1);
        QVERIFY(r.erreurs.contains(u"Voulez-vous imprimer 51 etiquettes ?"));
        QVERIFY(travaux(QStringLiteral("ZEBRA-ART")).isEmpty());

        r = lancer({QStringLiteral("--oui"), QStringLiteral("etiquette-article"), code,
                    QStringLiteral("51")});
        QCOMPARE(r.statut, 0);
        QCOMPARE(travaux(QStringLiteral("ZEBRA-ART")).size(), 1);

        r = lancer({QStringLiteral("etiquette-article"), QStringLiteral("0000000000000"),
                    QStringLiteral("1")});
        QCOMPARE(r.statut, 1);
        QVERIFY(r.erreurs.contains(u"Aucun article n'a le code barre 0000000000000."));

        const QString png = QDir(spool_.path()).filePath(QStringLiteral("article.png"));
        r = lancer({QStringLiteral("etiquette-article"), code, QStringLiteral("2"),
                    QStringLiteral("--apercu"), png});
        QCOMPARE(r.statut, 0);
        QCOMPARE(QImage(png).width(), 10 + 95 * 3 + 10);
        QCOMPARE(travaux(QStringLiteral("ZEBRA-ART")).size(), 1);
    }

private:
    std::unique_ptr<BaseDeTest> base_;
    QTemporaryDir spool_;
};

QTEST_GUILESS_MAIN(TestEtiquettesCtl)
#include "test_etiquettes_ctl.moc"
