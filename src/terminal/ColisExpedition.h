#pragma once

#include <QtGlobal>

namespace tarvo::db {
class Base;
}

// The terminals' parcels (Colis) as the other subsystems may change them:
// through these routines, never through the terminal's statements.
namespace tarvo::terminal {

// Removes every parcel of shipment `noExpedition`, in the caller's
// transaction, and returns how many went; their packing lines are the
// caller's to remove first. Raises ErreurTarvo on a database failure.
qint64 SupprimerColisExpedition(const db::Base& base, qint32 noExpedition);

} // namespace tarvo::terminal
