#include "SqlConnexion.h"

namespace tarvo::sql {

const db::TexteSql ReglagesConnexion{
    QStringLiteral("PRAGMA journal_mode=WAL; PRAGMA foreign_keys=ON;"),
    QStringLiteral("SET DATEFORMAT ymd")};

const db::TexteSql NumeroConnexion{
    QStringLiteral("INSERT INTO tarvo_connexion (ouverture) VALUES (datetime('now', 'localtime'))"),
    QStringLiteral("SELECT @@SPID")};
const db::TexteSql FinConnexion{QStringLiteral("DELETE FROM tarvo_connexion WHERE spid = :spid")};

} // namespace tarvo::sql
