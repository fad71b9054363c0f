#include "SqlNavigateurs.h"

namespace tarvo::navigateurs::sql {

const db::TexteSql TableJournal{QStringLiteral("[Journal de saisie]")};
// The embedded engine numbers rows as they are added; the server's table has
// an identity column for that (schema 3).
const db::TexteSql CleJournal{QStringLiteral("rowid"), QStringLiteral("[Id saisie]")};

const db::TexteSql TableArticle{QStringLiteral("Article")};
const db::TexteSql CleArticle{QStringLiteral("[Code barres Article]")};

const db::TexteSql Page{QStringLiteral(" LIMIT :nombre OFFSET :debut"),
                        QStringLiteral(" OFFSET :debut ROWS FETCH NEXT :nombre ROWS ONLY")};
const db::TexteSql Suivant{QStringLiteral("(%1, %2) > (%3, %4)"),
                           QStringLiteral("(%1 > %3 OR (%1 = %3 AND %2 > %4))")};
const db::TexteSql Precedent{QStringLiteral("(%1, %2) < (%3, %4)"),
                             QStringLiteral("(%1 < %3 OR (%1 = %3 AND %2 < %4))")};
const db::TexteSql PremiereLigne{QStringLiteral(" LIMIT 1"),
                                 QStringLiteral(" OFFSET 0 ROWS FETCH NEXT 1 ROWS ONLY")};

} // namespace tarvo::navigateurs::sql
