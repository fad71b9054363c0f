#include "BaseDeTest.h"
#include "DisquePlein.h"
#include "app/OuvertureConnexion.h"
#include "base/Erreur.h"
#include "db/CollationFrancaise.h"
#include "db/Connexion.h"
#include "db/Schema.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTest>
#include <atomic>
#include <cstring>
#include <sqlite3.h>
#include <thread>

using namespace tarvo;
using namespace tarvo::test;
using namespace Qt::StringLiterals;

// The upkeep of the embedded database over time: the French order's indexes
// after an ICU upgrade, the standard sqlite3 shell with the program's
// extension, two programs upgrading one file, and a full disk.

namespace {

// A handle of the test's own on the file, the French order installed by
// the program's auto-extension.
struct Brute {
    explicit Brute(const QString& chemin) {
        if (sqlite3_open_v2(QFile::encodeName(chemin).constData(), &h, SQLITE_OPEN_READWRITE,
                            nullptr) != SQLITE_OK)
            qFatal("ouverture : %s", sqlite3_errmsg(h));
    }
    ~Brute() { sqlite3_close(h); }
    Brute(const Brute&) = delete;
    Brute& operator=(const Brute&) = delete;
    void executer(const char* sql) const {
        char* message = nullptr;
        if (sqlite3_exec(h, sql, nullptr, nullptr, &message) != SQLITE_OK)
            qFatal("%s : %s", sql, message);
    }
    QString valeur(const char* sql) const {
        sqlite3_stmt* s = nullptr;
        QString v;
        if (sqlite3_prepare_v2(h, sql, -1, &s, nullptr) == SQLITE_OK &&
            sqlite3_step(s) == SQLITE_ROW)
            v = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
        sqlite3_finalize(s);
        return v;
    }
    sqlite3* h = nullptr;
};

// The order of an older ICU, as seen from the indexes: bytes, case and
// accents apart ("ABC" before "abc", "Écharpe" after "Zèbre").
int ordreAncien(void*, int n1, const void* a, int n2, const void* b) {
    const int commun = std::memcmp(a, b, static_cast<std::size_t>(std::min(n1, n2)));
    return commun != 0 ? commun : n1 - n2;
}

QString lancer(const QString& programme, const QStringList& arguments, int* statut = nullptr) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(programme, arguments);
    if (!p.waitForFinished(60000))
        qFatal("%s ne s'est pas arrêté", qPrintable(programme));
    if (statut)
        *statut = p.exitCode();
    return QString::fromUtf8(p.readAll()).trimmed();
}

// A database of schema 4: the tables without the French order.
void creerBaseV4(BaseDeTest& t) {
    t.ctx->modeSecurite = u"INTEG"_s;
    Connexion creation(u"CreationV4"_s);
    creation.ouvrir(ParametresDepuisIni(*t.ctx, QString(), QString()), true);
    db::ExecuterScriptSQLite(creation, db::ScriptSchemaSQLite().remove(u" COLLATE FRANCAIS"_s) +
                                           u"\nPRAGMA user_version = 4;"_s);
}

} // namespace

class TestEntretien : public QObject {
    Q_OBJECT
private slots:
    // Indexes built in another French order (an older ICU, or before the
    // order was recorded) are rebuilt when the program opens the file; keys
    // the new order makes one stop it with their names, the file as it was.
    void ordreChange_data() {
        QTest::addColumn<bool>("doublons");
        QTest::addColumn<bool>("nonNote");
        QTest::newRow("autre version d'ICU") << false << false;
        QTest::newRow("ordre jamais noté") << false << true;
        QTest::newRow("clés devenues égales") << true << false;
    }
    void ordreChange() {
        QFETCH(bool, doublons);
        QFETCH(bool, nonNote);
        BaseDeTest t;
        t.creerBase(false);
        t.ctx->cnx.reset();
        {
            Brute b(t.chemin(u"tarvo.db"_s));
            QCOMPARE(sqlite3_create_collation_v2(b.h, "FRANCAIS", SQLITE_UTF8, nullptr, ordreAncien,
                                                 nullptr),
                     SQLITE_OK);
            b.executer("INSERT INTO Article ([Code barres Article], Libellé) VALUES "
                       "('Écharpe', 'x'), ('Zèbre', 'y'), ('anneau', 'z'), ('b', 'w')");
            if (doublons)
                b.executer("INSERT INTO Article ([Code barres Article]) VALUES ('abc'), ('ABC')");
            b.executer(nonNote ? "DROP TABLE tarvo_ordre"
                               : "UPDATE tarvo_ordre SET version = 'ICU 1.0.0.0, règles 1'");
        }
        t.prompts.vider();
        QCOMPARE(ConnexionBase(*t.ctx, QString(), QString()), !doublons);
        Brute b(t.chemin(u"tarvo.db"_s));
        if (doublons) {
            QCOMPARE(t.prompts.boites.size(), 1);
            const QString texte = t.prompts.boites[0].texte;
            QVERIFY2(texte.contains(u"table Article"_s) && texte.contains(u"« abc »"_s) &&
                         texte.contains(u"« ABC »"_s) && texte.contains(u"ICU 1.0.0.0"_s) &&
                         texte.contains(u"rien n'a été modifié"_s),
                     qPrintable(texte));
            QCOMPARE(b.valeur("SELECT version FROM tarvo_ordre"), u"ICU 1.0.0.0, règles 1"_s);
            QCOMPARE(b.valeur("SELECT COUNT(*) FROM Article"), u"6"_s);
            return;
        }
        QVERIFY2(t.prompts.boites.isEmpty(), qPrintable(t.prompts.boites.value(0).texte));
        QCOMPARE(b.valeur("PRAGMA integrity_check"), u"ok"_s);
        QCOMPARE(b.valeur("SELECT version FROM tarvo_ordre"), db::VersionOrdreFrancais());
        QCOMPARE(b.valeur("SELECT group_concat([Code barres Article], ',') FROM (SELECT "
                          "[Code barres Article] FROM Article WHERE [Code barres Article] "
                          "BETWEEN 'a' AND 'zz' ORDER BY [Code barres Article])"),
                 u"anneau,b,Écharpe,Zèbre"_s);
        QVERIFY(t.feedback.statuts.join(u'\n').contains(u"Reconstruction des index"_s));
        // Opening again finds the order recorded and rebuilds nothing.
        t.feedback.statuts.clear();
        t.ctx->cnx.reset();
        QVERIFY(ConnexionBase(*t.ctx, QString(), QString()));
        QVERIFY(!t.feedback.statuts.join(u'\n').contains(u"Reconstruction des index"_s));
    }

