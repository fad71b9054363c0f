#include "BaseDeTest.h"
#include "ServeurDeTest.h"
#include "Tarvoctl.h"
#include "base/Erreur.h"
#include "base/FormesMessages.h"
#include "base/Ini.h"
#include "base/Version.h"
#include "cli/Commandes.h"
#include "cli/DernierRecours.h"
#include "cli/ProgressionTerminal.h"
#include "db/Schema.h"

#include <QProcess>
#include <QTest>
#include <cstdio>
#include <new>
#include <pty.h>
#include <stdexcept>
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

    // Whatever a command raises ends tarvoctl with status 1 and the box the
    // desktop program would show, a standard exception included; a usage
    // error goes on to the usage text.
    void dernierRecours() {
        BaseDeTest t;
        const auto lance = [&t](const std::function<void()>& panne) {
            t.prompts.vider();
            return ctl::DernierRecours(*t.ctx, [&] {
                panne();
                return 0;
            });
        };
        QCOMPARE(lance([] { throw std::out_of_range("indice hors limites"); }), 1);
        QCOMPARE(t.prompts.titresEtTextes(),
                 QStringList{u"Erreur|"_s +
                             texteErreurDetaillee({0, NomProduit(), u"indice hors limites"_s})});
        QCOMPARE(lance([] { throw std::bad_alloc(); }), 1);
        QCOMPARE(t.prompts.boites.size(), 1);
        QVERIFY(t.prompts.boites.first().texte.contains(u"Détail : std::bad_alloc"_s));
        QCOMPARE(lance([] { throw ErreurTarvo(7, u"Essai"_s, u"Panne de l'essai"_s); }), 1);
        QCOMPARE(t.prompts.titresEtTextes(),
                 QStringList{u"Erreur|"_s +
                             texteErreurDetaillee({7, u"Essai"_s, u"Panne de l'essai"_s})});
        QCOMPARE(lance([] { throw SectionIniIntrouvable(u"[ABSENTE]"_s); }), 1);
        QCOMPARE(t.prompts.titresEtTextes(),
                 QStringList{u"Lecture du fichier INI|La section suivante est introuvable : "
                             "[ABSENTE]"_s});
        QVERIFY_THROWS_EXCEPTION(ctl::ErreurUsage,
                                 lance([] { throw ctl::ErreurUsage(u"mauvais usage"_s); }));
        QCOMPARE(t.prompts.boites.size(), 0);
        QCOMPARE(ctl::DernierRecours(*t.ctx, [] { return 0; }), 0);
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
    // range-control procedure with decimal sums; the upgrade runs each step
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
            QVERIFY(r.sortie.contains(u"@SommeCde decimal(38, 6), @SommeExp decimal(38, 6);"_s));
        }
        const Resultat m = tarvoctl({u"schema-sqlserver"_s, u"--mise-a-jour"_s});
        const qsizetype table =
            m.sortie.indexOf(u"IF OBJECT_ID(N'dbo.tarvo_integration', N'U') IS NULL"_s);
        const qsizetype identite =
            m.sortie.indexOf(u"IF COL_LENGTH(N'dbo.[Journal de saisie]', N'Id saisie') IS NULL"_s);
        const qsizetype larges = m.sortie.indexOf(u"ALTER COLUMN Qte_cde bigint;"_s);
        QVERIFY(table > 0 && identite > table && larges > identite);
    }

    // On the server, the upgrade script brings a schema-6 database (whole
    // range-control quantities) to the decimal ones, and runs again
    // without harm on an up-to-date database.
    void miseAJourSurLeServeur() {
        if (!ServeurEssaiDisponible())
            QSKIP("Moteur T-SQL absent : la mise à jour n'est pas jouée sur le serveur.");
        const QString base = CreerBaseServeur();
        ExecuterScriptServeur(base, u"ALTER TABLE dbo.w_controle_qte_gamme ALTER COLUMN Qte_cde "
                                    "bigint;\nGO\nUPDATE dbo.tarvo_version SET version = 6;"_s);
        const Resultat m = tarvoctl({u"schema-sqlserver"_s, u"--mise-a-jour"_s});
        QCOMPARE(m.statut, 0);
        const QString decimales =
            u"IF EXISTS (SELECT 1 FROM INFORMATION_SCHEMA.COLUMNS WHERE TABLE_NAME = "
            "'w_controle_qte_gamme' AND COLUMN_NAME IN ('Qte_cde', 'Qte_exp', 'Difference') "
            "AND DATA_TYPE <> 'decimal') OR NOT EXISTS (SELECT 1 FROM dbo.tarvo_version "
            "WHERE version = %1) THROW 50000, N'schéma non mis à jour', 1;"_s.arg(
                db::VersionSchema);
        // The test engine names its indexes otherwise in sys.indexes: the
        // earlier steps' guards miss them there and would create them
        // again. The steps from schema 7 on are what a schema-6 site runs.
        const qsizetype septieme = m.sortie.indexOf(u"-- Schema 7:"_s);
        QVERIFY(septieme > 0);
        for (int fois = 0; fois < 2; ++fois) {
            ExecuterScriptServeur(base, m.sortie.mid(septieme));
            ExecuterScriptServeur(base, decimales);
        }
    }
};

QTEST_GUILESS_MAIN(TestTarvoctl)
#include "test_tarvoctl.moc"
