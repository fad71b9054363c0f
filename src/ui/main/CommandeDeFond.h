#pragma once

#include "CadreCommandes.h"
#include "TravailDeFond.h"

#include <memory>

class QPushButton;

namespace tarvo {
class Feedback;
}

namespace tarvo::ui {

// The one command of the main window that runs off its thread (see
// CadreCommandes::commandeDeFond), and its « Annuler » button, shown while
// it runs.
class CommandeDeFond {
public:
    // `fenetre` shows the status and progress; `annuler` is shown while the
    // work runs.
    CommandeDeFond(Contexte& ctx, QObject* fenetre, Feedback& affichage, QPushButton* annuler);
    // The work must not outlive the window it reports to: it is asked to
    // stop, and waited for.
    ~CommandeDeFond();
    CommandeDeFond(const CommandeDeFond&) = delete;
    CommandeDeFond& operator=(const CommandeDeFond&) = delete;

    bool lancer(const TravailHorsFenetre& travail);
    bool enCours() const { return travail_.enCours(); }

private:
    Contexte& ctx_;
    QPushButton* annuler_;
    // Hands what the work says to the window's thread.
    std::shared_ptr<Feedback> relais_;
    TravailDeFond<Conclusion> travail_;
};

} // namespace tarvo::ui
