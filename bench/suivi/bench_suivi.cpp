// bench_suivi: the preparation follow-up on real volumes.
//
//   bench_suivi [DOSSIER]   builds DOSSIER/suivi.db (default
//                           /tmp/tarvo-bench-suivi) when it is missing:
//                           2,000 open shipments of 50 order lines, 200,000
//                           closed ones, 3,000,000 journal rows; then times
//                           LireSuivi (open shipments) five times, then once
//                           with the closed ones, and prints the plan of its
//                           statement.
//   bench_suivi --fenetre [DOSSIER]
//                           the window on the same database: for each step a
//                           person takes (opening it, ticking the closed
//                           shipments, typing a filter, sorting, the reload
//                           after an integration elsewhere), the time until
//                           the list shows the result and the longest time
//                           the event loop was blocked.
#include "app/Contexte.h"
#include "app/OuvertureConnexion.h"
#include "base/Clock.h"
#include "base/Feedback.h"
#include "commun/PromptsBanc.h"
#include "commun/RetardBoucle.h"
#include "db/Base.h"
#include "db/CollationFrancaise.h"
#include "db/Connexion.h"
#include "db/Schema.h"
#include "suivi/SqlSuivi.h"
#include "suivi/Suivi.h"
#include "suivi/ui/FenetreSuivi.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <cstdio>
#include <ctime>
#include <sqlite3.h>

using namespace tarvo;

namespace {

constexpr int Ouvertes = 2000, Closes = 200000, LignesOuvertes = 50, LignesCloses = 5;
constexpr int SaisiesCloses = 14, SaisiesOuvertes = 100, Articles = 5000;

void verifier(int rc, sqlite3* db) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        std::fprintf(stderr, "%s\n", sqlite3_errmsg(db));
        std::exit(1);
    }
}

