#pragma once

#include <QList>
#include <QString>

namespace tarvo {
struct Contexte;
}

namespace tarvo::terminal {

class SuiviLignes;

// A shipment whose parcel lines could not all be written: the parcel
// identification holds 6 digits of shipment number and 3 of parcel number.
struct ColisNonEcrits {
    QString expedition;
    qint64 premier;
    qint64 dernier;
};

// The shipment file the terminals load: each open shipment and its expected
// parcels, each line shown as it is written. Gives the shipments whose parcel
// lines were left out. Raises ErreurTarvo; the previous file then stays as
// it was.
QList<ColisNonEcrits> EcrireFichierExpedition(Contexte& ctx, SuiviLignes& suivi);

// The same with its boxes: a failure, then the shipments left out; the status
// and the bar are cleared at the end either way. False when the run failed.
bool GenFichierExpedition(Contexte& ctx);

} // namespace tarvo::terminal
