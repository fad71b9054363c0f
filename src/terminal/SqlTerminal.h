#pragma once

#include "db/TexteSql.h"

// Every statement of the terminal exchange. Values are named parameters; the
// comment of each statement names them. Each text serves both the embedded
// database and SQL Server. Date-times are bound and compared as the text
// db::Dialecte::FormatDateHeure gives.
namespace tarvo::terminal::sql {

// The article file: the number of articles, then each article's bar code and
// label, by bar code.
extern const db::TexteSql NombreArticles;
extern const db::TexteSql ArticlesPourTerminal;

// The shipment file: the number of open shipments, then each one's number,
// labels 1 and 2 and theoretical parcel count, by number.
extern const db::TexteSql NombreExpeditionsOuvertes;
extern const db::TexteSql ExpeditionsOuvertes;

// Journal rows: :codeType, :noExpedition, :noColis (the parcel as the
// terminal gave it, as text), :dateSaisie, :dateIntegration and :poids; an
// article also :codeBarres and :quantite. A weight row leaves the bar code
// and the quantity to the table's defaults.
extern const db::TexteSql JournalArticle;
extern const db::TexteSql JournalPoids;

// Integrated files, known by :empreinte (SHA-256 in hexadecimal) and
// :modification (milliseconds since 1970 UTC). The archive of such a file;
// noting one also takes :dateIntegration and :archive.
extern const db::TexteSql ArchiveFichierIntegre;
extern const db::TexteSql NoterFichierIntegre;
// The fingerprints and archives of the last five committed runs.
extern const db::TexteSql DernieresIntegrations;
// :archive — the archive path as noted: a row when a committed run made it.
extern const db::TexteSql ArchiveValidee;

// A shipment's closing date, no row for an unknown shipment: :noExpedition.
extern const db::TexteSql DateClotureExpedition;

// A row when :codeBarres is in the article table.
extern const db::TexteSql ArticleConnu;

// Parcels, each known by :noExpedition and :colis.
// Creates the parcel when missing, dated :dateSaisie; with its weight :poids.
extern const db::TexteSql CreerColisSansPoids;
extern const db::TexteSql CreerColisAvecPoids;
// Weighs the parcel, :poids at :dateSaisie, unless it changed since.
extern const db::TexteSql PeserColis;
// One row when the parcel exists.
extern const db::TexteSql ColisExiste;
// Every parcel of the shipment :noExpedition; the other subsystems run it
// through SupprimerColisExpedition (ColisExpedition.h).
extern const db::TexteSql SupprimerColisExpedition;
extern const db::TexteSql SupprimerColis;

// Packing lines, each known by :noExpedition, :colis and :codeBarres.
// Creates the line when missing: :quantite at :dateSaisie.
extern const db::TexteSql CreerColisage;
// Adds :quantite at :dateSaisie, unless the line changed since.
extern const db::TexteSql AjouterAuColisage;
// The line's quantity, when it last changed before :dateSaisie.
extern const db::TexteSql QuantiteColisageAnterieure;
// Takes :quantite out at :dateSaisie.
extern const db::TexteSql RetirerDuColisage;
extern const db::TexteSql SupprimerColisage;

} // namespace tarvo::terminal::sql
