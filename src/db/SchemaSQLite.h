#pragma once

#include <QString>
#include <QStringList>

namespace tarvo::db {

class Base;

// A table, index or column name of the embedded database written as an SQL
// identifier, for the schema's upkeep statements that name them.
QString IdentifiantSQLite(const QString& nom);

// Up to ten groups of rows of `table` whose `colonnes` the French order
// makes one, written « abc » = « ABC » and joined by " ; ". The table is
// read without its indexes, which may be ordered otherwise.
QString ClesEgalesEnFrancais(Base& base, const QString& table, const QStringList& colonnes);

} // namespace tarvo::db
