#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

namespace tarvo::db {

// The two database engines Tarvo runs on. Where their SQL differs, the
// catalogues give one text per engine (TexteSql) and the data layer picks
// it; nothing else branches on the engine.
enum class Moteur { SQLite, SqlServer };

namespace Dialecte {

// Date-times are exchanged with the database as this text on both engines.
inline const QString FormatDateHeure = QStringLiteral("yyyy-MM-dd HH:mm:ss");

// The date-time a column holds: a date-time of the server driver, or the ISO
// text of the embedded database. Invalid when null or unreadable.
QDateTime lireDateHeure(const QVariant& valeur);

} // namespace Dialecte
} // namespace tarvo::db
