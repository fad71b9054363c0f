#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace tarvo {
struct Contexte;
}
namespace tarvo::db {
class Base;
}

namespace tarvo::expeditions {

// The shipments holding an order, by number. Raises ErreurTarvo on a
// database failure.
QList<qint32> ExpeditionsDeCommande(Contexte& ctx, const QString& commande);
// The same on `base`, inside whatever transaction it runs.
QList<qint32> ExpeditionsDeCommande(const db::Base& base, const QString& commande);

// Which shipment holds the order typed by the person (upper-cased and
// trimmed). Shows "Recherche de commande infructueuse" when none does, the
// anomaly box listing every shipment when several do, and returns the first
// one.
std::optional<qint32> RechercheCommande(Contexte& ctx, const QString& saisie);

// The box shown when the modification window's list, even with the closed
// shipments, cannot show shipment `noExp` found by the search: it was
// created before the list's three years, or deleted meanwhile. Raises
// ErreurTarvo on a database failure.
QString TexteExpeditionHorsListe(Contexte& ctx, qint32 noExp);
extern const QString TitreExpeditionHorsListe;

// Asks for the order number, then searches it. None when the person cancels
// or types nothing.
std::optional<qint32> RechercheCommande(Contexte& ctx);

} // namespace tarvo::expeditions
