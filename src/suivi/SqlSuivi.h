#pragma once

#include "db/TexteSql.h"

// The statements of the preparation follow-up, the explanation of a prepared
// quantity and the parcels' weight check.
namespace tarvo::suivi::sql {

// The columns of Suivi, in their order.
enum class ChampSuivi {
    NoExpedition,
    Libelle1,
    DateCloture,
    ColisTheoriques,
    Commandes,
    Lignes,
    QteCommandee,
    QtePreparee,
    // Lines whose prepared quantity differs from the ordered one.
    LignesEnEcart,
    // Lines prepared beyond the ordered quantity, or not ordered.
    LignesEnSurplus,
    Colis,
    ColisPeses,
    // Weighed parcels beyond the tolerance :tolerance, in percent.
    ColisSuspects,
    DerniereSaisie,
    DerniereIntegration,
};
inline constexpr int NombreChampsSuivi = static_cast<int>(ChampSuivi::DerniereIntegration) + 1;

// The position of `champ` among the columns of Suivi.
constexpr int rang(ChampSuivi champ) {
    return static_cast<int>(champ);
}

// One row per shipment (open ones, every one when :closes is 1) with the
// range control's figures summed over its lines, its parcels and its last
// entry, in one pass over all shipments, in the columns of ChampSuivi.
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

// The integrated files' count, the last run's moment and the journal's last
// row: what changes with every run or entry, on any workstation.
extern const db::TexteSql MarqueIntegration;

} // namespace tarvo::suivi::sql
