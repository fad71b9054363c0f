#pragma once

#include "Clock.h"
#include "Feedback.h"
#include "Prompts.h"

#include <QString>

namespace tarvo {

// What every layer may use of one run: where the program folder is, how to
// talk to the person and the time. The run's connections come on top of it,
// in the application's context.
struct Environnement {
    Environnement(QString dossierProgramme, Prompts& prompts, Feedback& feedback,
                  const Clock& horloge);
    Environnement(const Environnement&) = delete;
    Environnement& operator=(const Environnement&) = delete;

    QString dossierProgramme;
    Prompts& prompts;
    Feedback& feedback;
    const Clock& horloge;

    // A file of the program folder.
    QString chemin(const QString& nomFichier) const;

    void afficheStatut(const QString& texte) { feedback.statut(texte); }
    void afficheProgression(int pourcentage) { feedback.progression(pourcentage); }

protected:
    ~Environnement() = default;
};

} // namespace tarvo
