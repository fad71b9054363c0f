#pragma once

namespace tarvo::ui {

class CadreCommandes;

// Connects the packing bench to its menu and toolbar entries.
void brancherColisage(CadreCommandes& fenetre);

} // namespace tarvo::ui
