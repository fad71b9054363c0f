#include "cli/Commandes.h"

namespace tarvo::ctl {

QList<Commande> commandesEtiquettes() { return {}; }

} // namespace tarvo::ctl
