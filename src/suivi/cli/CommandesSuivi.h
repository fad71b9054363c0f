#pragma once

#include "cli/Commandes.h"

namespace tarvo::ctl {

// The tarvoctl commands of the preparation follow-up, the explanation of a
// prepared quantity and the parcels' weight check.
QList<Commande> commandesSuivi();

} // namespace tarvo::ctl
