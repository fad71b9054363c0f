#pragma once

#include "Clock.h"
#include "Feedback.h"
#include "Prompts.h"

#include <QString>
#include <memory>

namespace tarvo {

class Connexion;

// The program-wide state of one run: where the program folder is, how to talk
// to the person, and the two database connections.
struct Contexte {
    Contexte(QString dossierProgramme, Prompts& prompts, Feedback& feedback, const Clock& horloge);
    ~Contexte();
    Contexte(const Contexte&) = delete;
    Contexte& operator=(const Contexte&) = delete;

    QString dossierProgramme;
    Prompts& prompts;
    Feedback& feedback;
    const Clock& horloge;

    // "INTEG" or "SQL", chosen at start-up.
    QString modeSecurite = QStringLiteral("SQL");
    // Set at start-up and never changed: the bar-code control entry prints the
    // range control report.
    bool controleParGamme = true;

    std::unique_ptr<Connexion> cnx;
    std::unique_ptr<Connexion> conxReport;

    // A file of the program folder.
    QString chemin(const QString& nomFichier) const;

    void afficheStatut(const QString& texte) { feedback.statut(texte); }
    void afficheProgression(int pourcentage) { feedback.progression(pourcentage); }
};

} // namespace tarvo
