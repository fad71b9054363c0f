#include "ModeleEnregistrements.h"

#include "db/Dialecte.h"

#include <algorithm>
#include <numeric>

namespace tarvo::listes {

using db::Colonne;
namespace Dialecte = db::Dialecte;
using db::Genre;
using db::JeuEnregistrements;
using db::TexteCellules;

namespace {

// What a value is compared by: a number, a moment, or a text without case.
struct CleTri {
    double nombre = 0;
    QString texte;
};

// The number written at texte[debut, debut + nombre), or -1.
int chiffres(const QString& texte, qsizetype debut, qsizetype nombre) {
    int n = 0;
    for (qsizetype i = debut; i < debut + nombre; ++i) {
        if (!texte[i].isDigit())
            return -1;
        n = n * 10 + texte[i].digitValue();
    }
    return n;
}

double secondesMurales(const QDate& jour, const QTime& heure) {
    return static_cast<double>(jour.toJulianDay()) * 86400 +
           (heure.isValid() ? heure.msecsSinceStartOfDay() / 1000.0 : 0.0);
}

// A date-time as seconds of the wall clock, so that moments compare without
// a time-zone conversion per row. The embedded database's ISO text is read
// digit by digit: parsing it with a format, then converting it, cost a
// 50,000-row list more than two seconds a sort. Anything else, or an
// unreadable text, goes through the dialect.
double secondesMurales(const QVariant& v) {
    if (v.typeId() == QMetaType::QString) {
        const QString texte = v.toString();
        if (texte.size() >= 10 && texte[4] == u'-' && texte[7] == u'-') {
            const QDate jour(chiffres(texte, 0, 4), chiffres(texte, 5, 2), chiffres(texte, 8, 2));
            const bool avecHeure =
                texte.size() >= 19 && texte[10] == u' ' && texte[13] == u':' && texte[16] == u':';
            if (jour.isValid())
                return secondesMurales(jour, avecHeure ? QTime(chiffres(texte, 11, 2),
                                                               chiffres(texte, 14, 2),
                                                               chiffres(texte, 17, 2))
                                                       : QTime());
        }
    }
    const QDateTime moment = Dialecte::lireDateHeure(v);
    return moment.isValid() ? secondesMurales(moment.date(), moment.time()) : 0;
}

CleTri cleTri(const QVariant& v, Genre genre) {
    if (v.isNull())
        return {};
    switch (genre) {
    case Genre::Nombre:
        return {v.toDouble(), {}};
    case Genre::Date:
        return {secondesMurales(v), {}};
    case Genre::Texte:
        break;
    }
    return {0, v.toString()};
}

} // namespace

ModeleEnregistrements::ModeleEnregistrements(QList<Colonne> colonnes, bool casesACocher,
                                             QObject* parent)
    : QAbstractTableModel(parent), colonnes_(colonnes), casesACocher_(casesACocher),
      jeu_(std::move(colonnes)) {}

void ModeleEnregistrements::remplir(JeuEnregistrements jeu) {
    beginResetModel();
    jeu_ = std::move(jeu);
    coches_.assign(static_cast<std::size_t>(jeu_.nombreLignes()), 0);
    textes_ = TexteCellules();
    if (colonneTri_ >= 0)
        jeu_.permuter(ordreTrie());
    endResetModel();
}

void ModeleEnregistrements::changerValeur(int ligne, int colonne, const QVariant& valeur) {
    jeu_.changerValeur(ligne, colonne, valeur);
    emit dataChanged(index(ligne, colonne), index(ligne, colonne));
}

void ModeleEnregistrements::marquer(int ligne, bool marque) {
    if (jeu_.marque(ligne) == marque)
        return;
    // A record set's marks are set as its rows are added: the rows are copied
    // into a new one, in their shown order.
    JeuEnregistrements jeu(jeu_.colonnes());
    for (int l = 0; l < jeu_.nombreLignes(); ++l) {
        QVariantList valeurs;
        for (int c = 0; c < jeu_.nombreColonnes(); ++c)
            valeurs << jeu_.valeur(l, c);
        jeu.ajouter(valeurs, jeu_.cle(l), l == ligne ? marque : jeu_.marque(l));
    }
    jeu_ = std::move(jeu);
    emit dataChanged(index(ligne, 0), index(ligne, columnCount() - 1));
}

void ModeleEnregistrements::cocher(int ligne, bool coche) {
    coches_.at(static_cast<std::size_t>(ligne)) = coche ? 1 : 0;
    emit dataChanged(index(ligne, 0), index(ligne, 0), {Qt::CheckStateRole});
}

std::vector<int> ModeleEnregistrements::ordreTrie() const {
    std::vector<int> ordre(static_cast<std::size_t>(jeu_.nombreLignes()));
    std::iota(ordre.begin(), ordre.end(), 0);
    if (colonneTri_ < 0 || colonneTri_ >= jeu_.nombreColonnes())
        return ordre;
    const Genre genre =
        tri_ == Tri::ParTexteAffiche ? Genre::Texte : colonnes_.at(colonneTri_).genre;
    std::vector<CleTri> cles;
    cles.reserve(ordre.size());
    for (int ligne = 0; ligne < jeu_.nombreLignes(); ++ligne) {
        if (tri_ == Tri::ParTexteAffiche)
            cles.push_back({0, data(index(ligne, colonneTri_), Qt::DisplayRole).toString()});
        else
            cles.push_back(cleTri(jeu_.valeur(ligne, colonneTri_), genre));
    }
    const bool croissant = ordreTri_ == Qt::AscendingOrder;
    std::stable_sort(ordre.begin(), ordre.end(), [&](int a, int b) {
        const CleTri& x = cles[static_cast<std::size_t>(croissant ? a : b)];
        const CleTri& y = cles[static_cast<std::size_t>(croissant ? b : a)];
        if (genre != Genre::Texte)
            return x.nombre < y.nombre;
        return x.texte.compare(y.texte, Qt::CaseInsensitive) < 0;
    });
    return ordre;
}

void ModeleEnregistrements::sort(int colonne, Qt::SortOrder ordre) {
    colonneTri_ = colonne;
    ordreTri_ = ordre;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const std::vector<int> ordreLignes = ordreTrie();
    // The permutation is applied to the rows, the check marks and the
    // persistent indexes (current row, selection), so that the view keeps
    // pointing at the same records.
    std::vector<int> nouveauRang(ordreLignes.size());
    std::vector<char> coches(coches_.size());
    for (std::size_t i = 0; i < ordreLignes.size(); ++i) {
        const auto source = static_cast<std::size_t>(ordreLignes[i]);
        nouveauRang[source] = static_cast<int>(i);
        coches[i] = coches_[source];
    }
    jeu_.permuter(ordreLignes);
    coches_ = std::move(coches);
    const QModelIndexList anciens = persistentIndexList();
    QModelIndexList nouveaux;
    nouveaux.reserve(anciens.size());
    for (const QModelIndex& ancien : anciens)
        nouveaux.append(
            index(nouveauRang[static_cast<std::size_t>(ancien.row())], ancien.column()));
    changePersistentIndexList(anciens, nouveaux);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int ModeleEnregistrements::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : jeu_.nombreLignes();
}

int ModeleEnregistrements::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(colonnes_.size());
}

