#pragma once

namespace tarvo::ui {

class CadreCommandes;

// "Suivi des préparations", from the menu and the toolbar.
void brancherSuivi(CadreCommandes& fenetre);

} // namespace tarvo::ui
