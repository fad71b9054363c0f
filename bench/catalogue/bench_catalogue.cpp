// Times the article synchronisation on the embedded database: 200,000 Sage
// articles into an empty Article, then again after 10,000 of them changed
// and 5,000 vanished, each against the same two set-based statements run
// alone through the SQLite C API on an identical copy; then the deletion walk
// of the 5,000 obsolete articles with the real main window (offscreen) as its
// progress bar.
//
//   QT_QPA_PLATFORM=offscreen bench_catalogue DOSSIER [ARTICLES] [REPETITIONS]
#include "app/Contexte.h"
#include "base/Erreur.h"
#include "catalogue/SqlCatalogue.h"
#include "catalogue/Synchronisation.h"
#include "db/CollationFrancaise.h"
#include "db/Connexion.h"
#include "db/Schema.h"
#include "ui/main/FenetrePrincipale.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <sqlite3.h>

using namespace tarvo;

namespace {

class PromptsSilencieux : public Prompts {
public:
    void message(Icone, const QString& titre, const QString& texte) override {
        std::fprintf(stderr, "%s\n%s\n", qPrintable(titre), qPrintable(texte));
    }
    bool question(Icone, const QString&, const QString&, bool) override { return true; }
    Reponse questionAnnulable(Icone, const QString&, const QString&) override {
        return Reponse::Oui;
    }
    std::optional<QString> saisie(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    QString choisirFichier(const QString&, const QString&) override { return {}; }
};

struct Poste {
    PromptsSilencieux prompts;
    FeedbackRelais feedback;
    HorlogeSysteme horloge;
    Contexte ctx;

