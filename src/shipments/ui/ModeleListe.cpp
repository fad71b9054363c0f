#include "ModeleListe.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <algorithm>
#include <numeric>

namespace tarvo::ui {

ModeleListe::ModeleListe(QStringList entetes, bool casesACocher, QObject* parent)
    : QAbstractTableModel(parent), entetes_(std::move(entetes)), casesACocher_(casesACocher) {}

void ModeleListe::remplir(LignesListe lignes) {
    beginResetModel();
    lignes_ = std::move(lignes);
    coches_.assign(static_cast<std::size_t>(lignes_.size()), 0);
    if (colonneTri_ >= 0)
        appliquerTri();
    endResetModel();
}

void ModeleListe::changerCellule(int rang, int colonne, const QString& texte) {
    lignes_[rang].changerCellule(colonne, texte);
    emit dataChanged(index(rang, colonne), index(rang, colonne));
}

void ModeleListe::cocher(int rang, bool coche) {
    coches_[static_cast<std::size_t>(rang)] = coche ? 1 : 0;
    emit dataChanged(index(rang, 0), index(rang, 0), {Qt::CheckStateRole});
}

void ModeleListe::trier(int colonne, Qt::SortOrder ordre) {
    colonneTri_ = colonne;
    ordreTri_ = ordre;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList anciens = persistentIndexList();
    std::vector<int> ancienRang(anciens.size());
    for (qsizetype i = 0; i < anciens.size(); ++i)
        ancienRang[static_cast<std::size_t>(i)] = anciens.at(i).row();

    // The permutation is applied to the rows and to the persistent indexes
    // (current row, selection) so that the view keeps pointing at its rows.
    std::vector<int> ordreLignes(static_cast<std::size_t>(lignes_.size()));
    std::iota(ordreLignes.begin(), ordreLignes.end(), 0);
    std::stable_sort(ordreLignes.begin(), ordreLignes.end(), [&](int a, int b) {
        const int c = lignes_.at(a).cellule(colonne).compare(lignes_.at(b).cellule(colonne),
                                                             Qt::CaseInsensitive);
        return ordre == Qt::AscendingOrder ? c < 0 : c > 0;
    });
    LignesListe triees;
    triees.reserve(lignes_.size());
    std::vector<char> coches(coches_.size());
    std::vector<int> nouveauRang(ordreLignes.size());
    for (std::size_t i = 0; i < ordreLignes.size(); ++i) {
        const int source = ordreLignes[i];
        triees.append(std::move(lignes_[source]));
        coches[i] = coches_[static_cast<std::size_t>(source)];
        nouveauRang[static_cast<std::size_t>(source)] = static_cast<int>(i);
    }
    lignes_ = std::move(triees);
    coches_ = std::move(coches);
    QModelIndexList nouveaux;
    nouveaux.reserve(anciens.size());
    for (qsizetype i = 0; i < anciens.size(); ++i)
        nouveaux.append(
            index(nouveauRang[static_cast<std::size_t>(ancienRang[i])], anciens.at(i).column()));
    changePersistentIndexList(anciens, nouveaux);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ModeleListe::appliquerTri() {
    std::stable_sort(
        lignes_.begin(), lignes_.end(), [this](const LigneListe& a, const LigneListe& b) {
            const int c =
                a.cellule(colonneTri_).compare(b.cellule(colonneTri_), Qt::CaseInsensitive);
            return ordreTri_ == Qt::AscendingOrder ? c < 0 : c > 0;
        });
}

int ModeleListe::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(lignes_.size());
}

int ModeleListe::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(entetes_.size());
}

QVariant ModeleListe::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const LigneListe& l = lignes_.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return l.cellule(index.column()).toString();
    case Qt::CheckStateRole:
        if (casesACocher_ && index.column() == 0)
            return coche(index.row()) ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::ForegroundRole:
        return l.close ? QVariant(QBrush(QColor(255, 0, 0))) : QVariant();
    case Qt::FontRole:
        if (l.close) {
            QFont gras;
            gras.setBold(true);
            return gras;
        }
        return {};
    default:
        return {};
    }
}

bool ModeleListe::setData(const QModelIndex& index, const QVariant& valeur, int role) {
    if (!casesACocher_ || role != Qt::CheckStateRole || index.column() != 0)
        return false;
    cocher(index.row(), valeur.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags ModeleListe::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (casesACocher_ && index.column() == 0)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant ModeleListe::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return entetes_.value(section);
    return {};
}

} // namespace tarvo::ui
