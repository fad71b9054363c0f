#pragma once

#include "suivi/Suivi.h"

#include <QAbstractTableModel>
#include <QColor>

namespace tarvo::suivi {

// The follow-up's rows in the columns of TableSuivi: their texts, each row
// coloured by its state, and in RoleTri the typed value a sort compares.
class ModeleSuivi : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int RoleTri = Qt::UserRole + 1;

    explicit ModeleSuivi(QObject* parent = nullptr);

    void remplir(QList<LigneSuivi> lignes);
    const LigneSuivi& ligne(int rang) const { return lignes_.at(rang); }
    const QList<LigneSuivi>& lignes() const { return lignes_; }
    // The cells of row `rang`, as shown.
    const QStringList& textes(int rang) const { return textes_.at(rang); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<LigneSuivi> lignes_;
    // The texts of each row, made once per load.
    QList<QStringList> textes_;
};

// Where the texts of column `colonne` sit: texts left, the rest right.
Qt::Alignment alignement(int colonne);

// The background of a row in state `etat`; invalid for the shipments not
// started, which keep the list's own.
QColor couleurEtat(EtatPreparation etat);

} // namespace tarvo::suivi
