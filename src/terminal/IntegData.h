#pragma once

#include "FichierTravail.h"
#include "base/Erreur.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <chrono>
#include <memory>

namespace tarvo {
struct Contexte;
}
namespace tarvo::db {
class Verrou;
}

namespace tarvo::terminal {

// How a run that did not fail ended.
struct ResultatIntegration {
    enum class Issue {
        // No file at the configured path (or no path): nothing was done.
        AucunFichier,
        // Another run, on this or another workstation, still held the
        // integration after the wait: nothing was touched.
        DejaEnCours,
        // A terminal still held the data file open for writing after the
        // run's patience: nothing of it was committed, it waits for the next
        // run.
        EnAttente,
        // The very file of a committed run, left by a stop after its commit
        // (or written again with its bytes and time): removed, not integrated
        // again.
        DejaIntegre,
        // Integrated in one transaction, archived, committed and removed.
        Integre
    };
    Issue issue;
    // The configured path of the data file.
    QString cheminData;
    // Where the file's lines are archived.
    QString archive;
    // The lines journaled and their shipments, over the files integrated.
    qint64 lignes = 0;
    QSet<qint32> expeditions{};
    // What went wrong once the lines were committed (an archive that could
    // not take its name, a work file that could not be removed): the lines
    // are in, the person has a file to see to.
    QStringList avertissements{};
    // The lines taken although they looked wrong (a number read in part, a
    // negative quantity, an unknown article or shipment): their number, and
    // the first of them, « Ligne 7 : … », for erreurs.txt.
    qint64 nombreAvertissementsLignes = 0;
    QStringList avertissementsLignes{};
};

// How long a run waits, for another run and for a terminal still writing.
struct ReglagesIntegration {
    std::chrono::milliseconds attenteAutreIntegration{10000};
    std::chrono::milliseconds patienceEcrivain = FichierTravail::PatienceParDefaut;
    std::chrono::milliseconds calmeSansEcrivainVisible = FichierTravail::CalmeParDefaut;
    // The person's « Annuler »: the run stops before its commit, between two
    // lines or while it waits, as a failed run does (nothing of the file
    // committed, the file back under its name), with ArretDemande's error.
    std::stop_token arret{};
};

// The lock that keeps integrations from overlapping, on every workstation.
inline const QString NomVerrouIntegration = QStringLiteral("integration");

// The integration lock, once nobody else holds it; null when another run
// still holds it after `attente`. The wait shows in the status and progress,
// and ends with ArretDemande's error once `arret` is requested. Raises
// ErreurTarvo when there is no open connection to ask.
std::unique_ptr<db::Verrou> PrendreVerrouIntegration(Contexte& ctx,
                                                     std::chrono::milliseconds attente,
                                                     const std::stop_token& arret = {});

// A failed run, and where it stopped.
class ErreurIntegration : public ErreurTarvo {
public:
    enum class Etape {
        // Before the lines of a file: the lock, the configuration, taking a file.
        Debut,
        // Reading or handling a line: ligne() is its 1-based number (past the
        // last line, the number of lines).
        Ligne,
        // The steps after the lines, in their order.
        Archive,
        Validation,
        // Removing the file of a run that had committed it already.
        Suppression
    };

    ErreurIntegration(const ErreurTarvo& cause, Etape etape, qint64 ligne = 0);

    Etape etape() const { return etape_; }
    qint64 ligne() const { return ligne_; }
    // As the failure message numbers it: the line, 0 before the first one,
    // then -1 for the archive, -2 for the removal, -3 for the commit.
    qint64 numeroLigneFichier() const;

private:
    Etape etape_;
    qint64 ligne_;
};

// Integrates the terminal data file. Integrations never overlap, on any
// workstation: the run first takes the integration lock in the database,
// waiting a short while with the wait shown, and keeps it until its files are
// gone. Under it: first a work file left by a stop (removed only when its run
// had committed), then the data file, moved to its work name in one rename so
// that a terminal writing meanwhile starts a new data file. Each is read until
// no terminal holds it open any more, integrated in one transaction, its bytes
// read archived, committed and removed, with the status and progress of the
// run. Raises ErreurIntegration, which says where the run stopped; nothing of that file is
// then committed, it is back under its name (or, when a terminal has started
// a new data file meanwhile, waits under its work name for the next run; but
// after a failed removal) and no archive of an uncommitted run remains; the
// status shows the line that failed.
ResultatIntegration IntegrerFichierData(Contexte& ctx, const ReglagesIntegration& reglages = {});

// The same with its boxes: the completion (and in the status bar how many
// lines went into how many shipments), the missing file, another run in
// progress, a file still being written, and a failure (also written to
// erreurs.txt) with where the run stopped. False when there was no file,
// another run held the integration, or the run failed.
bool IntegData(Contexte& ctx);

// IntegData's boxes for a run that ended, for a run made elsewhere (off the
// window's thread); false as IntegData says.
bool SignalerIntegration(Contexte& ctx, const ResultatIntegration& resultat);
// IntegData's boxes for a failed run; a run the person stopped is said so,
// and is no error for erreurs.txt.
void SignalerEchecIntegration(Contexte& ctx, const ErreurIntegration& echec);

} // namespace tarvo::terminal
