#pragma once

#include <QList>
#include <QStringList>
#include <QVariant>

namespace tarvo {
struct Contexte;
}

namespace tarvo::expeditions {

// The orders named on the command line go through the rules the windows
// apply by what they offer: only an order [Commandes Dispo] offers, once,
// and in manual and add modes only an order of the shipment's delivery place.

// An order left out, with the reason the person is told.
struct CommandeRefusee {
    QString commande;
    QString raison;
};

// Why an order that is not offered cannot be taken, given the shipments
// already holding it: the first of them named, or all when there are several;
// with none, it is simply not available.
QString RaisonCommandeNonOfferte(const QString& commande, const QList<qint32>& expeditions);

// Names every order left out with its reason, in one box titled "Commandes
// refusées"; nothing when none was.
void SignalerRefus(Contexte& ctx, const QList<CommandeRefusee>& refusees);

struct CommandesRetenues {
    // Trimmed, in the order given.
    QStringList retenues;
    QList<CommandeRefusee> refusees;
};

// The delivery place of the orders a new shipment takes: any (automatic
// mode, one shipment per order) or that of the first order retained (manual
// mode, one shipment for all).
enum class Lieu { Quelconque, Commun };

CommandesRetenues RetenirPourCreation(Contexte& ctx, const QStringList& commandes, Lieu lieu);

// The orders that may join shipment `noExp`. Raises ErreurTarvo when the
// shipment does not exist.
CommandesRetenues RetenirPourAjout(Contexte& ctx, qint32 noExp, const QStringList& commandes);

// What adding orders needs to know of its target shipment.
struct ExpeditionCible {
    QVariant noLieu;
    bool close = false;
};
// Raises ErreurTarvo when the shipment does not exist.
ExpeditionCible LireExpeditionCible(Contexte& ctx, qint32 noExp);

// The orders of a closed shipment never reach the terminals: adding to one
// asks first (default no). True when the shipment is open or the person
// agrees. Raises ErreurTarvo when the shipment does not exist.
bool ConfirmerAjout(Contexte& ctx, qint32 noExp);

} // namespace tarvo::expeditions
