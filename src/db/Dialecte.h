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

// The statement that reads back the number of the connection's last insert,
// for a driver that cannot report it itself (the SQLite ODBC driver). The
// embedded engine keeps that number per connection and a Qt connection
// serves one thread: run right after the insert on the same connection, it
// reads that insert's number, whatever other connections insert meanwhile.
// Empty for the server, whose texts read the identity in the insert's own
// batch (a later SCOPE_IDENTITY() would see no insert).
const QString& RelectureIdentite(Moteur moteur);

} // namespace Dialecte
} // namespace tarvo::db
