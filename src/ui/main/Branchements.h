#pragma once

namespace tarvo::ui {

class CadreCommandes;

// Connects every subsystem's menu and toolbar entries to its commands.
void brancherCommandes(CadreCommandes& fenetre);

} // namespace tarvo::ui