    Poste(const QString& dossier, const QString& fichier)
        : ctx(dossier, prompts, feedback, horloge) {
        ctx.cnx = std::make_unique<Connexion>(QStringLiteral("Bench"));
        ParametresConnexion p;
        p.moteur = db::Moteur::SQLite;
        p.base = fichier;
        ctx.cnx->ouvrir(p, true);
    }
};

void sqlite(sqlite3* base, const QString& sql) {
    char* message = nullptr;
    if (sqlite3_exec(base, sql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK)
        qFatal("%s : %s", qPrintable(sql), message);
}

sqlite3* ouvrir(const QString& fichier) {
    sqlite3* base = nullptr;
    db::InstallerFrancais();
    if (sqlite3_open(fichier.toUtf8().constData(), &base) != SQLITE_OK)
        qFatal("%s", qPrintable(fichier));
    sqlite(base, QStringLiteral("PRAGMA journal_mode=WAL; PRAGMA foreign_keys=ON;"));
    return base;
}

void copier(const QString& de, const QString& vers) {
    QFile::remove(vers);
    QFile::remove(vers + QStringLiteral("-wal"));
    QFile::remove(vers + QStringLiteral("-shm"));
    if (!QFile::copy(de, vers))
        qFatal("Copie impossible : %s", qPrintable(vers));
}

// The database file without its journal, so that a copy is complete.
void fermerProprement(const QString& fichier) {
    sqlite3* base = ouvrir(fichier);
    sqlite(base, QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE); PRAGMA journal_mode=DELETE;"));
    sqlite3_close(base);
}

// `articles` Sage articles without range, one bar code each.
void generer(const QString& dossier, const QString& fichier, int articles) {
    {
        Poste poste(dossier, fichier);
        db::CreerBaseEmbarquee(*poste.ctx.cnx, false);
    }
    sqlite3* base = ouvrir(fichier);
    sqlite(base, QStringLiteral("BEGIN"));
    sqlite3_stmt* ins = nullptr;
    sqlite3_prepare_v2(base,
                       "INSERT INTO F_ARTICLE (AR_Ref, AR_Design, AR_CodeBarre) VALUES (?, ?, ?)",
                       -1, &ins, nullptr);
    for (int i = 0; i < articles; ++i) {
        const QByteArray ref = QStringLiteral("AR%1").arg(i, 8, 10, QLatin1Char('0')).toUtf8();
        const QByteArray design = QStringLiteral("Article n° %1 en lin lavé").arg(i).toUtf8();
        const QByteArray code =
            QStringLiteral("3%1").arg(i * 7 + 1000003, 12, 10, QLatin1Char('0')).toUtf8();
        sqlite3_bind_text(ins, 1, ref.constData(), static_cast<int>(ref.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(ins, 2, design.constData(), static_cast<int>(design.size()),
                          SQLITE_TRANSIENT);
        sqlite3_bind_text(ins, 3, code.constData(), static_cast<int>(code.size()),
                          SQLITE_TRANSIENT);
        if (sqlite3_step(ins) != SQLITE_DONE)
            qFatal("insertion");
        sqlite3_reset(ins);
    }
    sqlite3_finalize(ins);
    sqlite(base, QStringLiteral("COMMIT"));
    sqlite3_close(base);
    fermerProprement(fichier);
}

// 10,000 articles renamed and 5,000 gone from Sage.
void faireVieillir(const QString& fichier) {
    sqlite3* base = ouvrir(fichier);
    sqlite(base, QStringLiteral("UPDATE F_ARTICLE SET AR_Design = AR_Design || ' (nouveau)' "
                                "WHERE rowid % 20 = 0"));
    sqlite(base, QStringLiteral("DELETE FROM F_ARTICLE WHERE rowid % 40 = 1"));
    sqlite3_close(base);
    fermerProprement(fichier);
}

struct Mesure {
    double tarvo = 1e9;
    // Of which the update and the insert, without the search of obsolete articles.
    double miseAJour = 1e9;
    double reference = 1e9;
    catalogue::MiseAJourArticles resultat;
    qint64 obsoletes = 0;
};

// Tarvo's update, insert (one transaction) and search of obsolete articles.
double synchroniserTarvo(const QString& dossier, const QString& fichier, Mesure& m) {
    Poste poste(dossier, fichier);
    db::Base base(poste.ctx.cnx.get());
    QElapsedTimer chrono;
    chrono.start();
    m.resultat = catalogue::MettreAJourArticles(poste.ctx, base);
    m.miseAJour = std::min(m.miseAJour, static_cast<double>(chrono.nsecsElapsed()) / 1e9);
    m.obsoletes = catalogue::ChercherArticlesObsoletes(base).size();
    return static_cast<double>(chrono.nsecsElapsed()) / 1e9;
}

// The two statements alone, on the C API.
double synchroniserReference(const QString& fichier) {
    sqlite3* base = ouvrir(fichier);
    QElapsedTimer chrono;
    chrono.start();
    sqlite(base, catalogue::sql::MajArticles.pour(db::Moteur::SQLite));
    sqlite(base, catalogue::sql::AjoutArticles.pour(db::Moteur::SQLite));
    const double duree = static_cast<double>(chrono.nsecsElapsed()) / 1e9;
    sqlite3_close(base);
    return duree;
}

Mesure mesurer(const QString& dossier, const QString& modele, int repetitions) {
    Mesure m;
    const QString essai = dossier + QStringLiteral("/essai.db");
    for (int i = 0; i < repetitions; ++i) {
        copier(modele, essai);
        m.tarvo = std::min(m.tarvo, synchroniserTarvo(dossier, essai, m));
        copier(modele, essai);
        m.reference = std::min(m.reference, synchroniserReference(essai));
    }
    return m;
}

void afficher(const char* nom, const Mesure& m) {
    std::printf("| %s | %.2f s (%.2f s) | %.2f s | %.2f (%.2f) | %lld mis à jour, %lld ajoutés, "
                "%lld obsolètes |\n",
                nom, m.tarvo, m.miseAJour, m.reference, m.tarvo / m.reference,
                m.miseAJour / m.reference, static_cast<long long>(m.resultat.misAJour),
                static_cast<long long>(m.resultat.ajoutes), static_cast<long long>(m.obsoletes));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "Usage : bench_catalogue DOSSIER [ARTICLES] [REPETITIONS]\n");
        return 2;
    }
    const QString dossier = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const int articles = argc > 2 ? std::atoi(argv[2]) : 200000;
    const int repetitions = argc > 3 ? std::atoi(argv[3]) : 3;
    QDir().mkpath(dossier);
    const QString vide = dossier + QStringLiteral("/vide.db");
    const QString suite = dossier + QStringLiteral("/suite.db");
    try {
        QFile::remove(vide);
        generer(dossier, vide, articles);
        std::printf("| Travail | Tarvo (dont mise à jour et ajout) | instructions seules (C API) "
                    "| rapport | lignes |\n|---|---|---|---|---|\n");
        afficher("Article vide", mesurer(dossier, vide, repetitions));

        // The second state: the first run done, then Sage changed.
        copier(vide, suite);
        synchroniserReference(suite);
        fermerProprement(suite);
        faireVieillir(suite);
        afficher("Après 10 000 modifiés, 5 000 disparus", mesurer(dossier, suite, repetitions));

        // The deletion walk, its progress bar drawn by the main window.
        double marche = 1e9;
        catalogue::BilanSuppression bilan;
        const QString essai = dossier + QStringLiteral("/essai.db");
        for (int i = 0; i < repetitions; ++i) {
            copier(suite, essai);
            synchroniserReference(essai);
            Poste poste(dossier, essai);
            ui::FenetrePrincipale fenetre(poste.ctx);
            fenetre.show();
            poste.feedback.cible = &fenetre;
            const db::Base base(poste.ctx.cnx.get());
            const QList<catalogue::ArticleObsolete> obsoletes =
                catalogue::ChercherArticlesObsoletes(base);
            QElapsedTimer chrono;
            chrono.start();
            bilan = catalogue::SupprimerArticles(poste.ctx, base, obsoletes);
            marche = std::min(marche, static_cast<double>(chrono.nsecsElapsed()) / 1e9);
        }
        std::printf("| Suppression ligne à ligne, fenêtre principale (offscreen) | %.2f s | | | "
                    "%lld supprimés, %lld encore utilisés |\n",
                    marche, static_cast<long long>(bilan.supprimes),
                    static_cast<long long>(bilan.encoreUtilises));
    } catch (const ErreurTarvo& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.erreur().description));
        return 1;
    }
    return 0;
}
