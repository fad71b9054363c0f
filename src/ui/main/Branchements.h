#pragma once

namespace tarvo::ui {

class FenetrePrincipale;

// Connects every subsystem's menu and toolbar entries to its commands.
void brancherCommandes(FenetrePrincipale& fenetre);

} // namespace tarvo::ui
