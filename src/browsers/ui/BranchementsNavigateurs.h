#pragma once

namespace tarvo::ui {

class FenetrePrincipale;

// Connects the main window's entries of the two record browsers.
void brancherNavigateurs(FenetrePrincipale& fenetre);

} // namespace tarvo::ui
