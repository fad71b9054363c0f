#pragma once

#include "base/Erreur.h"

#include <QSqlError>

namespace tarvo::db {

// The number, source and text of a failure a Qt driver reported.
Erreur erreurDepuisSql(const QSqlError& erreur, const QString& source);

// A failure reported by a Qt driver, with every code the driver gave.
ErreurTarvo echecSql(const QSqlError& erreur, const QString& source);

} // namespace tarvo::db
