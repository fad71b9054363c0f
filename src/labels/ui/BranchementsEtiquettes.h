#pragma once

namespace tarvo::ui {

class FenetrePrincipale;

// Connects the main window's menu and toolbar entries of the article label window.
void brancherEtiquettes(FenetrePrincipale& fenetre);

} // namespace tarvo::ui
