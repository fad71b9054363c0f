#include "cli/Commandes.h"

namespace tarvo::ctl {

QList<Commande> commandesExpeditions() { return {}; }

} // namespace tarvo::ctl
