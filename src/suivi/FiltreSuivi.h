#pragma once

#include <QByteArray>
#include <QString>

namespace tarvo::suivi {

struct LigneSuivi;

// A text typed to narrow the follow-up, found anywhere in a cell the way the
// database compares French texts: case and accents aside, so that "ecart"
// finds "Écart" as "éCART" does. "%" and "_" are only themselves.
class FiltreSuivi {
public:
    // Every row passes an empty (or blank) text. `colonne` is a rank in
    // TableSuivi, -1 for any column.
    explicit FiltreSuivi(const QString& texte = {}, int colonne = -1);

    // True when `ligne` is kept, its cells as the list shows them.
    bool retient(const LigneSuivi& ligne) const;

private:
    // The LIKE pattern "%…%" in UTF-8, empty when every row passes.
    QByteArray motif_;
    int colonne_;
    // A text no row can hold.
    bool aucune_ = false;
};

} // namespace tarvo::suivi
