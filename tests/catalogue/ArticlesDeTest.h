#pragma once

#include "BaseDeTest.h"

#include <QString>
#include <QStringList>

namespace tarvo::test {

// Runs statements on the test database as they are written.
void executerSql(BaseDeTest& b, const QString& sql);

// A Sage article without range and with bar code `code` (NULL when null).
void ajouterArticleSage(BaseDeTest& b, const QString& reference, const QString& designation,
                        const QString& code, bool nul = false);

// An Article row as an earlier run would have left it.
void ajouterArticleTarvo(BaseDeTest& b, const QString& code, const QString& libelle);

// Article as "code|libellé|AR_Ref|date_ajout" lines, by bar code.
QStringList contenuArticle(BaseDeTest& b);

// A table of the site's own that refers to Article through a foreign key,
// with one row referring to `code`.
void referencerArticle(BaseDeTest& b, const QString& code);

} // namespace tarvo::test
