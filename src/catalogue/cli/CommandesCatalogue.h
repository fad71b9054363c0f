#pragma once

#include "cli/Commandes.h"

namespace tarvo::ctl {

// The tarvoctl commands of the article synchronisation and the company record.
QList<Commande> commandesCatalogue();

} // namespace tarvo::ctl
