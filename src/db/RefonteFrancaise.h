#pragma once

#include <QString>
#include <QStringList>

namespace tarvo::db {

class Base;

// The tables of the embedded database whose texts are sorted, searched or
// matched, declared COLLATE FRANCAIS since schema 5.
extern const QStringList TablesEnFrancais;

// Moves an embedded database to schema 5 inside the caller's transaction.
// SQLite cannot change a column's collation: every view and trigger is
// dropped, each table of TablesEnFrancais is set aside with its indexes
// dropped, `scriptSchema` (the installation script, every statement IF NOT
// EXISTS) makes it again with its indexes, triggers and views, and the rows
// are copied across, numbers and AUTOINCREMENT counters kept. A key that the
// French order makes one with another ("abc" and "ABC") stops it with an
// ErreurTarvo naming them; the caller's rollback leaves the database as it
// was.
void RefaireTablesEnFrancais(Base& base, const QString& scriptSchema);

} // namespace tarvo::db
