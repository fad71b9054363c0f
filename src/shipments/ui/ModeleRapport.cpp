#include "ModeleRapport.h"

#include <QBrush>
#include <QColor>
#include <QFont>

namespace tarvo::expeditions {

ModeleRapport::ModeleRapport(QList<db::Colonne> colonnes, bool casesACocher, QObject* parent)
    : listes::ModeleEnregistrements(std::move(colonnes), casesACocher, parent) {
    setTri(Tri::ParTexteAffiche);
}

QVariant ModeleRapport::data(const QModelIndex& index, int role) const {
    if (role != Qt::ForegroundRole && role != Qt::FontRole)
        return listes::ModeleEnregistrements::data(index, role);
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid) ||
        !jeu().marque(index.row()))
        return {};
    if (role == Qt::ForegroundRole)
        return QBrush(QColor(255, 0, 0));
    QFont gras;
    gras.setBold(true);
    return gras;
}

} // namespace tarvo::expeditions
