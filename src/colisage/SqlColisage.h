#pragma once

#include "db/TexteSql.h"

// Every statement of the packing bench. Values are named parameters; each
// text serves both engines. Its entries themselves go through the terminal
// exchange's routines.
namespace tarvo::colisage::sql {

// :noExpedition — labels 1 and 2 and the closing date; no row when unknown.
extern const db::TexteSql EtatExpedition;
// :noExpedition — the highest parcel number, NULL without parcels.
extern const db::TexteSql DernierColis;
// :noExpedition, :colis — the parcel's weight and last change.
extern const db::TexteSql Colis;
// :noExpedition, :colis — its packing lines' bar codes and quantities.
extern const db::TexteSql ContenuColis;
// :noExpedition, :colis, :codeBarres — the packing line's last change.
extern const db::TexteSql MiseAJourColisage;
// :codeBarres — the article's designation with its colour.
extern const db::TexteSql Article;

} // namespace tarvo::colisage::sql
