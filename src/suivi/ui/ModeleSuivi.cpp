#include "ModeleSuivi.h"

#include <QFont>

namespace tarvo::suivi {
namespace {

bool colisSuspectsEnVue(const LigneSuivi& l, int colonne) {
    return TableSuivi().at(colonne).colonne == ColonneSuivi::ColisSuspects && l.colisSuspects > 0;
}

} // namespace

Qt::Alignment alignement(int colonne) {
    return TableSuivi().at(colonne).genre == db::Genre::Texte ? Qt::AlignLeft : Qt::AlignRight;
}

QColor couleurEtat(EtatPreparation etat) {
    switch (etat) {
    case EtatPreparation::NonCommencee:
        return {};
    case EtatPreparation::EnCours:
        return QColor(0xFF, 0xF2, 0xC4);
    case EtatPreparation::Complete:
        return QColor(0xD4, 0xF0, 0xD4);
    // Done, but not to be sent as it is: neither the green of done nor the
    // red of a preparation gone wrong.
    case EtatPreparation::CompleteSuspects:
        return QColor(0xFF, 0xDD, 0xAA);
    case EtatPreparation::Ecart:
        return QColor(0xF8, 0xCC, 0xCC);
    case EtatPreparation::Close:
        return QColor(0xE4, 0xE4, 0xE4);
    }
    return {};
}

ModeleSuivi::ModeleSuivi(QObject* parent)
    : QAbstractTableModel(parent), lignes_(std::make_shared<const QList<LigneSuivi>>()) {}

void ModeleSuivi::presenter(std::shared_ptr<const QList<LigneSuivi>> lignes,
                            std::vector<int> rangs) {
    beginResetModel();
    lignes_ = std::move(lignes);
    rangs_ = std::move(rangs);
    endResetModel();
}

int ModeleSuivi::rangDe(qint32 noExpedition) const {
    for (std::size_t r = 0; r < rangs_.size(); ++r)
        if (lignes_->at(rangs_[r]).noExpedition == noExpedition)
            return static_cast<int>(r);
    return -1;
}

void ModeleSuivi::sort(int colonne, Qt::SortOrder ordre) {
    emit triDemande(colonne, ordre);
}

int ModeleSuivi::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rangs_.size());
}

int ModeleSuivi::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(ColonnesSuivi().size());
}

QVariant ModeleSuivi::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const LigneSuivi& l = ligne(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return TableSuivi().at(index.column()).texte(l);
    case Qt::BackgroundRole: {
        const QColor couleur = couleurEtat(l.etat);
        return couleur.isValid() ? QVariant(couleur) : QVariant();
    }
    case Qt::ForegroundRole:
        // A closed shipment is history; a suspect parcel must catch the eye.
        if (l.etat == EtatPreparation::Close)
            return QColor(0x60, 0x60, 0x60);
        if (colisSuspectsEnVue(l, index.column()))
            return QColor(0xB0, 0x00, 0x00);
        return {};
    case Qt::FontRole:
        if (colisSuspectsEnVue(l, index.column())) {
            QFont gras;
            gras.setBold(true);
            return gras;
        }
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(alignement(index.column()) | Qt::AlignVCenter);
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
