#pragma once

#include "Roles.h"
#include "db/JeuEnregistrements.h"
#include "db/TexteCellules.h"

#include <QAbstractTableModel>

namespace tarvo::listes {

// Every list and grid of the program over a record set: the headers are the
// columns' titles, a cell shows its value as text (db::TexteCellules), sorting
// compares the typed values, and each row's key and mark travel in roles of
// their own. Optional check marks in the first column.
class ModeleEnregistrements : public QAbstractTableModel {
    Q_OBJECT
public:
    using enum Role;

    // What a sort compares: the typed values, or the texts the cells show
    // (the shipment windows' lists, whose dates and numbers sort as text).
    enum class Tri { ParValeur, ParTexteAffiche };

    explicit ModeleEnregistrements(QList<db::Colonne> colonnes, bool casesACocher = false,
                                   QObject* parent = nullptr);

    // Replaces every row; check marks start cleared. Keeps the active sort.
    void remplir(db::JeuEnregistrements jeu);
    const db::JeuEnregistrements& jeu() const { return jeu_; }
    QVariant cle(int ligne) const { return jeu_.cle(ligne); }
    void changerValeur(int ligne, int colonne, const QVariant& valeur);
    void marquer(int ligne, bool marque);

    bool coche(int ligne) const { return coches_.at(static_cast<std::size_t>(ligne)) != 0; }
    void cocher(int ligne, bool coche);

    void setTri(Tri tri) { tri_ = tri; }
    int colonneTri() const { return colonneTri_; }
    Qt::SortOrder ordreTri() const { return ordreTri_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& valeur, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // Sorts by one column's typed values and keeps that sort for later loads;
    // rows of equal values keep their order.
    void sort(int colonne, Qt::SortOrder ordre = Qt::AscendingOrder) override;

private:
    std::vector<int> ordreTrie() const;

    QList<db::Colonne> colonnes_;
    bool casesACocher_;
    Tri tri_ = Tri::ParValeur;
    db::JeuEnregistrements jeu_;
    std::vector<char> coches_;
    mutable db::TexteCellules textes_;
    int colonneTri_ = -1;
    Qt::SortOrder ordreTri_ = Qt::AscendingOrder;
};

} // namespace tarvo::listes
