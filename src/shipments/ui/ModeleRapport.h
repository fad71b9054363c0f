#pragma once

#include "listes/ModeleEnregistrements.h"

namespace tarvo::expeditions {

// The rows of a shipment-window list: a marked row (a closed shipment) is
// shown in red bold, and a header click sorts by the cells' texts, dates and
// numbers included, as these lists always have.
class ModeleRapport : public listes::ModeleEnregistrements {
    Q_OBJECT
public:
    ModeleRapport(QList<db::Colonne> colonnes, bool casesACocher, QObject* parent = nullptr);

    QVariant data(const QModelIndex& index, int role) const override;
};

} // namespace tarvo::expeditions
