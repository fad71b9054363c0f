#pragma once

namespace tarvo::ui {

class CadreCommandes;

// Connects the main window's menu and toolbar entries of the shipment windows and the order search.
void brancherExpeditions(CadreCommandes& fenetre);

} // namespace tarvo::ui
