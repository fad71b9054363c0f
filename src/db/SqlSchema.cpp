#include "SqlSchema.h"

namespace tarvo::db::sql {

const TexteSql VersionBase{
    QStringLiteral("PRAGMA user_version"),
    QStringLiteral("SELECT CASE WHEN OBJECT_ID(N'dbo.tarvo_version', N'U') IS NULL THEN 1 "
                   "ELSE (SELECT MAX(version) FROM dbo.tarvo_version) END")};

} // namespace tarvo::db::sql
