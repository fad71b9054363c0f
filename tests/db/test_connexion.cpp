// The embedded database through one SQLite only, the one the program links:
// Qt's SQLite driver never enters the process, and the handle Connexion opens
// carries what the program counts on.
#include "BaseDeTest.h"
#include "app/OuvertureConnexion.h"
#include "base/Erreur.h"
#include "db/Connexion.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QTest>
#include <sqlite3.h>
#include <thread>

using namespace tarvo;
using namespace tarvo::test;
using namespace Qt::StringLiterals;

class TestConnexion : public QObject {
    Q_OBJECT
private slots:
    void uneSeuleSQLite() {
        BaseDeTest t;
        t.creerBase(true);
        init_dataenv_connection(*t.ctx);
        for (Connexion* cnx : {t.ctx->cnx.get(), t.ctx->conxReport.get()}) {
            QVERIFY(nombre(*cnx, u"SELECT COUNT(*) FROM Article"_s) > 0);
            // The handle is the one the program opened, on the file TARVOX.ini names.
            QVERIFY(cnx->sqlite());
            QCOMPARE(QFileInfo(QString::fromUtf8(sqlite3_db_filename(cnx->sqlite(), "main")))
                         .canonicalFilePath(),
                     QFileInfo(t.chemin(u"tarvo.db"_s)).canonicalFilePath());
        }
        QCOMPARE(QSqlDatabase::connectionNames(), QStringList());
        QFile cartes(u"/proc/self/maps"_s);
        if (cartes.open(QIODevice::ReadOnly))
            QVERIFY(!cartes.readAll().contains("libqsqlite"));
    }

    // The French order, foreign keys, WAL, the extended codes by which the
    // program tells one refusal from another, and a wait for another
    // workstation's lock rather than a failure.
    void reglagesDeLaConnexion() {
        BaseDeTest t;
        t.creerBase(false);
        Connexion& cnx = *t.ctx->cnx;
        QCOMPARE(nombre(cnx, u"SELECT 'éponge' = 'ÉPONGE' COLLATE FRANCAIS"_s), 1);
        QCOMPARE(nombre(cnx, u"PRAGMA foreign_keys"_s), 1);
        QCOMPARE(lignes(cnx, u"PRAGMA journal_mode"_s), QStringList{u"wal"_s});
        const char* ajout = "INSERT INTO Article ([Code barres Article]) VALUES ('1')";
        QCOMPARE(sqlite3_exec(cnx.sqlite(), ajout, nullptr, nullptr, nullptr), SQLITE_OK);
        QCOMPARE(sqlite3_exec(cnx.sqlite(), ajout, nullptr, nullptr, nullptr),
                 SQLITE_CONSTRAINT_PRIMARYKEY);

        QCOMPARE(nombre(cnx, u"PRAGMA busy_timeout"_s), 15000);
        sqlite3* autre = nullptr;
        QCOMPARE(sqlite3_open_v2(t.chemin(u"tarvo.db"_s).toUtf8().constData(), &autre,
                                 SQLITE_OPEN_READWRITE, nullptr),
                 SQLITE_OK);
        QCOMPARE(sqlite3_exec(autre, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
        std::thread liberation([autre] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            sqlite3_exec(autre, "COMMIT", nullptr, nullptr, nullptr);
        });
        const std::optional<ErreurTarvo> refuse =
            refus(cnx, u"INSERT INTO Article ([Code barres Article]) VALUES ('2')"_s);
        liberation.join();
        sqlite3_close(autre);
        QVERIFY2(!refuse, refuse ? qPrintable(refuse->erreur().description) : "");
    }

    void ouvertureRefusee() {
        BaseDeTest t;
        ParametresConnexion p;
        p.base = t.chemin(u"absente.db"_s);
        Connexion cnx(u"Essai"_s);
        try {
            cnx.ouvrir(p);
            QFAIL("Une base absente a été ouverte.");
        } catch (const ErreurTarvo& e) {
            QCOMPARE(e.erreur().numero, NumeroErreur::FichierIntrouvable);
        }
        QVERIFY(!QFile::exists(p.base));
        // A folder where the file should be: the engine's refusal, in French.
        p.base = t.chemin(u"terminal"_s);
        try {
            cnx.ouvrir(p, true);
            QFAIL("Un dossier a été ouvert comme base.");
        } catch (const ErreurTarvo& e) {
            QCOMPARE(e.erreur().source, u"SQLite"_s);
            QVERIFY2(e.erreur().description.startsWith(
                         u"Impossible d'ouvrir la base de données "_s + p.base + u" : "_s),
                     qPrintable(e.erreur().description));
        }
        QVERIFY(!cnx.estOuverte());
    }
};

QTEST_GUILESS_MAIN(TestConnexion)
#include "test_connexion.moc"
