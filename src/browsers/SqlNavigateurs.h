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
// Ends an ordered query at its first row.
extern const db::TexteSql PremiereLigne;

} // namespace tarvo::navigateurs::sql
