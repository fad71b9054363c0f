#pragma once

#include "cli/Commandes.h"

namespace tarvo::ctl {

// The tarvoctl command of the shipment reports: a PDF file or a printer.
QList<Commande> commandesEditions();

} // namespace tarvo::ctl
