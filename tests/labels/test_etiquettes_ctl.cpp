// tarvoctl's label commands, run as a person or a script would run them.
#include "BaseDeTest.h"
#include "DisquePlein.h"
#include "Tarvoctl.h"
#include "db/Connexion.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace tarvo;
using namespace tarvo::test;

namespace {

using Resultat = ResultatTarvoctl;

// The picture a refused command must not write, in the spool folder.
const QString Png = u"refus.png"_s;

} // namespace

class TestEtiquettesCtl : public QObject {
    Q_OBJECT

    QStringList avecBase(const QStringList& arguments) const {
        return QStringList{u"--dir"_s, base_->dossier.path(), u"--ignorer-version"_s} + arguments;
    }
    QProcessEnvironment environnement() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"TARVO_SPOOL_DIR"_s, spool_.path());
        return env;
    }
    Resultat lancer(const QStringList& arguments) {
        return lancerTarvoctl(avecBase(arguments), environnement());
    }
    // The same with standard output going to /dev/full, where every write
    // fails.
    Resultat lancerSansSortie(const QStringList& arguments) {
        QProcess p;
        p.setProcessEnvironment(environnement());
        p.setStandardInputFile(QProcess::nullDevice());
        p.setStandardOutputFile(u"/dev/full"_s);
        p.start(QStringLiteral(TARVOCTL), avecBase(arguments));
        if (!p.waitForFinished(60000))
            return {};
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString(),
                QString::fromUtf8(p.readAllStandardError())};
    }
    QStringList travaux(const QString& imprimante) const {
        return QDir(QDir(spool_.path()).filePath(imprimante)).entryList(QDir::Files, QDir::Name);
    }

