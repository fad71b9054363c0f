#pragma once

namespace tarvo::ui {

class FenetrePrincipale;

// Connects the main window's menu and toolbar entries of the shipment windows and the order search.
void brancherExpeditions(FenetrePrincipale& fenetre);

} // namespace tarvo::ui