struct Insertion {
    Insertion(sqlite3* db, const char* sql) : db_(db) {
        verifier(sqlite3_prepare_v2(db, sql, -1, &s_, nullptr), db);
    }
    ~Insertion() { sqlite3_finalize(s_); }
    Insertion& entier(int i, qint64 v) {
        sqlite3_bind_int64(s_, i, v);
        return *this;
    }
    Insertion& texte(int i, const QByteArray& v) {
        sqlite3_bind_text(s_, i, v.constData(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Insertion& reel(int i, double v) {
        sqlite3_bind_double(s_, i, v);
        return *this;
    }
    void executer() {
        verifier(sqlite3_step(s_), db_);
        sqlite3_reset(s_);
    }
    sqlite3* db_;
    sqlite3_stmt* s_ = nullptr;
};

QByteArray codeBarres(int article) {
    return QByteArray::number(3000000000000LL + article);
}

void construire(const QString& fichier) {
    db::InstallerFrancais();
    sqlite3* db = nullptr;
    verifier(sqlite3_open(QFile::encodeName(fichier).constData(), &db), db);
    const QByteArray schema =
        (db::ScriptSchemaSQLite() + QStringLiteral("\nPRAGMA user_version = ") +
         QString::number(db::VersionSchema) + u';')
            .toUtf8();
    verifier(sqlite3_exec(db, schema.constData(), nullptr, nullptr, nullptr), db);
    verifier(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db);
    Insertion article(db, "INSERT INTO F_ARTICLE (AR_Ref, AR_Design, AR_CodeBarre, AR_PoidsBrut, "
                          "AR_UnitePoids) VALUES (?1, ?1, ?2, ?3, 2)");
    for (int a = 0; a < Articles; ++a)
        article.texte(1, "A" + QByteArray::number(a))
            .texte(2, codeBarres(a))
            .reel(3, 0.1 + a % 7 * 0.05)
            .executer();
    Insertion expedition(db, "INSERT INTO [Expédition] ([No Expédition], [Libellé 1], "
                             "[Date cloture], [Nbr colis théorique]) VALUES (?1, 'Client', ?2, 5)");
    Insertion commande(db, "INSERT INTO [Liste commandes] ([No Expédition], [No commande SAGE]) "
                           "VALUES (?1, ?2)");
    Insertion ligne(db, "INSERT INTO F_DOCLIGNE (DO_Type, DO_Piece, DL_Ligne, AR_Ref, DL_Qte, "
                        "DL_QtePL) VALUES (1, ?1, ?2, ?3, 4, ?4)");
    Insertion colis(db, "INSERT INTO Colis ([No Expédition], [No Colis], [Poids colis]) "
                        "VALUES (?1, ?2, ?3)");
    Insertion colisage(db, "INSERT INTO Colisage ([No Expédition], [No Colis], "
                           "[Code barres Article], Quantité) VALUES (?1, ?2, ?3, 4)");
    Insertion journal(db, "INSERT INTO [Journal de saisie] ([Code type ligne], [No Expédition], "
                          "[No Colis], [Code barres Article], [Poids colis], Quantité, "
                          "[Date saisie], [Date intégration]) VALUES ('{EXPXA}', ?1, '1', ?2, "
                          "0, 1, ?3, ?3)");
    for (int n = 1; n <= Closes + Ouvertes; ++n) {
        const bool ouverte = n > Closes;
        const QByteArray piece = "C" + QByteArray::number(n);
        const QByteArray jour = QDate(2021, 12, 7)
                                    .addDays(n * 1826LL / (Closes + Ouvertes))
                                    .toString(Qt::ISODate)
                                    .toLatin1();
        expedition.entier(1, n);
        if (ouverte)
            sqlite3_bind_null(expedition.s_, 2);
        else
            expedition.texte(2, jour + " 18:00:00");
        expedition.executer();
        commande.entier(1, n).texte(2, piece).executer();
        const int lignes = ouverte ? LignesOuvertes : LignesCloses;
        const int parcels = ouverte ? 5 : 1;
        for (int c = 1; c <= parcels; ++c)
            colis.entier(1, n).entier(2, c).reel(3, 2.5).executer();
        for (int l = 0; l < lignes; ++l) {
            const int a = (n * 7 + l) % Articles;
            ligne.texte(1, piece)
                .entier(2, l)
                .texte(3, "A" + QByteArray::number(a))
                .entier(4, ouverte ? 4 : 0)
                .executer();
            if (!ouverte || l < 40)
                colisage.entier(1, n).entier(2, 1 + l % parcels).texte(3, codeBarres(a)).executer();
        }
        const int saisies = ouverte ? SaisiesOuvertes : SaisiesCloses;
        for (int s = 0; s < saisies; ++s)
            journal.entier(1, n)
                .texte(2, codeBarres((n + s) % Articles))
                .texte(3, jour + " 10:" + QByteArray::number(10 + s % 50) + ":00")
                .executer();
    }
    verifier(sqlite3_exec(db, "COMMIT; ANALYZE;", nullptr, nullptr, nullptr), db);
    sqlite3_close(db);
}

void preparer(const QString& dossier, const QString& fichier) {
    QDir().mkpath(dossier);
    if (QFile::exists(fichier))
        return;
    QElapsedTimer t;
    t.start();
    construire(fichier);
    std::printf("Base construite en %.1f s\n", static_cast<double>(t.elapsed()) / 1000);
}

// An integration run ended on another workstation: what the poll watches.
void integrationAilleurs(Contexte& ctx, int numero) {
    db::Base(ctx.cnx.get())
        .preparer(db::TexteSql(QStringLiteral(
            "INSERT INTO tarvo_integration (empreinte, modification, date_integration, archive) "
            "VALUES (:empreinte, 0, datetime('now'), '')")))
        // A new row on every run of the benchmark, which keeps its database.
        .lier(u":empreinte",
              QStringLiteral("banc-%1-%2").arg(QDateTime::currentMSecsSinceEpoch()).arg(numero))
        .executer();
}

int fenetre(int argc, char** argv, const QString& dossier) {
    QApplication application(argc, argv);
    QFile ini(dossier + QStringLiteral("/TARVOX.ini"));
    if (!ini.open(QIODevice::WriteOnly) ||
        ini.write("[DB]\r\nPROVIDER=SQLITE\r\nSECURITYMODE=INTEG\r\nDBNAME=suivi.db\r\n") < 0)
        return 1;
    ini.close();
    banc::PromptsBanc prompts;
    FeedbackMuet feedback;
    HorlogeSysteme horloge;
    Contexte ctx(dossier, prompts, feedback, horloge);
    ctx.modeSecurite = QStringLiteral("INTEG");
    if (!ConnexionBase(ctx, QString(), QString()))
        return 1;
    std::unique_ptr<suivi::FenetreSuivi> f;
    banc::RetardBoucle retard;
    std::printf("| étape | lignes listées | ms jusqu'à la liste | plus long blocage (ms) |\n"
                "|---|---|---|---|\n");
    const auto mesurer = [&](const char* etape, const std::function<void()>& geste) {
        retard.demarrer();
        QElapsedTimer t;
        t.start();
        geste();
        while (f->occupee())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::processEvents();
        const qint64 duree = t.elapsed();
        std::printf("| %s | %d | %lld | %lld |\n", etape,
                    f->findChild<QTableView*>()->model()->rowCount(), static_cast<long long>(duree),
                    static_cast<long long>(retard.arreter()));
        std::fflush(stdout);
    };
    // Typed at a clerk's pace, a key every 80 ms.
    const auto taper = [&f](const QString& texte) {
        auto* filtre = f->findChild<QLineEdit*>(QStringLiteral("Filtre"));
        for (qsizetype n = 1; n <= texte.size(); ++n) {
            filtre->setText(texte.left(n));
            QElapsedTimer pause;
            pause.start();
            while (pause.elapsed() < 80)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
    };
    mesurer("ouverture", [&] {
        f = std::make_unique<suivi::FenetreSuivi>(ctx, 3600000);
        f->show();
    });
    mesurer("expéditions closes cochées",
            [&] { f->findChild<QCheckBox*>(QStringLiteral("AffClot"))->setChecked(true); });
    mesurer("filtre « 1999 » tapé, toutes colonnes", [&] { taper(QStringLiteral("1999")); });
    mesurer("filtre effacé", [&] { f->findChild<QLineEdit*>(QStringLiteral("Filtre"))->clear(); });
    auto* vue = f->findChild<QTableView*>();
    mesurer("tri par dernière saisie, décroissant", [&] {
        vue->sortByColumn(suivi::RangColonne(suivi::ColonneSuivi::DerniereSaisie),
                          Qt::DescendingOrder);
    });
    mesurer("tri par libellé", [&] {
        vue->sortByColumn(suivi::RangColonne(suivi::ColonneSuivi::Libelle1), Qt::AscendingOrder);
    });
    f->findChild<QComboBox*>(QStringLiteral("ColonneFiltre"))
        ->setCurrentIndex(1 + suivi::RangColonne(suivi::ColonneSuivi::NoExpedition));
    mesurer("filtre « 2019 » tapé, numéro", [&] { taper(QStringLiteral("2019")); });
    f->findChild<QLineEdit*>(QStringLiteral("Filtre"))->clear();
    while (f->occupee())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    for (int n = 1; n <= 3; ++n) {
        integrationAilleurs(ctx, n);
        mesurer("après une intégration ailleurs", [&] { f->verifierIntegration(); });
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const bool modeFenetre = argc > 1 && qstrcmp(argv[1], "--fenetre") == 0;
    const int rangDossier = modeFenetre ? 2 : 1;
    const QString dossier = argc > rangDossier ? QString::fromLocal8Bit(argv[rangDossier])
                                               : QStringLiteral("/tmp/tarvo-bench-suivi");
    const QString fichier = dossier + QStringLiteral("/suivi.db");
    preparer(dossier, fichier);
    if (modeFenetre)
        return fenetre(argc, argv, dossier);
    QCoreApplication application(argc, argv);
    Connexion cnx(QStringLiteral("bench"));
    ParametresConnexion p;
    p.base = fichier;
    cnx.ouvrir(p);
    const db::Base base(&cnx);
    db::Requete plan = base.preparer(db::TexteSql(QStringLiteral("EXPLAIN QUERY PLAN ") +
                                                  suivi::sql::Suivi.pour(db::Moteur::SQLite)));
    plan.lier(u":closes", 0).lier(u":tolerance", 10.0);
    while (plan.suivante())
        std::printf("  plan: %s\n", qPrintable(plan.texte(3)));
    plan.terminer();
    // The processor time of the process beside the wall-clock time: on a
    // machine shared with builds the wall clock mostly measures the wait.
    std::printf("| essai | expéditions | ms (horloge) | ms (processeur) |\n|---|---|---|---|\n");
    // Five reads of the open shipments, then one with the closed ones too
    // (the check box), which the window only does on demand.
    for (int essai = 1; essai <= 6; ++essai) {
        QElapsedTimer t;
        t.start();
        const std::clock_t debut = std::clock();
        const auto lignes = suivi::LireSuivi(base, essai == 6, 10);
        const auto processeur =
            static_cast<long long>((std::clock() - debut) * 1000 / CLOCKS_PER_SEC);
        std::printf("| %s | %lld | %lld | %lld |\n",
                    essai == 6 ? "closes" : qPrintable(QString::number(essai)),
                    static_cast<long long>(lignes.size()), static_cast<long long>(t.elapsed()),
                    processeur);
    }
    return 0;
}
