#pragma once

#include "Entrees.h"

#include <QString>
#include <functional>
#include <optional>

class QAction;
class QMenu;
class QWidget;

namespace tarvo {
struct Contexte;
}

namespace tarvo::ui {

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

    // The hidden pop-up menu of printouts of the shipment modification window.
    virtual QMenu* mnuEditionExp() const = 0;

protected:
    ~CadreCommandes() = default;
};

} // namespace tarvo::ui
