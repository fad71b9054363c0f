#pragma once

#include "cli/Commandes.h"

namespace tarvo::ctl {

// The tarvoctl commands of the terminal files and the integration.
QList<Commande> commandesTerminal();

} // namespace tarvo::ctl
