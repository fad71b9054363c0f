#pragma once

#include "db/ModeleEnregistrements.h"

namespace tarvo::expeditions {

// The rows of a shipment-window list: a marked row (a closed shipment) is
// shown in red bold.
class ModeleRapport : public db::ModeleEnregistrements {
    Q_OBJECT
public:
    using db::ModeleEnregistrements::ModeleEnregistrements;

    QVariant data(const QModelIndex& index, int role) const override;
};

} // namespace tarvo::expeditions
