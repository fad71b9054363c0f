#pragma once

#include "base/Environnement.h"

#include <QString>
#include <memory>

namespace tarvo {

class Connexion;

// The program-wide state of one run: its environment, the choices made at
// start-up and the two database connections.
struct Contexte : Environnement {
    Contexte(QString dossierProgramme, Prompts& prompts, Feedback& feedback, const Clock& horloge);
    ~Contexte();

    // "INTEG" or "SQL", chosen at start-up.
    QString modeSecurite = QStringLiteral("SQL");
    // Set at start-up and never changed: the bar-code control entry prints the
    // range control report.
    bool controleParGamme = true;

    std::unique_ptr<Connexion> cnx;
    std::unique_ptr<Connexion> conxReport;
};

} // namespace tarvo
