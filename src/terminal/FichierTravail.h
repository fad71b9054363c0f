#pragma once

#include "FichiersIntegres.h"
#include "LecteurLignes.h"

#include <QDateTime>
#include <QString>
#include <chrono>
#include <optional>
#include <stop_token>

namespace tarvo {
class Feedback;
}

namespace tarvo::terminal {

// Raised by the reader when a terminal still holds the data file open for
// writing after the run has waited its patience: nothing of the file is
// committed and it waits for the next run.
struct FichierEnCoursDEcriture {};

// Raises the ErreurTarvo of a run the person stopped (NumeroErreur::Annulation)
// once `arret` is requested.
void ArretDemande(const std::stop_token& arret);

// The data file of one integration, from the moment it is taken until it is
// gone. It is taken whole by one rename within its folder, so that a terminal
// that writes next starts a new data file; it is read while a terminal that
// opened it before still writes, until that terminal lets it go; exactly the
// bytes handed to the reader are archived; what arrived after the last read
// stays, alone, under the work name for the next run (ahead of any newer
// data file, and never spliced to another file's line); otherwise the work
// file is removed. The caller holds the integration lock from before
// prendre() until after terminer() or abandonner(), so no other run touches
// these files.
//
// Where the system cannot tell whether a terminal still writes (a file of
// another account, a network folder), the data file is taken only once its
// size and time have stayed the same for a while, and a last line without
// its end counts only once the file has stayed the same as long again.
class FichierTravail {
public:
    // How long a run waits for a terminal that holds the file without
    // writing anything.
    static constexpr std::chrono::milliseconds PatienceParDefaut{30000};
    // How long a file whose writers cannot be seen must stay the same before
    // it is taken as complete.
    static constexpr std::chrono::milliseconds CalmeParDefaut{3000};

    // The waits for a terminal end with ArretDemande's error once
    // `arret` is requested.
    FichierTravail(QString cheminData, QString dossierArchive, Feedback& feedback,
                   std::chrono::milliseconds patience = PatienceParDefaut,
                   std::chrono::milliseconds calme = CalmeParDefaut, std::stop_token arret = {});

    // Takes the work file that an earlier run left, if any; else, with
    // `aussiData`, the data file renamed to its work name. False when there
    // is none. Raises ErreurTarvo, naming it, for a file that is a link, a
    // folder or no regular file; FichierEnCoursDEcriture, the file left
    // untouched, when a data file without visible writers never stays the
    // same for long enough.
    bool prendre(bool aussiData);
    const QString& chemin() const { return travail_; }
    LecteurLignes& lecteur() { return *lecteur_; }
    // The file read whole, as a later run would find it again.
    IdentiteFichier identite();

    // Writes exactly the bytes read under a provisional name in the archive
    // folder, as a new file, and puts them on disk; returns the archive's
    // name, which the file takes in terminer(). Raises ErreurTarvo.
    QString archiver(const QDateTime& dateIntegration);
    // Once the lines are committed: the archive takes its name, the bytes
    // written after the last read take the work file's place (or the work
    // file goes). Raises ErreurTarvo; the lines are in whatever it says.
    void terminer();
    // Nothing committed: the provisional archive goes; with `remettre`, the
    // work file goes back to the data file's name (or, when a terminal has
    // started a new one meanwhile, waits under its work name for the next
    // run).
    void abandonner(bool remettre) noexcept;
    // The file was already integrated by a run that stopped before removing
    // it: only removed. Raises ErreurTarvo.
    void retirer();

    // Finishes what a stop left in the archive folder: an archive that a
    // committed run could not rename takes its name, one of a run that
    // committed nothing goes. Only files of that folder with the provisional
    // suffix are touched.
    static void reprendreArchives(const db::Base& base, const QString& dossierArchive);
    // Finishes what a stop left under the work name: when the work file
    // starts with the very bytes a committed run archived (it stopped before
    // setting apart what it had not read), only the bytes after them stay.
    // Raises ErreurTarvo.
    void reprendreReste(const db::Base& base);
    // A note that earlier versions left beside the data file, naming an
    // archive: never followed, removed; what it named, for the log.
    static std::optional<QString> ecarterAncienRepere(const QString& cheminData);

private:
    bool suite(qint64 octetsLus, bool ligneEntamee);
    bool suiteSansBail(qint64 octetsLus, bool ligneEntamee);
    void attendreCalme(const QString& chemin);
    void mettreResteAPart(QFile& travail, qint64 depuis);
    void patienter(qint64 debut);

    QString cheminData_;
    QString dossierArchive_;
    QString travail_;
    Feedback& feedback_;
    std::chrono::milliseconds patience_;
    std::chrono::milliseconds calme_;
    std::stop_token arret_;
    // The file's writers cannot be seen: its growth is the only sign of one.
    bool sansBail_ = false;
    std::optional<LecteurLignes> lecteur_;
    QString archive_;
    QString provisoire_;
    bool relu_ = false;
    qint64 octetsAttente_ = -1;
    qint64 debutAttente_ = 0;
    qint64 debutLecture_ = 0;
};

} // namespace tarvo::terminal
