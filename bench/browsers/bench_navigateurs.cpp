// bench_navigateurs: the journal browser on a million rows.
//
//   bench_navigateurs [DOSSIER] [LIGNES]   builds DOSSIER/journal.db (default
//                                          /tmp/tarvo-bench-navigateurs,
//                                          1,000,000 journal rows) when it is
//                                          missing, then opens the real
//                                          Journal window (offscreen) and
//                                          times every toolbar step, each
//                                          painted, against the SQLite C API
//                                          running the same statements.
//
// Prints a Markdown table: the step, Tarvo's time (window routine, first
// page, painting), the C API's time for the same first page, and the rows the
// grid holds. Then the memory the window added, a CSV export of it all, and
// what the indexes the browsers need cost an integration: 20,000 entries
// written with and without them.
#include "app/Contexte.h"
#include "app/OuvertureConnexion.h"
#include "browsers/ExportCsv.h"
#include "browsers/FormatFrancais.h"
#include "browsers/TraductionSql.h"
#include "browsers/ui/Journal.h"
#include "db/CollationFrancaise.h"
#include "db/Connexion.h"
#include "db/Schema.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTableView>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <sqlite3.h>

using namespace tarvo;
using namespace tarvo::navigateurs;

namespace {

class PromptsBanc : public Prompts {
public:
    void message(Icone, const QString& titre, const QString& texte) override {
        std::fprintf(stderr, "%s\n%s\n", qPrintable(titre), qPrintable(texte));
    }
    bool question(Icone, const QString&, const QString&, bool) override { return true; }
    Reponse questionAnnulable(Icone, const QString&, const QString&) override {
        return Reponse::Oui;
    }
    std::optional<QString> saisie(const QString&, const QString&, const QString&) override {
        return valeur;
    }
    QString choisirFichier(const QString&, const QString&) override { return {}; }
    QString valeur;
};

class StatutBanc : public Feedback {
public:
    void statut(const QString& t) override {
        if (t.contains(QStringLiteral("impossible")))
            std::fprintf(stderr, "%s\n", qPrintable(t));
    }
    void progression(int) override {}
};

qint64 memoireKio(const char* cle) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& l : f.readAll().split('\n'))
        if (l.startsWith(cle))
            return l.mid(static_cast<qsizetype>(std::strlen(cle)))
                .trimmed()
                .split(' ')
                .first()
                .toLongLong();
    return 0;
}

void verifier(int rc, sqlite3* db) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        qFatal("SQLite : %s", sqlite3_errmsg(db));
}

