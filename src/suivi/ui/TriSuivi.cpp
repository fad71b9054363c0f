#include "TriSuivi.h"

#include "ModeleSuivi.h"

namespace tarvo::suivi {

TriSuivi::TriSuivi(ModeleSuivi* modele, QObject* parent)
    : QSortFilterProxyModel(parent), modele_(modele) {
    setSourceModel(modele_);
    setSortRole(ModeleSuivi::RoleTri);
}

void TriSuivi::filtrer(FiltreSuivi filtre) {
    filtre_ = std::move(filtre);
    invalidateFilter();
}

bool TriSuivi::filterAcceptsRow(int ligne, const QModelIndex&) const {
    return filtre_.retient(modele_->textes(ligne));
}

} // namespace tarvo::suivi
