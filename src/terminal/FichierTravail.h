#pragma once

#include "FichiersIntegres.h"
#include "LecteurLignes.h"

#include <QDateTime>
#include <QString>
#include <chrono>
#include <optional>

namespace tarvo {
class Feedback;
}

namespace tarvo::terminal {

// Raised by the reader when a terminal still holds the data file open for
// writing after the run has waited its patience: nothing of the file is
// committed and it waits for the next run.
struct FichierEnCoursDEcriture {};

// The data file of one integration, from the moment it is taken until it is
// gone. It is taken whole by one rename within its folder, so that a terminal
// that writes next starts a new data file; it is read while a terminal that
// opened it before still writes, until that terminal lets it go; exactly the
// bytes handed to the reader are archived; what arrived after the last read
// goes back to the data file; and only then is the work file removed. The
// caller holds the integration lock from before prendre() until after
// terminer() or abandonner(), so no other run touches these files.
class FichierTravail {
public:
    // How long a run waits for a terminal that holds the file without
    // writing anything.
    static constexpr std::chrono::milliseconds PatienceParDefaut{30000};

    FichierTravail(QString cheminData, QString dossierArchive, Feedback& feedback,
                   std::chrono::milliseconds patience = PatienceParDefaut);

    // Takes the work file that an earlier run left, if any; else, with
    // `aussiData`, the data file renamed to its work name. False when there
    // is none. Raises ErreurTarvo, naming it, for a file that is a link, a
    // folder or no regular file.
    bool prendre(bool aussiData);
    const QString& chemin() const { return travail_; }
    LecteurLignes& lecteur() { return *lecteur_; }
    // The file read whole, as a later run would find it again.
    IdentiteFichier identite();

    // Writes exactly the bytes read under a provisional name in the archive
    // folder, as a new file, and puts them on disk; returns the archive's
    // name, which the file takes in terminer(). Raises ErreurTarvo.
    QString archiver(const QDateTime& dateIntegration);
    // Once the lines are committed: the archive takes its name, bytes written
    // after the last read go back to the data file, the work file goes.
    // Raises ErreurTarvo.
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
    // A note that earlier versions left beside the data file, naming an
    // archive: never followed, removed; what it named, for the log.
    static std::optional<QString> ecarterAncienRepere(const QString& cheminData);

private:
    bool suite(qint64 octetsLus);

    QString cheminData_;
    QString dossierArchive_;
    QString travail_;
    Feedback& feedback_;
    std::chrono::milliseconds patience_;
    std::optional<LecteurLignes> lecteur_;
    QString archive_;
    QString provisoire_;
    bool relu_ = false;
    qint64 octetsAttente_ = -1;
    qint64 debutAttente_ = 0;
};

} // namespace tarvo::terminal
