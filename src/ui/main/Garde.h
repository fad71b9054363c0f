#pragma once

#include <QObject>
#include <functional>
#include <type_traits>

namespace tarvo {
struct Contexte;
}

namespace tarvo::ui {

// Qt does not carry exceptions through its own frames: whatever a slot, a
// timer or an event handler calls in the core runs inside garde(), so that
// nothing thrown ever reaches the event loop.
//
// An ErreurTarvo shows the detailed error box titled "Erreur", a missing
// section of TARVOX.ini its box and then ends the program, an ArretProgramme
// ends it with its status, any other standard exception shows the box with
// its text. True when the command ran to its end.
bool garde(Contexte& ctx, const std::function<void()>& commande);

// Ends the program with `code`: through the main window when there is one
// (which then saves nothing), else by leaving the event loop.
void arreterProgramme(int code);

// Connects `signal` to a command run through garde(): a member function of
// `recepteur` without arguments, or any callable without arguments (the
// signal's arguments are dropped). The connection lives as long as both ends.
template <typename Emetteur, typename Signal, typename Recepteur, typename Commande>
QMetaObject::Connection connecterGarde(Contexte& ctx, Emetteur emetteur, Signal signal,
                                       Recepteur* recepteur, Commande commande) {
    if constexpr (std::is_member_function_pointer_v<Commande>)
        return QObject::connect(emetteur, signal, recepteur, [&ctx, recepteur, commande] {
            garde(ctx, [recepteur, commande] { (recepteur->*commande)(); });
        });
    else
        return QObject::connect(emetteur, signal, recepteur,
                                [&ctx, commande] { garde(ctx, commande); });
}

} // namespace tarvo::ui
