#pragma once

#include "TexteSql.h"

// The statements of the schema's upkeep.
namespace tarvo::db::sql {

// The schema version the database holds. The embedded database keeps it in
// its header (0: made before versions were kept); SQL Server in a table (none:
// installed before versions were kept, which is version 1).
extern const TexteSql VersionBase;

} // namespace tarvo::db::sql
