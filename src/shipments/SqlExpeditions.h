#pragma once

#include "db/TexteSql.h"

// Every statement of the shipment routines and windows, and the shipment and
// delivery-place reads the labels share. Values are named parameters; the
// comment of each statement names them.
namespace tarvo::expeditions::sql {

// All orders offered for shipping, by order number.
extern const db::TexteSql CommandesDispo;
// The orders offered for one delivery place: :noLieu.
extern const db::TexteSql CommandesDispoLieu;
// Whether one order is offered, with its delivery place LI_No: :commande.
extern const db::TexteSql CommandeDispo;
// One row per customer and delivery place with available orders: the
// columns the list shows, then the place number LI_No.
extern const db::TexteSql ClientsEnCommande;

// What a shipment needs from an order: :commande.
extern const db::TexteSql InfoCommande;
// A new shipment, its number read back by Requete::executerInsertion:
// :libelle1, :libelle2, :noLieu, :langue.
extern const db::TexteSql InsertionExpedition;
// Attaches one order to a shipment unless a shipment already holds it, the
// check and the insert in one statement: returns one row when the order was
// attached, none when it was taken. On the server the check keeps its lock
// until the end of the transaction, so that a workstation racing for the same
// order waits and then finds it taken. :noExpedition, :commande, :reference,
// :dateLivraison, :langue, :noClient, :dateCreation, :noLieu.
extern const db::TexteSql RattachementCommande;

// Shipments created since :depuis (yyyy-MM-dd HH:mm:ss), by number; the
// closed ones only when :avecCloses is 1.
extern const db::TexteSql ListeExpeditions;
// One shipment: :noExpedition. Columns: number, labels 1 and 2, delivery
// place, creation, closing, theoretical and real parcel counts, tare, net
// and gross weights, volume.
extern const db::TexteSql Expedition;
// A delivery place's address: :noLieu. Columns: name, address, complement,
// postcode, town, country.
extern const db::TexteSql AdresseLivraison;
// The orders of a shipment with their delivery town and country: :noExpedition.
extern const db::TexteSql CommandesExpedition;
// Saves the editable columns only when the row still holds the values it was
// loaded with. New values :libelle1, :libelle2, :dateCloture,
// :nbColisTheorique, :nbColisReel, :tare, :poidsNet, :poidsBrut, :volume; the
// loaded ones under the same names ending in "Lu"; :noExpedition.
extern const db::TexteSql EnregistrementExpedition;

// Removes one order from one shipment: :noExpedition, :commande.
extern const db::TexteSql SuppressionCommande;
// A shipment and what hangs on it, children first, each with :noExpedition;
// its parcels go through the terminal's SupprimerColisExpedition in between.
extern const db::TexteSql SuppressionColisage;
extern const db::TexteSql SuppressionListeCommandes;
extern const db::TexteSql SuppressionExpedition;

// The shipments holding an order: :commande.
extern const db::TexteSql RechercheCommande;

} // namespace tarvo::expeditions::sql
