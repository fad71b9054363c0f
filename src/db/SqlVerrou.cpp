#include "SqlVerrou.h"

namespace tarvo::db::sql {

// NOCOUNT only while the procedure runs, so that the one result the driver
// sees is the status, and the connection's row counts stay as they were for
// the statements that follow. :attente in milliseconds, 0 for no wait.
const TexteSql PrendreVerrou{QStringLiteral(
    "DECLARE @sansCompte int = @@OPTIONS & 512; SET NOCOUNT ON; DECLARE @statut int; "
    "EXEC @statut = sp_getapplock @Resource = :ressource, @LockMode = 'Exclusive', "
    "@LockOwner = 'Session', @LockTimeout = :attente; IF @sansCompte = 0 SET NOCOUNT OFF; "
    "SELECT @statut")};
const TexteSql RendreVerrou{
    QStringLiteral("EXEC sp_releaseapplock @Resource = :ressource, @LockOwner = 'Session'")};

} // namespace tarvo::db::sql
