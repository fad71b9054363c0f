#pragma once

#include "db/TexteSql.h"

// Every statement of the label routines of their own. The shipment and its
// delivery address are read with the shipments catalogue's Expedition and
// AdresseLivraison. Values are named parameters; the comment of each
// statement names them.
namespace tarvo::etiquettes::sql {

// The articles with one bar code: :codeBarre. Columns: bar code, description,
// colour description.
extern const db::TexteSql ArticleParCodeBarre;

} // namespace tarvo::etiquettes::sql
