#include "ModeleSuivi.h"

#include <QFont>
#include <limits>

namespace tarvo::suivi {
namespace {

// The columns whose value is not simply one of the row's counts.
enum Colonne {
    ColNumero = 0,
    ColLibelle = 1,
    ColPourcent = 6,
    ColSuspects = 11,
    ColSaisie = 12,
    ColIntegration = 13,
    ColEtat = 14,
};

// A missing moment sorts before every other.
qint64 instant(const QDateTime& d) {
    return d.isValid() ? d.toMSecsSinceEpoch() : std::numeric_limits<qint64>::min();
}

// In the order of ColonnesSuivi.
QVariant valeurTri(const LigneSuivi& l, int colonne) {
    switch (colonne) {
    case ColNumero:
        return l.noExpedition;
    case ColLibelle:
        return l.libelle1;
    case 2:
        return l.commandes;
    case 3:
        return l.lignes;
    case 4:
        return l.qteCommandee;
    case 5:
        return l.qtePreparee;
    case ColPourcent:
        // Nothing ordered sorts before 0 %.
        return l.pourcentPrepare().value_or(-1.0);
    case 7:
        return l.lignesEnEcart;
    case 8:
        return l.colisTheoriques;
    case 9:
        return l.colisReels;
    case 10:
        return l.colisPeses;
    case ColSuspects:
        return l.colisSuspects;
    case ColSaisie:
        return instant(l.derniereSaisie);
    case ColIntegration:
        return instant(l.derniereIntegration);
    case ColEtat:
        return static_cast<int>(l.etat);
    }
    return {};
}

} // namespace

QColor couleurEtat(EtatPreparation etat) {
    switch (etat) {
    case EtatPreparation::NonCommencee:
        return {};
    case EtatPreparation::EnCours:
        return QColor(0xFF, 0xF2, 0xC4);
    case EtatPreparation::Complete:
        return QColor(0xD4, 0xF0, 0xD4);
    case EtatPreparation::Ecart:
        return QColor(0xF8, 0xCC, 0xCC);
    case EtatPreparation::Close:
        return QColor(0xE4, 0xE4, 0xE4);
    }
    return {};
}

ModeleSuivi::ModeleSuivi(QObject* parent) : QAbstractTableModel(parent) {}

void ModeleSuivi::remplir(QList<LigneSuivi> lignes) {
    beginResetModel();
    lignes_ = std::move(lignes);
    textes_.clear();
    textes_.reserve(lignes_.size());
    for (const LigneSuivi& l : lignes_)
        textes_.append(TextesLigne(l));
    endResetModel();
}

int ModeleSuivi::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(lignes_.size());
}

int ModeleSuivi::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(ColonnesSuivi().size());
}

QVariant ModeleSuivi::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const LigneSuivi& l = lignes_.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return textes_.at(index.row()).value(index.column());
    case RoleTri:
        return valeurTri(l, index.column());
    case Qt::BackgroundRole: {
        const QColor couleur = couleurEtat(l.etat);
        return couleur.isValid() ? QVariant(couleur) : QVariant();
    }
    case Qt::ForegroundRole:
        // A closed shipment is history; a suspect parcel must catch the eye.
        if (l.etat == EtatPreparation::Close)
            return QColor(0x60, 0x60, 0x60);
        if (index.column() == ColSuspects && l.colisSuspects > 0)
            return QColor(0xB0, 0x00, 0x00);
        return {};
    case Qt::FontRole:
        if (index.column() == ColSuspects && l.colisSuspects > 0) {
            QFont gras;
            gras.setBold(true);
            return gras;
        }
        return {};
    case Qt::TextAlignmentRole:
        if (index.column() == ColLibelle || index.column() == ColEtat)
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant ModeleSuivi::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return ColonnesSuivi().value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace tarvo::suivi
