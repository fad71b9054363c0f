#pragma once

#include <QString>

// Every statement of the terminal exchange. Values always travel as bound
// parameters, in the order of the '?'. The texts are accepted as they are by
// both the embedded database and SQL Server. Date-times are compared as the
// text db::Dialecte::FormatDateHeure gives.
namespace tarvo::terminal::Sql {

// Article file.
inline const QString NombreArticles = QStringLiteral("SELECT COUNT(*) FROM Article");
inline const QString ArticlesPourTerminal =
    QStringLiteral("SELECT [Code barres Article], lib_art_couleur FROM Article "
                   "ORDER BY [Code barres Article]");

// Shipment file: the open shipments.
inline const QString NombreExpeditionsOuvertes =
    QStringLiteral("SELECT COUNT(*) FROM Expédition WHERE [Date cloture] IS NULL");
inline const QString ExpeditionsOuvertes =
    QStringLiteral("SELECT [No Expédition], [Libellé 1], [Libellé 2], [Nbr colis théorique] "
                   "FROM Expédition WHERE [Date cloture] IS NULL ORDER BY [No Expédition]");

// Journal rows. Weight entries leave the bar code and the quantity to the
// table's defaults.
// Code, shipment, parcel text, bar code, weight, quantity, entry, integration.
inline const QString JournalArticle = QStringLiteral(
    "INSERT INTO [Journal de saisie] ([Code type ligne], [No Expédition], [No Colis], "
    "[Code barres Article], [Poids colis], Quantité, [Date saisie], [Date intégration]) "
    "VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
// Code, shipment, parcel text, weight, entry, integration.
inline const QString JournalPoids = QStringLiteral(
    "INSERT INTO [Journal de saisie] ([Code type ligne], [No Expédition], [No Colis], "
    "[Poids colis], [Date saisie], [Date intégration]) VALUES (?, ?, ?, ?, ?, ?)");

// Integrated files, known by their fingerprint and modification time.
// Fingerprint, modification; then the same, integration date-time, archive path.
inline const QString ArchiveFichierIntegre = QStringLiteral(
    "SELECT archive FROM tarvo_integration WHERE empreinte = ? AND modification = ?");
inline const QString NoterFichierIntegre =
    QStringLiteral("INSERT INTO tarvo_integration (empreinte, modification, date_integration, "
                   "archive) VALUES (?, ?, ?, ?)");

// Shipment: its closing date (no row: unknown shipment).
inline const QString DateClotureExpedition =
    QStringLiteral("SELECT [Date cloture] FROM Expédition WHERE [No Expédition] = ?");

// Parcels. Shipment, parcel, date; then shipment, parcel again.
inline const QString CreerColisSansPoids = QStringLiteral(
    "INSERT INTO Colis ([No Expédition], [No Colis], [Date mise à jour]) SELECT ?, ?, ? "
    "WHERE NOT EXISTS (SELECT 1 FROM Colis WHERE [No Expédition] = ? AND [No Colis] = ?)");
// Shipment, parcel, weight, date; then shipment, parcel again.
inline const QString CreerColisAvecPoids = QStringLiteral(
    "INSERT INTO Colis ([No Expédition], [No Colis], [Poids colis], [Date mise à jour]) "
    "SELECT ?, ?, ?, ? "
    "WHERE NOT EXISTS (SELECT 1 FROM Colis WHERE [No Expédition] = ? AND [No Colis] = ?)");
// Weight, date; shipment, parcel; only rows changed before the date.
inline const QString PeserColis =
    QStringLiteral("UPDATE Colis SET [Poids colis] = ?, [Date mise à jour] = ? "
                   "WHERE [No Expédition] = ? AND [No Colis] = ? AND [Date mise à jour] < ?");
// Shipment, parcel.
inline const QString ColisExiste =
    QStringLiteral("SELECT 1 FROM Colis WHERE [No Expédition] = ? AND [No Colis] = ?");
// Shipment.
inline const QString SupprimerColisExpedition =
    QStringLiteral("DELETE FROM Colis WHERE [No Expédition] = ?");
// Shipment, parcel.
inline const QString SupprimerColis =
    QStringLiteral("DELETE FROM Colis WHERE [No Expédition] = ? AND [No Colis] = ?");

// Packing lines. Shipment, parcel, bar code, quantity, date; then shipment,
// parcel, bar code again.
inline const QString CreerColisage = QStringLiteral(
    "INSERT INTO Colisage ([No Expédition], [No Colis], [Code barres Article], Quantité, "
    "[Date mise à jour]) SELECT ?, ?, ?, ?, ? WHERE NOT EXISTS (SELECT 1 FROM Colisage "
    "WHERE [No Expédition] = ? AND [No Colis] = ? AND [Code barres Article] = ?)");
// Quantity, date; shipment, parcel, bar code; only rows changed before the date.
inline const QString AjouterAuColisage =
    QStringLiteral("UPDATE Colisage SET Quantité = Quantité + ?, [Date mise à jour] = ? "
                   "WHERE [No Expédition] = ? AND [No Colis] = ? AND [Code barres Article] = ? "
                   "AND [Date mise à jour] < ?");
// Shipment, parcel, bar code; only a row changed before the date (last parameter).
inline const QString QuantiteColisageAnterieure =
    QStringLiteral("SELECT Quantité FROM Colisage WHERE [No Expédition] = ? AND [No Colis] = ? "
                   "AND [Code barres Article] = ? AND [Date mise à jour] < ?");
// Quantity, date; shipment, parcel, bar code.
inline const QString RetirerDuColisage =
    QStringLiteral("UPDATE Colisage SET Quantité = Quantité - ?, [Date mise à jour] = ? "
                   "WHERE [No Expédition] = ? AND [No Colis] = ? AND [Code barres Article] = ?");
// Shipment, parcel, bar code.
inline const QString SupprimerColisage =
    QStringLiteral("DELETE FROM Colisage WHERE [No Expédition] = ? AND [No Colis] = ? "
                   "AND [Code barres Article] = ?");

} // namespace tarvo::terminal::Sql
