#pragma once

#include "app/Demarrage.h"

#include <exception>
#include <memory>

namespace tarvo::ui {

class FenetrePrincipale;

// Raised by the start-up sequence, and by a command that must end the program
// at once, after its box (if any) has been shown: the desktop program's entry
// points catch it and end without saving anything.
class ArretProgramme : public std::exception {
public:
    explicit ArretProgramme(int code = 1) : code_(code) {}
    int code() const { return code_; }
    const char* what() const noexcept override { return "arrêt du programme"; }

private:
    int code_;
};

// From the splash window to the main window showing "Prêt": the start-up
// checks, then integrated login or the login dialog until the connection
// opens. Throws ArretProgramme when the program must end (its box, if any,
// has been shown).
std::unique_ptr<FenetrePrincipale> Demarrer(Contexte& ctx, const LanceurProgramme& lanceur);

} // namespace tarvo::ui
