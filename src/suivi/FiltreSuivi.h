#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tarvo::suivi {

// A text typed to narrow the follow-up, found anywhere in a cell the way the
// database compares French texts: case and accents aside, so that "ecart"
// finds "Écart" as "éCART" does. "%" and "_" are only themselves.
class FiltreSuivi {
public:
    // Every row passes an empty (or blank) text. `colonne` is a rank in
    // TableSuivi, -1 for any column.
    explicit FiltreSuivi(const QString& texte = {}, int colonne = -1);

    // True when the row whose cells are `textes` is kept.
    bool retient(const QStringList& textes) const;

private:
    // The LIKE pattern "%…%" in UTF-8, empty when every row passes.
    QByteArray motif_;
    int colonne_;
    // A text no row can hold.
    bool aucune_ = false;
};

} // namespace tarvo::suivi
