#include "ModeleSociete.h"

namespace tarvo::catalogue {

void ModeleSociete::remplir(QList<FicheSociete> fiches) {
    beginResetModel();
    fiches_ = std::move(fiches);
    endResetModel();
}

int ModeleSociete::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(fiches_.size());
}

int ModeleSociete::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColonneLogo + 1;
}

QVariant ModeleSociete::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const FicheSociete& fiche = fiches_.at(index.row());
    if (index.column() == ColonneLogo)
        return fiche.logo;
    return fiche.champs.value(index.column());
}

} // namespace tarvo::catalogue
