#pragma once

#include "cli/Commandes.h"

namespace tarvo::ctl {

// The tarvoctl commands of the article and parcel labels and their previews.
QList<Commande> commandesEtiquettes();

} // namespace tarvo::ctl
