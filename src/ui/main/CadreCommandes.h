#pragma once

#include "Entrees.h"

#include <QString>
#include <functional>
#include <optional>
#include <stop_token>

class QAction;
class QMenu;
class QWidget;

namespace tarvo {
struct Contexte;
}

namespace tarvo::ui {

// What work run off the window's thread leaves to do on it, with the
// window's context: its boxes, its status.
using Conclusion = std::function<void(Contexte& ctx)>;
// Work run off the window's thread on a context of its own; it stops early
// once the stop token is requested.
using TravailHorsFenetre = std::function<Conclusion(Contexte& ctx, std::stop_token arret)>;

// What a subsystem's windows need of the main window: its context, its
// entries, and a place for their working windows. The main window implements
// it; the subsystems include only this.
class CadreCommandes {
public:
    virtual Contexte& contexte() const = 0;
    // The parent of the commands' dialogs.
    virtual QWidget* fenetre() = 0;

    // The entry's action in its menu or toolbar.
    virtual QAction* action(Entree entree) const = 0;
    // Connects an entry to its command and enables it. Commands run one at a
    // time; an ErreurTarvo escaping one shows the detailed error box, an
    // ArretProgramme ends the program.
    virtual void brancher(Entree entree, const std::function<void()>& commande) = 0;

    // Opens the working window known as `nom`, or brings it back when it is
    // already open (one instance each).
    virtual QWidget* ouvrirFenetre(const QString& nom,
                                   const std::function<QWidget*()>& fabrique) = 0;

    // A confirmation question; on yes the command, then "Traitement terminé."
    // under the same title only when the command says it succeeded.
    virtual void commandeConfirmee(const QString& titre, const QString& question,
                                   const std::function<bool()>& commande) = 0;
    // The same, the command giving what it did, said after "Traitement
    // terminé."; none when it failed.
    virtual void
    commandeConfirmeeAvecBilan(const QString& titre, const QString& question,
                               const std::function<std::optional<QString>()>& commande) = 0;

    // Runs `travail` off the window's thread, the window answering
    // meanwhile, on a context of its own: a connection opened with the
    // run's settings, its status and progress shown in the window as they
    // come, its boxes shown once it ends (it must ask nothing). « Annuler »
    // beside the progress requests its stop token; its conclusion then runs
    // on the window's thread. An ErreurTarvo escaping it shows the detailed
    // error box. One such work at a time: false when one still runs.
    virtual bool commandeDeFond(const TravailHorsFenetre& travail) = 0;

    // The hidden pop-up menu of printouts of the shipment modification window.
    virtual QMenu* mnuEditionExp() const = 0;

protected:
    ~CadreCommandes() = default;
};

} // namespace tarvo::ui
