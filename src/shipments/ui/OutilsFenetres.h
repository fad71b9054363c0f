#pragma once

#include <QString>
#include <functional>
#include <initializer_list>

class QPushButton;
class QWidget;

namespace tarvo {
struct Contexte;
}

namespace tarvo::expeditions {

// Runs a handler of a shipment window; a database failure shows the detailed
// box titled "Erreur" and the window stays usable. True when it ran through.
bool sansPanne(Contexte& ctx, const std::function<void()>& traitement);

// Calls `action` each time the working window is activated in the main
// window's working area (or, outside it, when it becomes the active window).
void surActivation(QWidget* fenetre, const std::function<void()>& action);

// The row of buttons under a shipment window's lists, left-aligned.
QWidget* barreBoutons(QWidget* fenetre, std::initializer_list<QPushButton*> boutons);

} // namespace tarvo::expeditions
