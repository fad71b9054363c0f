#include "ModeleNavigation.h"

#include "FormatFrancais.h"
#include "app/Erreur.h"

#include <algorithm>
#include <limits>

namespace tarvo::navigateurs {

ModeleNavigation::ModeleNavigation(std::unique_ptr<SourceNavigation> source, QObject* parent)
    : QAbstractTableModel(parent), source_(std::move(source)) {}

const Champ& ModeleNavigation::champ(int colonne) const {
    return source_->table().champs.at(colonne);
}

void ModeleNavigation::afficher(Vue vue) {
    const qint64 total = source_->compter(vue);
    beginResetModel();
    vue_ = std::move(vue);
    total_ = total;
    chargees_ = static_cast<int>(std::min<qint64>(total_, TaillePage));
    pages_.clear();
    ordrePages_.clear();
    // Views answering the reset fetch their rows once it is over.
    enReinitialisation_ = true;
    endResetModel();
    enReinitialisation_ = false;
}

void ModeleNavigation::actualiser(Vue vue) {
    const QVariant ancienne = source_->borne();
    source_->figer();
    try {
        afficher(std::move(vue));
    } catch (const ErreurTarvo&) {
        // The grid still shows the old snapshot: its next pages keep to it.
        source_->fixerBorne(ancienne);
        throw;
    }
}

void ModeleNavigation::etendre(int jusqua) {
    const int fin = std::min(
        jusqua, static_cast<int>(std::min<qint64>(total_, std::numeric_limits<int>::max())));
    if (fin <= chargees_)
        return;
    beginInsertRows({}, chargees_, fin - 1);
    chargees_ = fin;
    endInsertRows();
}

void ModeleNavigation::atteindre(qint64 position) {
    if (position >= chargees_)
        etendre(static_cast<int>(std::min<qint64>((position / TaillePage + 1) * TaillePage,
                                                  std::numeric_limits<int>::max())));
}

int ModeleNavigation::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : chargees_;
}

int ModeleNavigation::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(source_->table().champs.size());
}

bool ModeleNavigation::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && !enReinitialisation_ && chargees_ < total_;
}

void ModeleNavigation::fetchMore(const QModelIndex& parent) {
    if (canFetchMore(parent))
        etendre(chargees_ + TaillePage);
}

const LigneNavigation* ModeleNavigation::ligne(int rang) const {
    const qint64 page = rang / TaillePage;
    auto trouvee = pages_.constFind(page);
    if (trouvee == pages_.constEnd()) {
        std::vector<LigneNavigation> lignes;
        try {
            lignes = source_->lire(vue_, page * TaillePage, TaillePage);
        } catch (const ErreurTarvo& e) {
            // An empty page stands in for it, so that painting does not ask
            // the database again and again.
            emit erreurLecture(e.erreur().description);
        }
        if (static_cast<int>(ordrePages_.size()) >= PagesGardees) {
            pages_.remove(ordrePages_.front());
            ordrePages_.pop_front();
        }
        ordrePages_.push_back(page);
        trouvee = pages_.insert(page, std::move(lignes));
    }
    const auto i = static_cast<std::size_t>(rang % TaillePage);
    return i < trouvee->size() ? &(*trouvee)[i] : nullptr;
}

QVariant ModeleNavigation::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    if (role == Qt::TextAlignmentRole)
        return champ(index.column()).genre == db::Genre::Nombre
                   ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                   : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != RoleValeur && role != RoleCle)
        return {};
    const LigneNavigation* l = ligne(index.row());
    if (l == nullptr)
        return {};
    if (role == RoleCle)
        return l->cle;
    const QVariant& valeur = l->valeurs.at(index.column());
    if (role == RoleValeur)
        return valeur;
    return TexteFrancais(valeur, champ(index.column()).genre);
}

QVariant ModeleNavigation::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    if (section < 0 || section >= columnCount())
        return {};
    return champ(section).titre;
}

} // namespace tarvo::navigateurs
