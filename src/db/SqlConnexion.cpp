#include "SqlConnexion.h"

namespace tarvo::sql {

const db::TexteSql ReglagesConnexion{
    QStringLiteral("PRAGMA journal_mode=WAL; PRAGMA foreign_keys=ON;"),
    // Dates reach the server as typed values: nothing depends on its date
    // format. A login whose defaults silence row counts would defeat the
    // conflict checks.
    QStringLiteral("SET NOCOUNT OFF")};

const db::TexteSql NumeroConnexion{
    QStringLiteral("INSERT INTO tarvo_connexion (ouverture) VALUES (datetime('now', 'localtime'))"),
    QStringLiteral("SELECT @@SPID")};
const db::TexteSql FinConnexion{QStringLiteral("DELETE FROM tarvo_connexion WHERE spid = :spid")};

} // namespace tarvo::sql
