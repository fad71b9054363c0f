#pragma once

namespace tarvo::ui {

class CadreCommandes;

// Connects the main window's entries of the two record browsers.
void brancherNavigateurs(CadreCommandes& fenetre);

} // namespace tarvo::ui
