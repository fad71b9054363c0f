#pragma once

#include "TexteSql.h"

// The shared locks on SQL Server: application locks owned by the session, so
// that one outlives the transactions of its holder and goes with its
// connection. :ressource names the lock. The embedded engine locks a
// companion file instead and runs none of these.
namespace tarvo::db::sql {

// One row: the status of sp_getapplock, 0 or 1 when granted, negative when
// another session holds the lock (no wait: the caller decides how long).
extern const TexteSql PrendreVerrou;
extern const TexteSql RendreVerrou;

} // namespace tarvo::db::sql
