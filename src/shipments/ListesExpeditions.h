#pragma once

#include "db/JeuEnregistrements.h"

namespace tarvo {
struct Contexte;
}

namespace tarvo::expeditions {

// Which orders the order list shows.
struct LieuLivraison {
    qint32 LI_No = 0;
};
struct NumeroExpedition {
    qint32 NoExp = 0;
};

// The loaders of the shipment windows. Each runs its query, reports its
// progress (0, then 100) and returns the rows in the query's order, with the
// values as the database gave them. Raise ErreurTarvo on a database failure.

// ListeCde of the automatic window: every available order, its number as the
// row's key (ColonnesListeCde).
db::JeuEnregistrements ChargeListCde(Contexte& ctx);
// ListeCde of the manual and add windows: the available orders of one place.
db::JeuEnregistrements ChargeListCde(Contexte& ctx, LieuLivraison lieu);
// ListeCde of the modification window: the orders of one shipment, the
// customer account in the "Client" column.
db::JeuEnregistrements ChargeListCde(Contexte& ctx, NumeroExpedition expedition);
// ListeClient: one row per customer and delivery place with available
// orders, the delivery place number LI_No as the row's key.
db::JeuEnregistrements ChargeListClient(Contexte& ctx);
// ListeExp: the shipments created in the last three years (by the context's
// clock), by number, each number as its row's key; the closed ones, marked,
// only when `affClot`.
db::JeuEnregistrements ChargeListExp(Contexte& ctx, bool affClot);

// The columns of the lists: order number, reference, date, delivery date,
// customer, town, country.
QList<db::Colonne> ColonnesListeCde();
// Account, customer, place, town, country, number of orders.
QList<db::Colonne> ColonnesListeClient();
// Number, labels 1 and 2, creation and closing dates.
QList<db::Colonne> ColonnesListeExp();

} // namespace tarvo::expeditions
