#pragma once

#include "db/TexteSql.h"

// Every statement of the terminal exchange. Values are named parameters; the
// comment of each statement names them. The texts are accepted as they are by
// both the embedded database and SQL Server. Date-times are compared as the
// text db::Dialecte::FormatDateHeure gives.
namespace tarvo::terminal::Sql {

// Article file.
inline const db::TexteSql NombreArticles{QStringLiteral("SELECT COUNT(*) FROM Article")};
inline const db::TexteSql ArticlesPourTerminal{
    QStringLiteral("SELECT [Code barres Article], lib_art_couleur FROM Article "
                   "ORDER BY [Code barres Article]")};

// Shipment file: the open shipments.
inline const db::TexteSql NombreExpeditionsOuvertes{
    QStringLiteral("SELECT COUNT(*) FROM Expédition WHERE [Date cloture] IS NULL")};
inline const db::TexteSql ExpeditionsOuvertes{
    QStringLiteral("SELECT [No Expédition], [Libellé 1], [Libellé 2], [Nbr colis théorique] "
                   "FROM Expédition WHERE [Date cloture] IS NULL ORDER BY [No Expédition]")};

// Journal rows: :codeType, :noExpedition, :noColis (the parcel as text),
// :dateSaisie, :dateIntegration, and for an article :codeBarres, :poids,
// :quantite. Weight entries leave the bar code and the quantity to the
// table's defaults: :poids only.
inline const db::TexteSql JournalArticle{QStringLiteral(
    "INSERT INTO [Journal de saisie] ([Code type ligne], [No Expédition], [No Colis], "
    "[Code barres Article], [Poids colis], Quantité, [Date saisie], [Date intégration]) "
    "VALUES (:codeType, :noExpedition, :noColis, :codeBarres, :poids, :quantite, :dateSaisie, "
    ":dateIntegration)")};
inline const db::TexteSql JournalPoids{QStringLiteral(
    "INSERT INTO [Journal de saisie] ([Code type ligne], [No Expédition], [No Colis], "
    "[Poids colis], [Date saisie], [Date intégration]) "
    "VALUES (:codeType, :noExpedition, :noColis, :poids, :dateSaisie, :dateIntegration)")};

// Integrated files, known by their fingerprint and modification time:
// :empreinte, :modification; when noted, also :dateIntegration, :archive.
inline const db::TexteSql ArchiveFichierIntegre{
    QStringLiteral("SELECT archive FROM tarvo_integration WHERE empreinte = :empreinte "
                   "AND modification = :modification")};
inline const db::TexteSql NoterFichierIntegre{
    QStringLiteral("INSERT INTO tarvo_integration (empreinte, modification, date_integration, "
                   "archive) VALUES (:empreinte, :modification, :dateIntegration, :archive)")};

// A shipment's closing date (no row: unknown shipment): :noExpedition.
inline const db::TexteSql DateClotureExpedition{
    QStringLiteral("SELECT [Date cloture] FROM Expédition WHERE [No Expédition] = :noExpedition")};

// Parcels, each known by :noExpedition and :colis.
// Creates the parcel when missing, dated :dateSaisie.
inline const db::TexteSql CreerColisSansPoids{QStringLiteral(
    "INSERT INTO Colis ([No Expédition], [No Colis], [Date mise à jour]) "
    "SELECT :noExpedition, :colis, :dateSaisie WHERE NOT EXISTS (SELECT 1 FROM Colis "
    "WHERE [No Expédition] = :noExpedition AND [No Colis] = :colis)")};
// The same with its weight :poids.
inline const db::TexteSql CreerColisAvecPoids{QStringLiteral(
    "INSERT INTO Colis ([No Expédition], [No Colis], [Poids colis], [Date mise à jour]) "
    "SELECT :noExpedition, :colis, :poids, :dateSaisie WHERE NOT EXISTS (SELECT 1 FROM Colis "
    "WHERE [No Expédition] = :noExpedition AND [No Colis] = :colis)")};
// Weighs the parcel, :poids at :dateSaisie, unless it changed since.
inline const db::TexteSql PeserColis{
    QStringLiteral("UPDATE Colis SET [Poids colis] = :poids, [Date mise à jour] = :dateSaisie "
                   "WHERE [No Expédition] = :noExpedition AND [No Colis] = :colis "
                   "AND [Date mise à jour] < :dateSaisie")};
inline const db::TexteSql ColisExiste{QStringLiteral(
    "SELECT 1 FROM Colis WHERE [No Expédition] = :noExpedition AND [No Colis] = :colis")};
// Every parcel of the shipment :noExpedition.
inline const db::TexteSql SupprimerColisExpedition{
    QStringLiteral("DELETE FROM Colis WHERE [No Expédition] = :noExpedition")};
inline const db::TexteSql SupprimerColis{QStringLiteral(
    "DELETE FROM Colis WHERE [No Expédition] = :noExpedition AND [No Colis] = :colis")};

// Packing lines, each known by :noExpedition, :colis and :codeBarres.
// Creates the line when missing: :quantite at :dateSaisie.
inline const db::TexteSql CreerColisage{QStringLiteral(
    "INSERT INTO Colisage ([No Expédition], [No Colis], [Code barres Article], Quantité, "
    "[Date mise à jour]) SELECT :noExpedition, :colis, :codeBarres, :quantite, :dateSaisie "
    "WHERE NOT EXISTS (SELECT 1 FROM Colisage WHERE [No Expédition] = :noExpedition "
    "AND [No Colis] = :colis AND [Code barres Article] = :codeBarres)")};
// Adds :quantite at :dateSaisie, unless the line changed since.
inline const db::TexteSql AjouterAuColisage{QStringLiteral(
    "UPDATE Colisage SET Quantité = Quantité + :quantite, [Date mise à jour] = :dateSaisie "
    "WHERE [No Expédition] = :noExpedition AND [No Colis] = :colis "
    "AND [Code barres Article] = :codeBarres AND [Date mise à jour] < :dateSaisie")};
// The quantity of the line, when it last changed before :dateSaisie.
inline const db::TexteSql QuantiteColisageAnterieure{
    QStringLiteral("SELECT Quantité FROM Colisage WHERE [No Expédition] = :noExpedition "
                   "AND [No Colis] = :colis AND [Code barres Article] = :codeBarres "
                   "AND [Date mise à jour] < :dateSaisie")};
// Takes :quantite out at :dateSaisie.
inline const db::TexteSql RetirerDuColisage{QStringLiteral(
    "UPDATE Colisage SET Quantité = Quantité - :quantite, [Date mise à jour] = :dateSaisie "
    "WHERE [No Expédition] = :noExpedition AND [No Colis] = :colis "
    "AND [Code barres Article] = :codeBarres")};
inline const db::TexteSql SupprimerColisage{QStringLiteral(
    "DELETE FROM Colisage WHERE [No Expédition] = :noExpedition AND [No Colis] = :colis "
    "AND [Code barres Article] = :codeBarres")};

} // namespace tarvo::terminal::Sql
