#pragma once

#include "app/Demarrage.h"

#include <memory>

namespace tarvo::ui {

class FenetrePrincipale;

// From the splash window to the main window showing "Prêt": the start-up
// checks, then integrated login or the login dialog until the connection
// opens. Throws ArretProgramme when the program must end (its box, if any,
// has been shown).
std::unique_ptr<FenetrePrincipale> Demarrer(Contexte& ctx, const LanceurProgramme& lanceur);

} // namespace tarvo::ui