    // The standard sqlite3 shell, given the program's extension, counts,
    // checks and vacuums a Tarvo file, and its text dump restores into a
    // file the program opens with the same rows.
    void shellAvecExtension() {
        if (QStandardPaths::findExecutable(u"sqlite3"_s).isEmpty())
            QSKIP("Shell sqlite3 absent (paquet sqlite3).");
        BaseDeTest t;
        t.creerBase(true);
        const QString eponges =
            valeur(*t.ctx->cnx, u"SELECT COUNT(*) FROM Article WHERE Libellé LIKE '%ÉPONGE%'"_s)
                .toString();
        QCOMPARE(eponges, u"1"_s);
        t.ctx->cnx.reset();
        t.ctx->conxReport.reset();
        const QString base = t.chemin(u"tarvo.db"_s);
        const QString charger = u".load "_s + QStringLiteral(TARVO_EXTENSION);
        int statut = 0;
        const QString sansExtension =
            lancer(u"sqlite3"_s, {base, u"PRAGMA integrity_check"_s}, &statut);
        QVERIFY2(sansExtension.contains(u"FRANCAIS"_s), qPrintable(sansExtension));
        QCOMPARE(
            lancer(u"sqlite3"_s,
                   {u"-bail"_s, u"-cmd"_s, charger, base, u"PRAGMA integrity_check"_s, u"VACUUM"_s,
                    u"SELECT COUNT(*) FROM Article WHERE Libellé LIKE '%ÉPONGE%'"_s,
                    u"SELECT 'éponge' = 'ÉPONGE' COLLATE FRANCAIS"_s},
                   &statut),
            u"ok\n"_s + eponges + u"\n1"_s);
        QCOMPARE(statut, 0);

        const QString sauvegarde = t.chemin(u"sauvegarde.sql"_s);
        QFile dump(sauvegarde);
        QVERIFY(dump.open(QIODevice::WriteOnly));
        dump.write(lancer(u"sqlite3"_s, {u"-cmd"_s, charger, base, u".dump"_s}, &statut).toUtf8());
        QCOMPARE(statut, 0);
        // The schema's number is no part of a dump: the README's recipe adds it.
        dump.write("\nPRAGMA user_version = " +
                   lancer(u"sqlite3"_s, {base, u"PRAGMA user_version"_s}).toUtf8() + ";\n");
        dump.close();
        const QString restauree = t.chemin(u"restauree.db"_s);
        const QString sortie =
            lancer(u"sqlite3"_s,
                   {u"-bail"_s, u"-cmd"_s, charger, restauree, u".read "_s + sauvegarde}, &statut);
        QVERIFY2(statut == 0 && sortie.isEmpty(), qPrintable(sortie.left(2000)));
        const QString contenu = u"SELECT (SELECT COUNT(*) FROM Article) || '/' || (SELECT "
                                "group_concat([No Expédition]) FROM [Expédition]) || '/' || "
                                "(SELECT COUNT(*) FROM sqlite_master)"_s;
        QCOMPARE(lancer(u"sqlite3"_s, {u"-cmd"_s, charger, restauree, contenu}),
                 lancer(u"sqlite3"_s, {u"-cmd"_s, charger, base, contenu}));
        QCOMPARE(lancer(u"sqlite3"_s, {u"-cmd"_s, charger, restauree, u"PRAGMA integrity_check"_s}),
                 u"ok"_s);
        QCOMPARE(lancer(u"sqlite3"_s, {restauree, u"PRAGMA user_version"_s}),
                 QString::number(db::VersionSchema));
        // The program takes the restored file as it is: nothing to upgrade,
        // no index to rebuild.
        QVERIFY(QFile::remove(base));
        QVERIFY(QFile::rename(restauree, base));
        t.feedback.statuts.clear();
        QVERIFY(ConnexionBase(*t.ctx, QString(), QString()));
        QVERIFY2(t.prompts.boites.isEmpty(), qPrintable(t.prompts.boites.value(0).texte));
        QVERIFY(!t.feedback.statuts.join(u'\n').contains(u"Reconstruction des index"_s));
    }

