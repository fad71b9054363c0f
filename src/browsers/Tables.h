#pragma once

#include "Regles.h"
#include "db/TexteSql.h"

namespace tarvo::navigateurs {

// A table a browser shows: its columns in grid order, what identifies a row
// in the table's own order, and whether the browser keeps to the rows present
// when it opened.
struct TableNavigable {
    const db::TexteSql* nom;
    const db::TexteSql* cle;
    QList<Champ> champs;
    bool instantane = false;
};

// [Journal de saisie], a snapshot, in the order the entries were integrated.
const TableNavigable& TableJournal();
// Article, in bar-code order.
const TableNavigable& TableArticle();

} // namespace tarvo::navigateurs
