#include "cli/Commandes.h"

namespace tarvo::ctl {

QList<Commande> commandesTerminal() { return {}; }

} // namespace tarvo::ctl
