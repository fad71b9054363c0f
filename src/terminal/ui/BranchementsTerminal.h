#pragma once

namespace tarvo::ui {

class CadreCommandes;

// Connects the main window's menu and toolbar entries of the terminal files and the integration.
void brancherTerminal(CadreCommandes& fenetre);

} // namespace tarvo::ui