QVariant ModeleEnregistrements::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const int ligne = index.row();
    const int colonne = index.column();
    switch (role) {
    case Qt::DisplayRole:
        if (colonnes_.at(colonne).genre == Genre::Date)
            return textes_.date(jeu_.valeur(ligne, colonne));
        return textes_.valeur(jeu_.valeur(ligne, colonne));
    case Qt::CheckStateRole:
        if (casesACocher_ && colonne == 0)
            return coche(ligne) ? Qt::Checked : Qt::Unchecked;
        return {};
    case RoleCle:
        return jeu_.cle(ligne);
    case RoleMarque:
        return jeu_.marque(ligne);
    case RoleValeur:
        return jeu_.valeur(ligne, colonne);
    default:
        return {};
    }
}

bool ModeleEnregistrements::setData(const QModelIndex& index, const QVariant& valeur, int role) {
    if (!casesACocher_ || role != Qt::CheckStateRole || index.column() != 0 ||
        !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return false;
    cocher(index.row(), valeur.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags ModeleEnregistrements::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (casesACocher_ && index.column() == 0)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant ModeleEnregistrements::headerData(int section, Qt::Orientation orientation,
                                           int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < colonnes_.size())
        return colonnes_.at(section).titre;
    return {};
}

} // namespace tarvo::listes
