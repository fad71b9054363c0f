#pragma once

#include "cli/Commandes.h"

namespace tarvo::ctl {

// The tarvoctl commands of shipment creation, order addition and order search.
QList<Commande> commandesExpeditions();

} // namespace tarvo::ctl
