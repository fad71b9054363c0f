#include "ModeleNavigation.h"

#include "FormatFrancais.h"
#include "base/Erreur.h"

#include <algorithm>
#include <limits>

namespace tarvo::navigateurs {

ModeleNavigation::ModeleNavigation(std::unique_ptr<SourceNavigation> source, QObject* parent)
    : QAbstractTableModel(parent), source_(std::move(source)) {}

const Champ& ModeleNavigation::champ(int colonne) const {
    return source_->table().champs.at(colonne);
}

std::vector<LigneNavigation> ModeleNavigation::lirePage(const Vue& vue, qint64 page,
                                                        bool& derniere) const {
    // Scrolling reads page after page: the next one starts after the last
    // row of the previous one, found through the index, instead of walking
    // every row before it.
    const auto precedente = pages_.constFind(page - 1);
    std::vector<LigneNavigation> lignes =
        page > 0 && precedente != pages_.constEnd() && !precedente->empty() && &vue == &vue_
            ? source_->lireApres(vue, precedente->back(), TaillePage + 1)
            : source_->lire(vue, page * TaillePage, TaillePage + 1);
    derniere = lignes.size() <= static_cast<std::size_t>(TaillePage);
    if (!derniere)
        lignes.pop_back();
    return lignes;
}

void ModeleNavigation::retenir(qint64 page, std::vector<LigneNavigation> lignes) const {
    if (static_cast<int>(ordrePages_.size()) >= PagesGardees) {
        pages_.remove(ordrePages_.front());
        ordrePages_.pop_front();
    }
    ordrePages_.push_back(page);
    pages_.insert(page, std::move(lignes));
}

void ModeleNavigation::afficher(Vue vue) {
    bool derniere = true;
    std::vector<LigneNavigation> premiere = lirePage(vue, 0, derniere);
    beginResetModel();
    vue_ = std::move(vue);
    fin_ = derniere;
    chargees_ = static_cast<int>(premiere.size());
    pages_.clear();
    ordrePages_.clear();
    retenir(0, std::move(premiere));
    // Views answering the reset fetch their rows once it is over.
    enChangement_ = true;
    endResetModel();
    enChangement_ = false;
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

void ModeleNavigation::etendre(qint64 page) {
    if (fin_ || enChangement_ || (page + 1) * TaillePage <= chargees_)
        return;
    bool derniere = true;
    std::vector<LigneNavigation> lignes;
    try {
        lignes = lirePage(vue_, page, derniere);
    } catch (const ErreurTarvo& e) {
        emit erreurLecture(e.erreur().description);
        return;
    }
    if (lignes.empty()) {
        // Rows gone since: the grid ends where it is.
        fin_ = true;
        return;
    }
    const qint64 fin = page * TaillePage + static_cast<qint64>(lignes.size());
    if (fin > std::numeric_limits<int>::max())
        return;
    retenir(page, std::move(lignes));
    // Whoever listens to the insertion may ask for more: not before it ends.
    enChangement_ = true;
    beginInsertRows({}, chargees_, static_cast<int>(fin) - 1);
    chargees_ = static_cast<int>(fin);
    fin_ = derniere;
    endInsertRows();
    enChangement_ = false;
}

void ModeleNavigation::atteindre(qint64 position) {
    if (position >= chargees_)
        etendre(position / TaillePage);
}

int ModeleNavigation::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : chargees_;
}

int ModeleNavigation::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(source_->table().champs.size());
}

bool ModeleNavigation::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && !enChangement_ && !fin_;
}

void ModeleNavigation::fetchMore(const QModelIndex& parent) {
    if (canFetchMore(parent))
        etendre(chargees_ / TaillePage);
}

const LigneNavigation* ModeleNavigation::ligne(int rang) const {
    const qint64 page = rang / TaillePage;
    auto trouvee = pages_.constFind(page);
    if (trouvee == pages_.constEnd()) {
        std::vector<LigneNavigation> lignes;
        bool derniere = true;
        try {
            lignes = lirePage(vue_, page, derniere);
        } catch (const ErreurTarvo& e) {
            // An empty page stands in for it, so that painting does not ask
            // the database again and again.
            emit erreurLecture(e.erreur().description);
        }
        retenir(page, std::move(lignes));
        trouvee = pages_.constFind(page);
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
    // The read-only text field of a cell shows the cell's text.
    if (role != Qt::DisplayRole && role != Qt::EditRole && role != RoleValeur && role != RoleCle)
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

Qt::ItemFlags ModeleNavigation::flags(const QModelIndex& index) const {
    Qt::ItemFlags drapeaux = QAbstractTableModel::flags(index);
    if (texteSelectionnable_ && index.isValid())
        drapeaux |= Qt::ItemIsEditable;
    return drapeaux;
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
