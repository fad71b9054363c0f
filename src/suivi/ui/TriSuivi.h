#pragma once

#include "suivi/FiltreSuivi.h"

#include <QSortFilterProxyModel>

namespace tarvo::suivi {

class ModeleSuivi;

// The follow-up's rows as listed: sorted by the typed values of
// ModeleSuivi::RoleTri, kept by a FiltreSuivi on the texts the cells show.
class TriSuivi : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit TriSuivi(ModeleSuivi* modele, QObject* parent = nullptr);

    void filtrer(FiltreSuivi filtre);

protected:
    bool filterAcceptsRow(int ligne, const QModelIndex& parent) const override;

private:
    ModeleSuivi* modele_;
    FiltreSuivi filtre_;
};

} // namespace tarvo::suivi
