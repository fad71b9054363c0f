#pragma once

#include "db/TexteSql.h"

// The statements of the preparation follow-up, the explanation of a prepared
// quantity and the parcels' weight check.
namespace tarvo::suivi::sql {

// One row per shipment (open ones, every one when :closes is 1) with the
// range control's figures summed over its lines, its parcels and its last
// entry, in one pass over all shipments. Columns: number, label 1, closing
// date, theoretical parcels, orders, lines, ordered, prepared, lines whose
// prepared quantity differs from the ordered one, lines prepared beyond the
// ordered quantity (or not ordered), parcels, weighed parcels, suspect
// parcels (tolerance :tolerance in percent), last entry, last run.
extern const db::TexteSql Suivi;

// The range control's lines of shipment :noExpedition, in the report's
// order: reference, bar code, designation with colour, colour, ordered,
// prepared.
extern const db::TexteSql LignesExpedition;

// The weighed parcels of shipment :noExpedition by number: parcel, weight,
// expected weight (the sum of quantity × unit gross weight of the contents
// whose weight is known), contents without a weight, contents.
extern const db::TexteSql PoidsColis;

// The journal of shipment :noExpedition in the order the runs wrote it:
// line type, parcel text, bar code, quantity, entry moment, run moment, and
// the archive of that run (NULL when none is known).
extern const db::TexteSql JournalExpedition;

// The integrated files' count and the last run's moment: what changes with
// every run, on any workstation.
extern const db::TexteSql MarqueIntegration;

} // namespace tarvo::suivi::sql
