#include "BaseDeTest.h"
#include "Tarvoctl.h"
#include "app/Version.h"

#include <QProcess>
#include <QTest>

using namespace tarvo;
using namespace tarvo::test;

namespace {

using Resultat = ResultatTarvoctl;

Resultat tarvoctl(const QStringList& arguments) {
    return lancerTarvoctl(arguments);
}

} // namespace

class TestTarvoctl : public QObject {
    Q_OBJECT
private slots:
    void versionEtUsage() {
        const Resultat v = tarvoctl({QStringLiteral("--version")});
        QCOMPARE(v.statut, 0);
        QCOMPARE(v.sortie, VersionCourante() + u'\n');
        QCOMPARE(tarvoctl({}).statut, 2);
        QCOMPARE(tarvoctl({QStringLiteral("inconnue")}).statut, 2);
        QCOMPARE(tarvoctl({QStringLiteral("lire-ini"), QStringLiteral("[DB]")}).statut, 2);
    }

    void lireIni() {
        BaseDeTest t;
        const QString dossier = t.dossier.path();
        const Resultat r = tarvoctl({QStringLiteral("--dir"), dossier, QStringLiteral("lire-ini"),
                                     QStringLiteral("[ZEBRA]"), QStringLiteral("MargeGaucheExp")});
        QCOMPARE(r.statut, 0);
        QCOMPARE(r.sortie, QStringLiteral("10\n"));
        const Resultat absente =
            tarvoctl({QStringLiteral("--dir"), dossier, QStringLiteral("lire-ini"),
                      QStringLiteral("[ABSENTE]"), QStringLiteral("X")});
        QCOMPARE(absente.statut, 1);
        QCOMPARE(absente.erreurs, QStringLiteral("Lecture du fichier INI\nLa section suivante est "
                                                 "introuvable : [ABSENTE]\n\n"));
        const Resultat autreFichier =
            tarvoctl({QStringLiteral("lire-ini"), QStringLiteral("[TARVOX]"),
                      QStringLiteral("UpdateFile"), t.chemin(QStringLiteral("version.ini"))});
        QCOMPARE(autreFichier.sortie, QStringLiteral("/bin/true\n"));
    }

    void initBaseRefuseUneBaseExistante() {
        BaseDeTest t;
        const QStringList commande = {QStringLiteral("--dir"), t.dossier.path(),
                                      QStringLiteral("init-base"), QStringLiteral("--demo")};
        QCOMPARE(tarvoctl(commande).statut, 0);
        const QByteArray avant = t.lireFichier(QStringLiteral("tarvo.db"));
        const Resultat seconde = tarvoctl(commande);
        QCOMPARE(seconde.statut, 1);
        QVERIFY(seconde.erreurs.contains(QStringLiteral("contient déjà des tables")));
        QCOMPARE(t.lireFichier(QStringLiteral("tarvo.db")), avant);
    }

    void demarrageSansFichierIni() {
        BaseDeTest t;
        QFile::remove(t.chemin(QStringLiteral("TARVOX.ini")));
        const Resultat r =
            tarvoctl({QStringLiteral("--dir"), t.dossier.path(), QStringLiteral("init-base")});
        QCOMPARE(r.statut, 1);
        QCOMPARE(r.erreurs, QStringLiteral("Lancement interrompu\nLe fichier d'initialisation "
                                           "suivant est introuvable : TARVOX.ini\n\n"));
    }

    // Output that cannot be written (a full disk) fails the command.
    void sortieImpossibleAEcrire() {
        QProcess p;
        p.setStandardOutputFile(QStringLiteral("/dev/full"));
        p.start(QStringLiteral(TARVOCTL), {QStringLiteral("schema-sqlserver")});
        QVERIFY(p.waitForFinished());
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 1);
        QVERIFY(QString::fromUtf8(p.readAllStandardError()).contains(QStringLiteral("sortie")));
    }

    void schemaSqlServer() {
        const Resultat r = tarvoctl({QStringLiteral("schema-sqlserver")});
        QCOMPARE(r.statut, 0);
        QVERIFY(!r.sortie.isEmpty());
        // The upgrade: each step only where it is missing, the version last.
        const Resultat m =
            tarvoctl({QStringLiteral("schema-sqlserver"), QStringLiteral("--mise-a-jour")});
        QCOMPARE(m.statut, 0);
        const qsizetype table = m.sortie.indexOf(
            QStringLiteral("IF OBJECT_ID(N'dbo.tarvo_integration', N'U') IS NULL"));
        const qsizetype identite = m.sortie.indexOf(
            QStringLiteral("IF COL_LENGTH(N'dbo.[Journal de saisie]', N'Id saisie') IS NULL"));
        const qsizetype version =
            m.sortie.indexOf(QStringLiteral("INSERT INTO dbo.tarvo_version (version) VALUES (3);"));
        QVERIFY(table > 0 && identite > table && version > identite);
    }
};

QTEST_GUILESS_MAIN(TestTarvoctl)
#include "test_tarvoctl.moc"
