#pragma once

#include <QList>
#include <QStringList>

namespace tarvo {

struct Contexte;

// One row of a shipment-window list: its cell texts (row text first), the
// hidden per-row value and whether it is a closed shipment.
struct LigneListe {
    QStringList cellules;
    qint32 tag = 0;
    bool close = false;
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