private slots:
    void initTestCase() {
        base_ = std::make_unique<BaseDeTest>();
        base_->creerBase(true);
        base_->ctx->cnx.reset();
        QDir(spool_.path()).mkpath(u"ZEBRA-ART"_s);
        QDir(spool_.path()).mkpath(u"ZEBRA-EXP"_s);
    }

    void etiquettesColis() {
        // Shipment 102 of the demonstration expects 3 parcels.
        Resultat r = lancer({u"etiquettes-colis"_s, u"102"_s, u"1"_s, u"3"_s});
        QCOMPARE(r.statut, 0);
        QCOMPARE(travaux(u"ZEBRA-EXP"_s).size(), 3);

        r = lancer({u"etiquettes-colis"_s, u"102"_s, u"2"_s, u"4"_s});
        QCOMPARE(r.statut, 1);
        QVERIFY(r.erreurs.contains(u"Valeur incorrecte\nN° de colis incorrect"));
        QCOMPARE(travaux(u"ZEBRA-EXP"_s).size(), 3);

        r = lancer({u"etiquettes-colis"_s, u"102"_s, u"un"_s});
        QCOMPARE(r.statut, 2);

        const QString png = QDir(spool_.path()).filePath(u"colis.png"_s);
        r = lancer({u"etiquettes-colis"_s, u"102"_s, u"2"_s, u"3"_s, u"--apercu"_s, png});
        QCOMPARE(r.statut, 0);
        QCOMPARE(travaux(u"ZEBRA-EXP"_s).size(), 3);
        // The test margin of 10 puts the frame 20 dots left of the label.
        QCOMPARE(
            r.erreurs.count(u"L'étiquette sera coupée : elle déborde à gauche de 20 point(s)."), 2);
        const QDir spool(spool_.path());
        QCOMPARE(r.sortie, spool.filePath(u"colis-002.png"_s) + u'\n' +
                               spool.filePath(u"colis-003.png"_s) + u'\n');
        for (const char* nom : {"colis-002.png", "colis-003.png"}) {
            const QImage image(spool.filePath(QString::fromLatin1(nom)));
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
        const QString code = u"3760987650014"_s;
        const QString apercu = u"--apercu"_s;
        const auto margeRefusee = [](const QString& cle, const QString& valeur) {
            return u"(clé %1 de la section [ZEBRA]) doit être un nombre entier de "
                   "points : « %2 » ne convient pas."_s.arg(cle, valeur);
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
        const QString sansColis = u"Nombre de colis théorique incorrect\nVous devez "
                                  "définir un nombre de colis théorique différent "
                                  "de zéro.\n"_s;
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
        const qsizetype avant = travaux(u"ZEBRA-ART"_s).size() + travaux(u"ZEBRA-EXP"_s).size();
        for (QString& a : arguments)
            a.replace(Png, QDir(spool_.path()).filePath(Png));
        const Resultat r = lancer(arguments);
        QCOMPARE(r.statut, 1);
        QVERIFY2(r.erreurs.contains(boite), qPrintable(r.erreurs));
        QVERIFY(!r.erreurs.contains(u"termin"));
        QVERIFY(!r.erreurs.contains(u"Valeur incorrecte"));
        QCOMPARE(r.sortie, QString());
        QCOMPARE(travaux(u"ZEBRA-ART"_s).size() + travaux(u"ZEBRA-EXP"_s).size(), avant);
        QVERIFY(!QFile::exists(QDir(spool_.path()).filePath(Png)));
    }
    void cleanup() { base_->ecrireIni(iniParDefaut(base_->dossier.path())); }

    // A full disk leaves the previous picture in place and no half-written
    // file beside it.
    void apercuSurDisquePlein_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("article") << QStringList{u"etiquette-article"_s, u"3760987650014"_s, u"1"_s};
        QTest::newRow("colis") << QStringList{u"etiquettes-colis"_s, u"102"_s, u"2"_s, u"2"_s};
    }
    void apercuSurDisquePlein() {
        QFETCH(QStringList, arguments);
        const QTemporaryDir dossier;
        const DisquePlein disque(dossier.path());
        if (!disque.erreur().isEmpty())
            QSKIP(qPrintable(u"Pas de disque plein pour ce test : "_s + disque.erreur()));
        const QString png = QDir(dossier.path()).filePath(u"apercu.png"_s);
        const QByteArray precedent("le dessin precedent");
        QFile f(png);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(precedent) == precedent.size());
        f.close();
        disque.remplir();

        const Resultat r = lancer(arguments << u"--apercu"_s << png);
        QCOMPARE(r.statut, 1);
        QVERIFY2(r.erreurs.contains(u"Écriture de l'aperçu impossible : "_s + png),
                 qPrintable(r.erreurs));
        QCOMPARE(r.sortie, QString());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), precedent);
        QCOMPARE(QDir(dossier.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 (QStringList{u"apercu.png"_s, u"remplissage"_s}));
    }

    // What the preview commands print on standard output is their answer: a
    // lost answer is a failure.
    void sortieStandardPleine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("article") << QStringList{u"etiquette-article"_s, u"3760987650014"_s, u"1"_s};
        QTest::newRow("colis") << QStringList{u"etiquettes-colis"_s, u"102"_s, u"1"_s, u"2"_s};
    }
    void sortieStandardPleine() {
        QFETCH(QStringList, arguments);
        const QTemporaryDir dossier;
        const Resultat r = lancerSansSortie(arguments << u"--apercu"_s
                                                      << QDir(dossier.path()).filePath(u"a.png"_s));
        QCOMPARE(r.statut, 1);
        QVERIFY2(r.erreurs.contains(u"Écriture impossible sur la sortie standard"),
                 qPrintable(r.erreurs));
    }

    // The names of the pictures are the answer of a preview: a range that
    // fails half way announces none, not even those already written.
    void apercuInterrompuNAnnonceRien() {
        const QTemporaryDir dossier;
        // A folder where the picture of parcel 3 should go cannot be replaced.
        QVERIFY(QDir(dossier.path()).mkpath(u"colis-003.png"_s));
        const Resultat r = lancer({u"etiquettes-colis"_s, u"102"_s, u"2"_s, u"3"_s, u"--apercu"_s,
                                   QDir(dossier.path()).filePath(u"colis.png"_s)});
        QCOMPARE(r.statut, 1);
        QVERIFY2(r.erreurs.contains(u"Écriture de l'aperçu impossible : "), qPrintable(r.erreurs));
        QCOMPARE(r.sortie, QString());
    }

    void etiquetteArticle() {
        const QString code = u"3760987650014"_s;
        Resultat r = lancer({u"etiquette-article"_s, code, u"51"_s});
        QCOMPARE(r.statut, 1);
        QVERIFY(r.erreurs.contains(u"Voulez-vous imprimer 51 etiquettes ?"));
        QVERIFY(travaux(u"ZEBRA-ART"_s).isEmpty());

        r = lancer({u"--oui"_s, u"etiquette-article"_s, code, u"51"_s});
        QCOMPARE(r.statut, 0);
        QCOMPARE(travaux(u"ZEBRA-ART"_s).size(), 1);

        r = lancer({u"etiquette-article"_s, u"0000000000000"_s, u"1"_s});
        QCOMPARE(r.statut, 1);
        QVERIFY(r.erreurs.contains(u"Aucun article n'a le code barre 0000000000000."));

        const QString png = QDir(spool_.path()).filePath(u"article.png"_s);
        r = lancer({u"etiquette-article"_s, code, u"2"_s, u"--apercu"_s, png});
        QCOMPARE(r.statut, 0);
        QCOMPARE(QImage(png).width(), 10 + 95 * 3 + 10);
        QCOMPARE(travaux(u"ZEBRA-ART"_s).size(), 1);
    }

private:
    std::unique_ptr<BaseDeTest> base_;
    QTemporaryDir spool_;
};

QTEST_GUILESS_MAIN(TestEtiquettesCtl)
#include "test_etiquettes_ctl.moc"
