#pragma once

#include <QList>
#include <QStringList>
#include <QStringView>
#include <array>
#include <initializer_list>

namespace tarvo {

struct Contexte;

// One row of a shipment-window list: its cell texts (row text first), the
// hidden per-row value and whether it is a closed shipment. The cells share
// one string: a list of tens of thousands of rows then costs one allocation
// per row, not one per cell.
class LigneListe {
public:
    // Cells beyond this number are dropped.
    static constexpr int MaxCellules = 7;

    LigneListe() = default;
    LigneListe(std::initializer_list<QString> cellules, qint32 tag = 0, bool close = false);

    int nombreCellules() const { return nombre_; }
    // Empty beyond the last cell.
    QStringView cellule(int colonne) const;
    QStringList cellules() const;
    void changerCellule(int colonne, const QString& texte);

    qint32 tag = 0;
    bool close = false;

private:
    void assembler(const QString* cellules, qsizetype nombre);

    QString textes_;
    std::array<int, MaxCellules + 1> debuts_{};
    int nombre_ = 0;
};
using LignesListe = QList<LigneListe>;

// Which orders the order list shows.
struct LieuLivraison {
    qint32 LI_No = 0;
};
struct NumeroExpedition {
    qint32 NoExp = 0;
};

// The loaders of the shipment windows. Each runs its query, reports its
// progress (0, then per record, then 100) and returns the rows in the query's
// order. Raise ErreurTarvo on a database failure.

// ListeCde of the automatic window: every available order. Cells: order
// number, reference, date, delivery date, customer, town, country.
LignesListe ChargeListCde(Contexte& ctx);
// ListeCde of the manual and add windows: the available orders of one place.
LignesListe ChargeListCde(Contexte& ctx, LieuLivraison lieu);
// ListeCde of the modification window: the orders of one shipment. Cells:
// order number, reference, order date, delivery date, customer account,
// town, country.
LignesListe ChargeListCde(Contexte& ctx, NumeroExpedition expedition);
// ListeClient: one row per customer and delivery place with available
// orders; the tag is the delivery place number. Cells: account, customer,
// place, town, country, number of orders.
LignesListe ChargeListClient(Contexte& ctx);
// ListeExp: the shipments created in the last three years (by the context's
// clock), by number; the closed ones only when `affClot`.
LignesListe ChargeListExp(Contexte& ctx, bool affClot);

// The column headers of the lists.
QStringList EntetesListeCde();
QStringList EntetesListeClient();
QStringList EntetesListeExp();

} // namespace tarvo
