#pragma once

#include "db/TexteSql.h"

// Pieces of the browsers' statements. The statements themselves are put
// together from the person's filter and sort (TraductionSql); every value in
// them is a bound parameter, and the column names come only from the tables'
// own definitions (Tables.h).
namespace tarvo::navigateurs::sql {

// The journal of terminal entries, and what identifies its rows in the order
// they were written: the snapshot of a browser is a bound on it.
extern const db::TexteSql TableJournal;
extern const db::TexteSql CleJournal;

// The article table; its bar code identifies a row.
extern const db::TexteSql TableArticle;
extern const db::TexteSql CleArticle;

// Ends an ordered query at one page of rows. Parameters: :debut (rows
// skipped), :nombre (rows read).
extern const db::TexteSql Page;
// The rows after, or before, one row in (column, key) order, where the
// column's value is not null: %1 the column, %2 the key, %3 and %4 the
// parameters of the row's value and key. The embedded engine seeks its
// index with a row value; the server spells the comparison out.
extern const db::TexteSql Suivant;
extern const db::TexteSql Precedent;
// Ends an ordered query at its first row.
extern const db::TexteSql PremiereLigne;

} // namespace tarvo::navigateurs::sql
