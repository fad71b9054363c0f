#pragma once

namespace tarvo::ui {

class CadreCommandes;

// Connects the main window's menu and toolbar entries of the article label window.
void brancherEtiquettes(CadreCommandes& fenetre);

} // namespace tarvo::ui
