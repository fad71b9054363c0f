#pragma once

#include <QList>
#include <QStringList>
#include <functional>
#include <optional>

namespace tarvo {
struct Contexte;
}

namespace tarvo::expeditions {

// The routines that turn checked Sage orders into shipments. Each takes the
// order numbers of the checked rows in list order (trimmed here), skips an
// order that [Info Commande] does not know, and raises ErreurTarvo on a
// database failure, leaving nothing of the shipment it was writing.

// One shipment per order, each written in a transaction of its own and
// handed to `creee` as soon as it is committed. Returns the numbers of the
// shipments created, in order. A failure part-way raises an ErreurTarvo whose
// description ends with the shipments already committed and their orders, so
// that whoever reads the box does not create them a second time.
QList<qint32> CreerExpAuto(Contexte& ctx, const QStringList& commandes,
                           const std::function<void(qint32 numero)>& creee = {});

// One shipment for all the orders, labelled after the first known order,
// written in one transaction. Returns its number; none when no order is known.
std::optional<qint32> CreerExpManuel(Contexte& ctx, const QStringList& commandes);

// Attaches the orders to shipment `noExpCible` in one transaction. Returns the
// order numbers attached.
QStringList AddCdeExp(Contexte& ctx, qint32 noExpCible, const QStringList& commandes);

} // namespace tarvo::expeditions
