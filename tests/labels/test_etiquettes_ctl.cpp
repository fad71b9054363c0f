// tarvoctl's label commands, run as a person or a script would run them.
#include "BaseDeTest.h"
#include "Tarvoctl.h"
#include "app/Connexion.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace tarvo;
using namespace tarvo::test;

namespace {

using Resultat = ResultatTarvoctl;

// The picture a refused command must not write, in the spool folder.
const QString Png = QStringLiteral("refus.png");

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
        // The test margin of 10 puts the frame 20 dots left of the label.
        QCOMPARE(
            r.erreurs.count(u"L'étiquette sera coupée : elle déborde à gauche de 20 point(s)."), 2);
        for (const char* nom : {"colis-002.png", "colis-003.png"}) {
            const QImage image(QDir(spool_.path()).filePath(QString::fromLatin1(nom)));
            QVERIFY2(image.width() >= 570 && image.height() >= 610, nom);
        }
    }

    // A command that refuses its input says why, sends nothing, writes no
    // picture, and says nothing of being done.
    void commandeRefuseeRienNEstEnvoye_data() {
        QTest::addColumn<QString>("cle");
        QTest::addColumn<QString>("valeur");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("boite");
        const QString code = QStringLiteral("3760987650014");
        const QString apercu = QStringLiteral("--apercu");
        const auto margeRefusee = [](const QString& cle, const QString& valeur) {
            return QStringLiteral("(clé %1 de la section [ZEBRA]) doit être un nombre entier de "
                                  "points : « %2 » ne convient pas.")
                .arg(cle, valeur);
        };
        QTest::newRow("marge article vide")
            << u"MargeGaucheArt"_s << QString() << QStringList{u"etiquette-article"_s, code, u"1"_s}
            << margeRefusee(u"MargeGaucheArt"_s, QString());
        QTest::newRow("aperçu, marge article non numérique")
            << u"MargeGaucheArt"_s << u"dix"_s
            << QStringList{u"etiquette-article"_s, code, u"1"_s, apercu, Png}
            << margeRefusee(u"MargeGaucheArt"_s, u"dix"_s);
        QTest::newRow("marge colis qui déborde")
            << u"MargeGaucheExp"_s << u"2147483647"_s
            << QStringList{u"etiquettes-colis"_s, u"102"_s, u"1"_s, u"3"_s}
            << margeRefusee(u"MargeGaucheExp"_s, u"2147483647"_s);
        // Shipment 103 of the demonstration has no theoretical parcel count.
        const QString sansColis = QStringLiteral("Nombre de colis théorique incorrect\nVous devez "
                                                 "définir un nombre de colis théorique différent "
                                                 "de zéro.\n");
        QTest::newRow("sans nombre de colis théorique")
            << u"MargeGaucheExp"_s << u"10"_s
            << QStringList{u"etiquettes-colis"_s, u"103"_s, u"1"_s, u"1"_s} << sansColis;
        QTest::newRow("aperçu sans nombre de colis théorique")
            << u"MargeGaucheExp"_s << u"10"_s
            << QStringList{u"etiquettes-colis"_s, u"103"_s, u"1"_s, u"1"_s, apercu, Png}
            << sansColis;
    }
    void commandeRefuseeRienNEstEnvoye() {
        QFETCH(QString, cle);
        QFETCH(QString, valeur);
        QFETCH(QStringList, arguments);
        QFETCH(QString, boite);
        base_->ecrireIni(iniParDefaut(base_->dossier.path())
                             .replace((cle + u"=10"_s).toUtf8(), (cle + u'=' + valeur).toUtf8()));
        const qsizetype avant = travaux(QStringLiteral("ZEBRA-ART")).size() +
                                travaux(QStringLiteral("ZEBRA-EXP")).size();
        for (QString& a : arguments)
            a.replace(Png, QDir(spool_.path()).filePath(Png));
        const Resultat r = lancer(arguments);
        QCOMPARE(r.statut, 1);
        QVERIFY2(r.erreurs.contains(boite), qPrintable(r.erreurs));
        QVERIFY(!r.erreurs.contains(u"termin"));
        QVERIFY(!r.erreurs.contains(u"Valeur incorrecte"));
        QCOMPARE(r.sortie, QString());
        QCOMPARE(travaux(QStringLiteral("ZEBRA-ART")).size() +
                     travaux(QStringLiteral("ZEBRA-EXP")).size(),
                 avant);
        QVERIFY(!QFile::exists(QDir(spool_.path()).filePath(Png)));
    }
    void cleanup() { base_->ecrireIni(iniParDefaut(base_->dossier.path())); }

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
