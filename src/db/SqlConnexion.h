#pragma once

#include "TexteSql.h"

// The statements of a connection: the settings a new connection
// runs and the numbering of connections. Values are named parameters.
namespace tarvo::sql {

// Run once on each new connection (a script). Date-times are exchanged as
// yyyy-MM-dd HH:mm:ss text on both engines, which SQL Server would read as
// year-day-month under a French login. The embedded file is shared by several
// processes: WAL lets readers go on while one writes; its foreign keys are
// checked only when asked for.
extern const db::TexteSql ReglagesConnexion;

// The number of this connection, read with Requete::executerInsertion: the
// server process number on SQL Server; the embedded database numbers its
// open connections in a table of its own, never giving a number twice.
extern const db::TexteSql NumeroConnexion;
// The embedded database's connection :spid is closed.
extern const db::TexteSql FinConnexion;

} // namespace tarvo::sql
