// The FRANCAIS collation and like() as a loadable SQLite extension, so that
// the sqlite3 shell and database browsers can read, check, vacuum, dump and
// restore an embedded Tarvo database: `.load /usr/lib/tarvo/francais`. SQLite
// finds the entry point by the file's name.
#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT1

#include "db/OrdreFrancais.h"

extern "C" int sqlite3_francais_init(sqlite3* base, char** message,
                                     const sqlite3_api_routines* api) {
    SQLITE_EXTENSION_INIT2(api);
    return tarvo::db::ordre::Installer(base, message);
}
