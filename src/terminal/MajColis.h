#pragma once

#include "Integration.h"

namespace tarvo::terminal {

// The all-articles entries of the article file ("<Tous>"), and the
// all-parcels entries a terminal may put in the parcel field of a removal.
bool EstMarqueurTous(const QString& champ);

// True when the shipment must not receive terminal data: unknown or closed.
bool ExpCloturee(Integration& run, qint32 noExpedition);

// Applying one journaled entry to the parcels and packing lines. An entry
// changes a row only when it is more recent than the row's last change.
void AjoutArticleColis(Integration& run, const LigneJournal& entree);
void RetraitArticleColis(Integration& run, const LigneJournal& entree);
void MajPoidsColis(Integration& run, const LigneJournal& entree);

} // namespace tarvo::terminal
