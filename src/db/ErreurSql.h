#pragma once

#include "base/Erreur.h"

#include <QSqlError>

struct sqlite3;

namespace tarvo::db {

// The number, source and text of a failure a Qt driver reported.
Erreur erreurDepuisSql(const QSqlError& erreur, const QString& source);

// A failure reported by a Qt driver, with every code the driver gave.
ErreurTarvo echecSql(const QSqlError& erreur, const QString& source);

// The embedded engine's last failure on `base`, numbered by its extended
// code (787 for a foreign key, 2067 for a unique key); `contexte`, when
// given, says what failed before the engine's text.
ErreurTarvo echecSQLite(sqlite3* base, const QString& contexte = QString());

} // namespace tarvo::db
