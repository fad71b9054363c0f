#pragma once

#include <QString>
#include <optional>

namespace tarvo {
struct Contexte;
}

namespace tarvo::expeditions {

// Which shipment holds an order typed by the person (upper-cased and trimmed).
// Shows "Recherche de commande infructueuse" when none does, the anomaly box
// listing every shipment when several do, and returns the first one.
std::optional<qint32> ChercherCommande(Contexte& ctx, const QString& saisie);

// Asks for the order number, then ChercherCommande. None when the person
// cancels or types nothing.
std::optional<qint32> RechercheCommande(Contexte& ctx);

} // namespace tarvo::expeditions