    // Two programs opening an old file together: the second, once it has
    // the write lock, finds the upgrade done and does not run it again.
    void versionRelueSousLeVerrou() {
        BaseDeTest t;
        creerBaseV4(t);
        Brute detenteur(t.chemin(u"tarvo.db"_s));
        detenteur.executer("BEGIN IMMEDIATE");
        std::atomic<bool> enAttente{false};
        QString echec;
        std::thread autre([&] {
            try {
                Connexion cnx(u"Autre"_s);
                cnx.ouvrir(ParametresDepuisIni(*t.ctx, QString(), QString()));
                sqlite3_busy_handler(
                    cnx.sqlite(),
                    [](void* drapeau, int) {
                        static_cast<std::atomic<bool>*>(drapeau)->store(true);
                        sqlite3_sleep(2);
                        return 1;
                    },
                    &enAttente);
                FeedbackMuet muet;
                db::MettreAJourSchema(cnx, muet);
            } catch (const ErreurTarvo& e) {
                echec = e.erreur().description;
            }
        });
        // Whatever the test finds, the other program is let through and
        // waited for.
        const auto fin = qScopeGuard([&] {
            if (!sqlite3_get_autocommit(detenteur.h))
                detenteur.executer("COMMIT");
            if (autre.joinable())
                autre.join();
        });
        QTRY_VERIFY_WITH_TIMEOUT(enAttente.load(), 30000);
        // This program upgrades first, and leaves a mark that the French
        // move, were it run again, would drop with every view.
        detenteur.executer("CREATE VIEW temoin AS SELECT 1; PRAGMA user_version = 7; COMMIT");
        autre.join();
        QVERIFY2(echec.isEmpty(), qPrintable(echec));
        QCOMPARE(detenteur.valeur("SELECT COUNT(*) FROM sqlite_master WHERE name = 'temoin'"),
                 u"1"_s);
    }

    // An upgrade that meets a full disk says how much room it needs and
    // leaves the file as it was.
    void disquePleinPendantLaMiseAJour() {
        BaseDeTest t;
        const DisquePlein disque(t.chemin(u"plein"_s), u"2m"_s);
        if (!disque.erreur().isEmpty())
            QSKIP(qPrintable(disque.erreur()));
        QByteArray ini = iniParDefaut(t.dossier.path());
        ini.replace("DBNAME=tarvo.db", "DBNAME=plein/tarvo.db");
        t.ecrireIni(ini);
        creerBaseV4(t);
        {
            Brute b(t.chemin(u"plein/tarvo.db"_s));
            b.executer("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < "
                       "3000) INSERT INTO Article ([Code barres Article], Libellé) SELECT "
                       "printf('%013d', i), printf('Article %d de la base pleine', i) FROM n");
        }
        const qint64 taille = QFileInfo(t.chemin(u"plein/tarvo.db"_s)).size();
        disque.remplir();
        QVERIFY(QFile::resize(t.chemin(u"plein/remplissage"_s),
                              QFileInfo(t.chemin(u"plein/remplissage"_s)).size() - taille / 2));
        t.prompts.vider();
        QVERIFY(!ConnexionBase(*t.ctx, QString(), QString()));
        QCOMPARE(t.prompts.boites.size(), 1);
        const QString texte = t.prompts.boites[0].texte;
        QVERIFY2(texte.contains(u"Le disque est plein"_s) && texte.contains(u" Mo libres"_s) &&
                     texte.contains(u"rien n'a été modifié"_s),
                 qPrintable(texte));
        Brute b(t.chemin(u"plein/tarvo.db"_s));
        QCOMPARE(b.valeur("PRAGMA user_version"), u"4"_s);
        QCOMPARE(b.valeur("SELECT COUNT(*) FROM Article"), u"3000"_s);
        QCOMPARE(b.valeur("PRAGMA integrity_check"), u"ok"_s);
    }
};

QTEST_GUILESS_MAIN(TestEntretien)
#include "test_entretien.moc"
