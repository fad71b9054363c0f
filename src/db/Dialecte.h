#pragma once

#include <QString>

namespace tarvo {

// The two database engines Tarvo runs on. Where their SQL differs, the
// difference is settled here or in the per-subsystem SQL catalogues through
// this type; nothing else branches on the engine.
enum class Moteur { SQLite, SqlServer };

namespace Dialecte {

// The database's current local date-time as an SQL expression.
QString maintenant(Moteur moteur);

// Date-times are exchanged with the database as this text on both engines.
inline const QString FormatDateHeure = QStringLiteral("yyyy-MM-dd HH:mm:ss");

} // namespace Dialecte
} // namespace tarvo
