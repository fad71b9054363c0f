#pragma once

#include "cli/Commandes.h"

namespace tarvo::ctl {

// The tarvoctl commands that export what the record browsers show.
QList<Commande> commandesNavigateurs();

} // namespace tarvo::ctl
