#pragma once

namespace tarvo::ui {

class FenetrePrincipale;

// Connects the main window's menu and toolbar entries of the terminal files and the integration.
void brancherTerminal(FenetrePrincipale& fenetre);

} // namespace tarvo::ui
