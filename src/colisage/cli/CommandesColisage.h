#pragma once

#include "cli/Commandes.h"

namespace tarvo::ctl {

// The packing bench of tarvoctl: scans read from standard input.
QList<Commande> commandesColisage();

} // namespace tarvo::ctl
