#pragma once

#include "db/TexteSql.h"

// The statements of the reports and of the range control preparation. Each
// report reads one bound query per level with the shipment as condition, so
// that a report costs the same whatever the number of shipments. Values are
// named parameters; the comment of each statement names them. The orders of
// a shipment are read with expeditions::sql::CommandesExpedition.
namespace tarvo::editions::sql {

// The shipment with the customer account and the address of its delivery
// place (NULL when it has none): :noExpedition. Columns: number, labels 1
// and 2, creation, closing, tare, gross and net weights, volume, CT_Num,
// LI_Intitule, LI_Adresse, LI_Complement, LI_CodePostal, LI_Ville, LI_Pays.
extern const db::TexteSql EnTeteExpedition;

// The ordered articles of a shipment (the order lines still to deliver,
// matched to the bar code of their range element; components of a composed
// article left out): :noExpedition. Equal lines of one bar code are merged
// into one row, lines of other quantities stay apart. Columns: bar code,
// reference, description, quantity, composed reference; by bar code.
extern const db::TexteSql DetailListeArticle;

// The parcels of a shipment by number: :noExpedition. Columns: parcel
// number, weight.
extern const db::TexteSql ColisExpedition;
// The contents of every parcel of a shipment, by parcel and bar code:
// :noExpedition. Columns: parcel number, bar code, quantity.
extern const db::TexteSql ColisageExpedition;
// The descriptions (design_couleur) of the bar codes packed in a shipment, as
// V_ARTICLE knows them: :noExpedition. Columns: bar code, description. Read
// apart from the contents: joined to them, the view would be read again for
// every content line.
extern const db::TexteSql LibellesColisage;

// The control by article reference: :noExpedition. Columns: reference,
// description, shipped, ordered (Qté Livrée), control, difference; by
// description.
extern const db::TexteSql ListeControleArt;

// The range control rows prepared for one report connection: :spid,
// :noExpedition. Columns: bar code, description with colour, ordered and
// shipped quantities, control, difference; in id order.
extern const db::TexteSql ListeCtrlArtGamme;

// Range control preparation. The rows of one connection go: :spid.
extern const db::TexteSql SuppressionControleGamme;
// The view's rows of a shipment in report order: :noExpedition. Columns:
// AR_Ref, CodeBarre, Libelle, Design_couleur, Couleur_cde, Couleur_exp,
// Qte_cde, Qte_exp, Controle, Difference, EnGamme.
extern const db::TexteSql LignesControleGamme;
// One detail row: :spid, :noExpedition, :reference, :codeBarre, :libelle,
// :designCouleur, :couleurCde, :couleurExp, :qteCde, :qteExp, :qteCdeTexte,
// :qteExpTexte, :controle, :difference, :enGamme.
extern const db::TexteSql InsertionDetailGamme;
// The subtotal row "S/T" of an article: :spid, :noExpedition, :reference,
// :enGamme, :qteCde, :qteExp, :qteCdeTexte, :qteExpTexte, :difference,
// :controle.
extern const db::TexteSql InsertionSousTotalGamme;
// The database procedure that does the whole preparation (SQL Server only):
// :spid, :noExpedition.
extern const db::TexteSql PrepaControleGamme;

} // namespace tarvo::editions::sql
