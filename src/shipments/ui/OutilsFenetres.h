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

// Calls `action`, through ui::garde(), each time the working window is
// activated in the main window's working area (or, outside it, when it
// becomes the active window).
void surActivation(Contexte& ctx, QWidget* fenetre, const std::function<void()>& action);

// The row of buttons under a shipment window's lists, left-aligned.
QWidget* barreBoutons(QWidget* fenetre, std::initializer_list<QPushButton*> boutons);

} // namespace tarvo::expeditions
