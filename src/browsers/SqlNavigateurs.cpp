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
const db::TexteSql PremiereLigne{QStringLiteral(" LIMIT 1"),
                                 QStringLiteral(" OFFSET 0 ROWS FETCH NEXT 1 ROWS ONLY")};

} // namespace tarvo::navigateurs::sql
