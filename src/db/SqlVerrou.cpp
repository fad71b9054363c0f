#include "SqlVerrou.h"

namespace tarvo::db::sql {

const TexteSql PrendreVerrou{QStringLiteral(
    "SET NOCOUNT ON; DECLARE @statut int; EXEC @statut = sp_getapplock @Resource = :ressource, "
    "@LockMode = 'Exclusive', @LockOwner = 'Session', @LockTimeout = 0; SELECT @statut")};
const TexteSql RendreVerrou{
    QStringLiteral("EXEC sp_releaseapplock @Resource = :ressource, @LockOwner = 'Session'")};

} // namespace tarvo::db::sql
