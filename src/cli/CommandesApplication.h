#pragma once

#include "cli/Commandes.h"

namespace tarvo::ctl {

// The tarvoctl commands of the configuration, the embedded database and the SQL Server scripts.
QList<Commande> commandesApplication();

} // namespace tarvo::ctl
