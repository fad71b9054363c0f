#include "BaseDeTest.h"
#include "Tarvoctl.h"
#include "base/Version.h"
#include "cli/ProgressionTerminal.h"
#include "db/Schema.h"

#include <QProcess>
#include <QTest>
#include <cstdio>
#include <pty.h>
#include <unistd.h>

using namespace tarvo;
using namespace Qt::StringLiterals;
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
        const Resultat v = tarvoctl({u"--version"_s});
        QCOMPARE(v.statut, 0);
        QCOMPARE(v.sortie, VersionCourante() + u'\n');
        QCOMPARE(tarvoctl({}).statut, 2);
        QCOMPARE(tarvoctl({u"inconnue"_s}).statut, 2);
        QCOMPARE(tarvoctl({u"lire-ini"_s, u"[DB]"_s}).statut, 2);
    }

    void lireIni() {
        BaseDeTest t;
        const QString dossier = t.dossier.path();
        const Resultat r =
            tarvoctl({u"--dir"_s, dossier, u"lire-ini"_s, u"[ZEBRA]"_s, u"MargeGaucheExp"_s});
        QCOMPARE(r.statut, 0);
        QCOMPARE(r.sortie, u"10\n"_s);
        const Resultat absente =
            tarvoctl({u"--dir"_s, dossier, u"lire-ini"_s, u"[ABSENTE]"_s, u"X"_s});
        QCOMPARE(absente.statut, 1);
        QCOMPARE(absente.erreurs, u"Lecture du fichier INI\nLa section suivante est "
                                  "introuvable : [ABSENTE]\n\n"_s);
        const Resultat autreFichier =
            tarvoctl({u"lire-ini"_s, u"[TARVOX]"_s, u"UpdateFile"_s, t.chemin(u"version.ini"_s)});
        QCOMPARE(autreFichier.sortie, u"/bin/true\n"_s);
    }

    void initBaseRefuseUneBaseExistante() {
        BaseDeTest t;
        const QStringList commande = {u"--dir"_s, t.dossier.path(), u"init-base"_s, u"--demo"_s};
        QCOMPARE(tarvoctl(commande).statut, 0);
        const QByteArray avant = t.lireFichier(u"tarvo.db"_s);
        const Resultat seconde = tarvoctl(commande);
        QCOMPARE(seconde.statut, 1);
        QVERIFY(seconde.erreurs.contains(u"contient déjà des tables"_s));
        QCOMPARE(t.lireFichier(u"tarvo.db"_s), avant);
    }

    void demarrageSansFichierIni() {
        BaseDeTest t;
        QFile::remove(t.chemin(u"TARVOX.ini"_s));
        const Resultat r = tarvoctl({u"--dir"_s, t.dossier.path(), u"init-base"_s});
        QCOMPARE(r.statut, 1);
        QCOMPARE(r.erreurs, u"Lancement interrompu\nLe fichier d'initialisation "
                            "suivant est introuvable : TARVOX.ini\n\n"_s);
    }

    // Output that cannot be written (a full disk) fails the command.
    void sortieImpossibleAEcrire() {
        QProcess p;
        p.setStandardOutputFile(u"/dev/full"_s);
        p.start(QStringLiteral(TARVOCTL), {u"schema-sqlserver"_s});
        QVERIFY(p.waitForFinished());
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 1);
        QVERIFY(QString::fromUtf8(p.readAllStandardError()).contains(u"sortie"_s));
    }

    // On a terminal the bar and the status share one line, cleared once the
    // work is done, so that what the command prints next starts a line.
    void progressionSurUnTerminal() {
        int maitre = -1;
        int esclave = -1;
        QVERIFY(openpty(&maitre, &esclave, nullptr, nullptr, nullptr) == 0);
        std::FILE* terminal = fdopen(esclave, "w");
        QVERIFY(terminal);
        {
            ctl::ProgressionTerminal p(terminal);
            p.progression(0);
            p.statut(u"Ligne 1"_s);
            p.progression(50);
            p.progression(100);
            p.statut(QString());
        }
        std::fclose(terminal);
        QByteArray lu;
        char tampon[4096];
        for (ssize_t n; (n = ::read(maitre, tampon, sizeof tampon)) > 0;)
            lu.append(tampon, n);
        ::close(maitre);
        QVERIFY2(lu.contains("]  50 % Ligne 1"), lu.constData());
        QVERIFY2(lu.endsWith("\r\033[K"), lu.constData());
        QVERIFY(!lu.contains("Prêt"));
    }

    // Both scripts make the version this program needs, last, and create the
    // range-control procedure with 64-bit sums; the upgrade runs each step
    // only where it is missing, in order.
    void schemaSqlServer() {
        const QString version =
            u"INSERT INTO dbo.tarvo_version (version) VALUES (%1);"_s.arg(db::VersionSchema);
        for (const QStringList& arguments :
             {QStringList{u"schema-sqlserver"_s},
              QStringList{u"schema-sqlserver"_s, u"--mise-a-jour"_s}}) {
            const Resultat r = tarvoctl(arguments);
            QCOMPARE(r.statut, 0);
            const qsizetype procedure =
                r.sortie.indexOf(u"CREATE PROCEDURE dbo.prepa_controle_qte_gamme"_s);
            QVERIFY(procedure > 0 && r.sortie.indexOf(version) > procedure);
            QVERIFY(r.sortie.contains(u"@SommeCde bigint, @SommeExp bigint;"_s));
        }
        const Resultat m = tarvoctl({u"schema-sqlserver"_s, u"--mise-a-jour"_s});
        const qsizetype table =
            m.sortie.indexOf(u"IF OBJECT_ID(N'dbo.tarvo_integration', N'U') IS NULL"_s);
        const qsizetype identite =
            m.sortie.indexOf(u"IF COL_LENGTH(N'dbo.[Journal de saisie]', N'Id saisie') IS NULL"_s);
        const qsizetype larges = m.sortie.indexOf(u"ALTER COLUMN Qte_cde bigint;"_s);
        QVERIFY(table > 0 && identite > table && larges > identite);
    }
};

QTEST_GUILESS_MAIN(TestTarvoctl)
#include "test_tarvoctl.moc"
