#pragma once

#include "db/TexteSql.h"

// Every statement of the article synchronisation and of the company record.
// Values are named parameters; the comment of each statement names them.
namespace tarvo::catalogue::sql {

// Refreshes every article whose bar code Sage still has, from V_ARTICLE
// (rows with an empty bar code left aside); date_ajout is kept. No parameter.
extern const db::TexteSql MajArticles;
// Adds the Sage bar codes Article lacks, stamped with the database's current
// time. No parameter.
extern const db::TexteSql AjoutArticles;
// The articles Sage no longer has: bar code, description.
extern const db::TexteSql ArticlesObsoletes;
// One article: :codeBarre.
extern const db::TexteSql SuppressionArticle;

// The letterhead rows, columns in the form's order (the logo last).
extern const db::TexteSql InformationsSociete;
// Writes the changed text fields of the first letterhead row whose text
// fields still read as they did when the edit began (NULL as empty); a row
// changed meanwhile matches nothing. :nouveau0 … :nouveau14 the new texts in
// caption order, NULL for a field left as it is; :lu0 … :lu14 the texts read.
extern const db::TexteSql MajSocieteLue;
// Replaces the logo of the table's first row: :logo.
extern const db::TexteSql MajLogo;
// The letterhead row of a table that had none, with its logo alone: :logo.
extern const db::TexteSql AjoutSocieteLogo;

} // namespace tarvo::catalogue::sql
