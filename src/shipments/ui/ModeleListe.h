#pragma once

#include "shipments/ListesExpeditions.h"

#include <QAbstractTableModel>
#include <vector>

namespace tarvo::ui {

// The rows of a report-style list held as plain texts, so that tens of
// thousands of orders load and sort quickly: check marks, per-row tags, red
// bold closed shipments, and a sort that compares the cells' texts.
class ModeleListe : public QAbstractTableModel {
    Q_OBJECT
public:
    ModeleListe(QStringList entetes, bool casesACocher, QObject* parent = nullptr);

    // Replaces every row; check marks start cleared. Keeps the active sort.
    void remplir(LignesListe lignes);
    const LigneListe& ligne(int rang) const { return lignes_.at(rang); }
    void changerCellule(int rang, int colonne, const QString& texte);
    bool coche(int rang) const { return coches_.at(static_cast<std::size_t>(rang)) != 0; }
    void cocher(int rang, bool coche);

    // Sorts by the texts of one column and keeps that sort for later loads.
    void trier(int colonne, Qt::SortOrder ordre);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& valeur, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void appliquerTri();

    QStringList entetes_;
    bool casesACocher_;
    LignesListe lignes_;
    std::vector<char> coches_;
    int colonneTri_ = -1;
    Qt::SortOrder ordreTri_ = Qt::AscendingOrder;
};

} // namespace tarvo::ui
