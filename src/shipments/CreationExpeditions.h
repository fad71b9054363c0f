#pragma once

#include "ControleCommandes.h"

#include <QList>
#include <QStringList>
#include <functional>

namespace tarvo {
struct Contexte;
}

namespace tarvo::expeditions {

// The routines that turn checked Sage orders into shipments. Each takes the
// order numbers of the checked rows in list order (trimmed here), skips an
// order that [Info Commande] does not know, and raises ErreurTarvo on a
// database failure, leaving nothing of the shipment it was writing.
//
// The list the person checked may be old: another workstation may have
// attached one of its orders since. Each order is attached only if no
// shipment holds it when its transaction writes it; an order found taken is
// refused, named with the shipment holding it, and nothing is written for it.

// What a routine did.
struct Rattachements {
    // The shipments created, in order (automatic mode: the shipment of each
    // entry of `commandes`).
    QList<qint32> expeditions;
    // The orders attached, in the order given.
    QStringList commandes;
    // The orders found taken, in the order given.
    QList<CommandeRefusee> refusees;
};

// One shipment per order, each written in a transaction of its own and
// handed to `creee` as soon as it is committed; an order found taken leaves
// no shipment. A failure part-way raises an ErreurTarvo whose description
// ends with the shipments already committed and their orders, so that
// whoever reads the box does not create them a second time.
Rattachements CreerExpAuto(Contexte& ctx, const QStringList& commandes,
                           const std::function<void(qint32 numero)>& creee = {});

// One shipment for all the orders not taken, labelled after the first of
// them, written in one transaction. None when every order is unknown or taken.
Rattachements CreerExpManuel(Contexte& ctx, const QStringList& commandes);

// Attaches the orders not taken to shipment `noExpCible` in one transaction.
Rattachements AddCdeExp(Contexte& ctx, qint32 noExpCible, const QStringList& commandes);

// The creation windows' end box: "Traitement terminé", then the shipments
// created by number, or that none was.
QString TexteCreationTerminee(const QList<qint32>& expeditions);

} // namespace tarvo::expeditions