// A journal as a year of terminals writes it: 40,000 shipments of about 25
// lines, article lines of five types, a weight every twelve lines, a file
// integrated every 2,000 lines.
// Rows `premiere` to `premiere + nombre - 1` of that journal, in one
// transaction.
void inserer(sqlite3* db, int premiere, int nombre) {
    verifier(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db);
    sqlite3_stmt* s = nullptr;
    verifier(sqlite3_prepare_v2(db,
                                "INSERT INTO [Journal de saisie] ([Code type ligne], "
                                "[No Expédition], [No Colis], [Code barres Article], "
                                "[Poids colis], [Quantité], [Date saisie], [Date intégration]) "
                                "VALUES (?,?,?,?,?,?,?,?)",
                                -1, &s, nullptr),
             db);
    const char* types[] = {"{EXPFA}", "{EXPXA}", "{EXPFA}", "{EXPXA}", "{EXPSA}"};
    const QDateTime debut(QDate(2026, 1, 5), QTime(7, 0));
    for (int i = premiere; i < premiere + nombre; ++i) {
        const int exp = 100000 + i / 25;
        const QDateTime saisie = debut.addSecs(static_cast<qint64>(i) * 30);
        const QDateTime integration = debut.addSecs((static_cast<qint64>(i) / 2000 + 1) * 60000);
        const QByteArray colis = QByteArray::number(1 + (i / 6) % 4).rightJustified(3, '0');
        const QByteArray dateS = saisie.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8();
        const QByteArray dateI =
            integration.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8();
        const bool poids = i % 12 == 11;
        const QByteArray code = QByteArray::number(3760000000000LL + (i * 7919) % 5000);
        sqlite3_bind_text(s, 1, poids ? (i % 24 == 11 ? "{EXPFP}" : "{EXPXP}") : types[i % 5], -1,
                          SQLITE_TRANSIENT);
        sqlite3_bind_int(s, 2, exp);
        sqlite3_bind_text(s, 3, colis.constData(), -1, SQLITE_TRANSIENT);
        if (poids) {
            sqlite3_bind_null(s, 4);
            sqlite3_bind_double(s, 5, 0.5 + (i % 400) / 10.0);
            sqlite3_bind_null(s, 6);
        } else {
            sqlite3_bind_text(s, 4, code.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_null(s, 5);
            sqlite3_bind_int(s, 6, 1 + i % 6);
        }
        sqlite3_bind_text(s, 7, dateS.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(s, 8, dateI.constData(), -1, SQLITE_TRANSIENT);
        verifier(sqlite3_step(s), db);
        sqlite3_reset(s);
    }
    sqlite3_finalize(s);
    verifier(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
}

void generer(const QString& fichier, int lignes) {
    sqlite3* db = nullptr;
    db::InstallerFrancais();
    verifier(sqlite3_open(fichier.toUtf8().constData(), &db), db);
    verifier(sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr), db);
    inserer(db, 0, lignes);
    verifier(sqlite3_exec(db, "ANALYZE", nullptr, nullptr, nullptr), db);
    sqlite3_close(db);
}

// What the indexes of schema 3 cost an integration: 20,000 more entries
// written into a copy of the journal, with the indexes and without those
// schema 3 added (best of 3 each, the rows removed between runs).
void coutIndex(const QString& base, int lignes) {
    for (const bool sansIndex : {false, true}) {
        const QString copie = base + QStringLiteral(".copie");
        QFile::remove(copie);
        if (!QFile::copy(base, copie))
            qFatal("copie impossible : %s", qPrintable(copie));
        sqlite3* db = nullptr;
        db::InstallerFrancais();
        verifier(sqlite3_open(copie.toUtf8().constData(), &db), db);
        if (sansIndex)
            for (const char* colonne :
                 {"Code type ligne", "No Colis", "Code barres Article", "Poids colis", "Quantité",
                  "Date saisie", "Date intégration"})
                verifier(sqlite3_exec(db,
                                      QStringLiteral("DROP INDEX [IX_Journal de saisie_%1]")
                                          .arg(QString::fromUtf8(colonne))
                                          .toUtf8()
                                          .constData(),
                                      nullptr, nullptr, nullptr),
                         db);
        double meilleur = 1e9;
        for (int essai = 0; essai < 3; ++essai) {
            QElapsedTimer chrono;
            chrono.start();
            inserer(db, lignes, 20000);
            meilleur = std::min(meilleur, static_cast<double>(chrono.nsecsElapsed()) / 1e9);
            verifier(sqlite3_exec(db,
                                  QStringLiteral("DELETE FROM [Journal de saisie] WHERE rowid > %1")
                                      .arg(lignes)
                                      .toUtf8()
                                      .constData(),
                                  nullptr, nullptr, nullptr),
                     db);
        }
        sqlite3_close(db);
        QFile::remove(copie);
        std::printf("20 000 saisies de plus dans le journal, %s : %.3f s (%.0f lignes/s)\n",
                    sansIndex ? "sans les index du schéma 3" : "avec les index du schéma 3",
                    meilleur, 20000 / meilleur);
    }
}

// The same first page on the C API: the engine's own time.
double brut(sqlite3* db, const TraductionSql& traduction, const Vue& vue) {
    QElapsedTimer chrono;
    chrono.start();
    for (const SqlLie& lie : {traduction.page(vue, 0, ModeleNavigation::TaillePage + 1)}) {
        QString texte = lie.texte;
        sqlite3_stmt* s = nullptr;
        verifier(sqlite3_prepare_v2(db, texte.toUtf8().constData(), -1, &s, nullptr), db);
        for (const auto& [nom, valeur] : lie.valeurs) {
            const int rang = sqlite3_bind_parameter_index(s, nom.toUtf8().constData());
            const QVariant v =
                valeur.typeId() == QMetaType::QDateTime
                    ? QVariant(valeur.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")))
                    : valeur;
            if (v.isNull())
                sqlite3_bind_null(s, rang);
            else if (v.typeId() == QMetaType::QString)
                sqlite3_bind_text(s, rang, v.toString().toUtf8().constData(), -1, SQLITE_TRANSIENT);
            else if (v.typeId() == QMetaType::Double)
                sqlite3_bind_double(s, rang, v.toDouble());
            else
                sqlite3_bind_int64(s, rang, v.toLongLong());
        }
        int rc;
        while ((rc = sqlite3_step(s)) == SQLITE_ROW)
            for (int c = 0; c < sqlite3_column_count(s); ++c)
                sqlite3_column_text(s, c);
        verifier(rc, db);
        sqlite3_finalize(s);
    }
    return static_cast<double>(chrono.nsecsElapsed()) / 1e9;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QString dossier =
        argc > 1 ? QString::fromUtf8(argv[1]) : QStringLiteral("/tmp/tarvo-bench-navigateurs");
    const int lignes = argc > 2 ? QString::fromUtf8(argv[2]).toInt() : 1000000;
    QDir().mkpath(dossier);
    QFile ini(QDir(dossier).filePath(QStringLiteral("TARVOX.ini")));
    if (!ini.open(QIODevice::WriteOnly) ||
        ini.write("[DB]\r\nPROVIDER=SQLITE\r\nSECURITYMODE=INTEG\r\nDBNAME=journal.db\r\n") < 0)
        qFatal("TARVOX.ini impossible à écrire");
    ini.close();
    PromptsBanc prompts;
    StatutBanc statut;
    HorlogeSysteme horloge;
    Contexte ctx(dossier, prompts, statut, horloge);
    ctx.modeSecurite = QStringLiteral("INTEG");
    const QString base = QDir(dossier).filePath(QStringLiteral("journal.db"));
    if (!QFile::exists(base)) {
        std::fprintf(stderr, "Génération de %d lignes dans %s…\n", lignes, qPrintable(base));
        QElapsedTimer chrono;
        chrono.start();
        {
            Connexion creation(QStringLiteral("Creation"));
            creation.ouvrir(ParametresDepuisIni(ctx, QString(), QString()), true);
            db::CreerBaseEmbarquee(creation, false);
        }
        generer(base, lignes);
        std::fprintf(stderr, "… en %.1f s\n", static_cast<double>(chrono.elapsed()) / 1000.0);
    }
    if (!ConnexionBase(ctx, QString(), QString()))
        return 1;
    sqlite3* reference = nullptr;
    db::InstallerFrancais();
    verifier(sqlite3_open_v2(base.toUtf8().constData(), &reference, SQLITE_OPEN_READONLY, nullptr),
             reference);

    const qint64 avantKio = memoireKio("VmRSS:");
    QElapsedTimer chrono;
    chrono.start();
    Journal journal(ctx);
    journal.show();
    journal.grille()->viewport()->repaint();
    QApplication::processEvents();
    const double ouverture = static_cast<double>(chrono.nsecsElapsed()) / 1e9;
    const TraductionSql traduction(TableJournal(), db::Moteur::SQLite,
                                   journal.modele().source().borne());

    std::printf("| étape | Tarvo (fenêtre, peinte) | API C (1re page) | lignes chargées |\n"
                "|---|---|---|---|\n");
    std::printf("| ouverture | %.3f s | %.3f s | %d |\n", ouverture,
                brut(reference, traduction, {}), journal.modele().rowCount());
    const auto mesurer = [&](const QString& nom, const std::function<void()>& etape) {
        QElapsedTimer c;
        c.start();
        etape();
        journal.grille()->viewport()->repaint();
        QApplication::processEvents();
        const double secondes = static_cast<double>(c.nsecsElapsed()) / 1e9;
        std::printf("| %s | %.3f s | %.3f s | %d |\n", qPrintable(nom), secondes,
                    brut(reference, traduction, journal.modele().vue()),
                    journal.modele().rowCount());
        std::fflush(stdout);
    };
    const auto cellule = [&](int ligne, int colonne) {
        journal.grille()->setCurrentIndex(journal.modele().index(ligne, colonne));
    };
    const QList<Champ>& champs = TableJournal().champs;
    for (int c = 0; c < champs.size(); ++c) {
        const QString nom = champs.at(c).titre;
        cellule(0, c);
        mesurer(QStringLiteral("tri ascendant %1").arg(nom), [&] { journal.TriAsc(); });
        cellule(0, c);
        mesurer(QStringLiteral("tri descendant %1").arg(nom), [&] { journal.TriDesc(); });
        cellule(7, c);
        mesurer(QStringLiteral("filtre sur sélection %1").arg(nom), [&] { journal.FiltreSel(); });
        mesurer(QStringLiteral("suppression des filtres"), [&] { journal.SupprimerFiltres(); });
        cellule(7, c);
        mesurer(QStringLiteral("filtre hors sélection %1").arg(nom),
                [&] { journal.FiltreHorsSel(); });
        mesurer(QStringLiteral("suppression des filtres"), [&] { journal.SupprimerFiltres(); });
        // A value of a row far down the table, as a person would type it.
        prompts.valeur.clear();
        for (const LigneNavigation& loin :
             journal.modele().source().lire(Vue{}, lignes * 7 / 10, ModeleNavigation::TaillePage))
            if (!loin.valeurs.at(c).isNull()) {
                prompts.valeur = TexteFrancais(loin.valeurs.at(c), champs.at(c).genre);
                break;
            }
        cellule(0, c);
        mesurer(QStringLiteral("recherche %1 « %2 »").arg(nom, prompts.valeur),
                [&] { journal.RechData(); });
    }
    const auto defiler = [&] {
        for (int i = 0; i < 40; ++i) {
            journal.modele().fetchMore({});
            journal.grille()->scrollToBottom();
            journal.grille()->viewport()->repaint();
        }
    };
    mesurer(QStringLiteral("défilement de 40 pages après la recherche"), defiler);
    mesurer(QStringLiteral("actualiser"), [&] { journal.Actualiser(); });
    mesurer(QStringLiteral("défilement de 40 pages depuis le haut"), defiler);
    const qint64 picKio = memoireKio("VmHWM:");

    QElapsedTimer c;
    c.start();
    const QString csv = QDir(dossier).filePath(QStringLiteral("journal.csv"));
    const qint64 exportees =
        ExporterCsv(journal.modele().source(), journal.modele().vue(), csv, statut);
    std::printf("\nExport CSV de %lld lignes : %.2f s (%.1f Mio)\n", exportees,
                static_cast<double>(c.nsecsElapsed()) / 1e9,
                static_cast<double>(QFileInfo(csv).size()) / 1048576.0);
    std::printf("Mémoire : %.1f Mio avant la fenêtre, pic %.1f Mio, soit %.1f Mio de plus "
                "(avant l'export)\n",
                static_cast<double>(avantKio) / 1024.0, static_cast<double>(picKio) / 1024.0,
                static_cast<double>(picKio - avantKio) / 1024.0);
    sqlite3_close(reference);
    coutIndex(base, lignes);
    return 0;
}
