#pragma once

#include "db/Dialecte.h"

#include <QSqlQuery>
#include <QString>

namespace tarvo::SqlExpeditions {

// Every statement of the shipment windows and routines. Values are bound
// ('?' placeholders, in the order the comment gives); only the table and view
// spellings and the few engine differences are chosen here.

// All orders offered for shipping, by order number.
QString commandesDispo(db::Moteur moteur);
// The orders offered for one delivery place: LI_No.
QString commandesDispoLieu(db::Moteur moteur);
// One row per customer and delivery place with available orders.
QString clientsEnCommande(db::Moteur moteur);

// What a shipment needs from an order: DO_Piece.
QString infoCommande();
// A new shipment: [Libellé 1], [Libellé 2], [No lieu livraison], Langue. Its
// number is read back with identiteInseree on the same query.
QString insertionExpedition(db::Moteur moteur);
qint32 identiteInseree(QSqlQuery& requete, db::Moteur moteur);
// One order of a shipment: the eight columns of [Liste commandes].
QString insertionListeCommande();

// Shipments created since a cutoff date-time: the cutoff. With `closes`
// false, only the open ones.
QString listeExpeditions(db::Moteur moteur, bool closes);
// One shipment: [No Expédition].
QString expedition();
// A delivery place's address: LI_No.
QString adresseLivraison();
// The orders of a shipment with their delivery town and country: [No Expédition].
QString commandesExpedition();
// Saves the editable columns only when the row still holds the values it was
// loaded with: the nine new values, [No Expédition], then each of the nine
// loaded values twice (value, value) for a NULL-safe comparison.
QString enregistrementExpedition(db::Moteur moteur);

// Removes one order from one shipment: [No Expédition], [No commande SAGE].
QString suppressionCommande();
// A shipment and what hangs on it, in this order, each with [No Expédition].
QStringList suppressionExpedition();

// The shipments holding an order: [No commande SAGE].
QString rechercheCommande();

// A date-time parameter compared with or written to a date-time column.
QString parametreDateHeure(db::Moteur moteur);

} // namespace tarvo::SqlExpeditions
