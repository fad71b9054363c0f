#include "SqlTerminal.h"

namespace tarvo::terminal::sql {

const db::TexteSql NombreArticles{QStringLiteral("SELECT COUNT(*) FROM Article")};
const db::TexteSql ArticlesPourTerminal{
    QStringLiteral("SELECT [Code barres Article], lib_art_couleur FROM Article "
                   "ORDER BY [Code barres Article]")};

const db::TexteSql NombreExpeditionsOuvertes{
    QStringLiteral("SELECT COUNT(*) FROM [Expédition] WHERE [Date cloture] IS NULL")};
const db::TexteSql ExpeditionsOuvertes{
    QStringLiteral("SELECT [No Expédition], [Libellé 1], [Libellé 2], [Nbr colis théorique] "
                   "FROM [Expédition] WHERE [Date cloture] IS NULL ORDER BY [No Expédition]")};

const db::TexteSql JournalArticle{QStringLiteral(
    "INSERT INTO [Journal de saisie] ([Code type ligne], [No Expédition], [No Colis], "
    "[Code barres Article], [Poids colis], [Quantité], [Date saisie], [Date intégration]) "
    "VALUES (:codeType, :noExpedition, :noColis, :codeBarres, :poids, :quantite, :dateSaisie, "
    ":dateIntegration)")};
const db::TexteSql JournalPoids{QStringLiteral(
    "INSERT INTO [Journal de saisie] ([Code type ligne], [No Expédition], [No Colis], "
    "[Poids colis], [Date saisie], [Date intégration]) "
    "VALUES (:codeType, :noExpedition, :noColis, :poids, :dateSaisie, :dateIntegration)")};

const db::TexteSql ArchiveFichierIntegre{
    QStringLiteral("SELECT archive FROM tarvo_integration WHERE empreinte = :empreinte "
                   "AND modification = :modification")};
const db::TexteSql NoterFichierIntegre{
    QStringLiteral("INSERT INTO tarvo_integration (empreinte, modification, date_integration, "
                   "archive) VALUES (:empreinte, :modification, :dateIntegration, :archive)")};
// The last committed runs, the most recent first: a work file that starts
// with the bytes of one of them was stopped before its rest was set apart.
const db::TexteSql DernieresIntegrations{
    QStringLiteral("SELECT empreinte, archive FROM tarvo_integration "
                   "ORDER BY date_integration DESC LIMIT 5"),
    QStringLiteral("SELECT TOP (5) empreinte, archive FROM tarvo_integration "
                   "ORDER BY date_integration DESC")};
const db::TexteSql ArchiveValidee{
    QStringLiteral("SELECT 1 FROM tarvo_integration WHERE archive = :archive")};

const db::TexteSql DateClotureExpedition{QStringLiteral(
    "SELECT [Date cloture] FROM [Expédition] WHERE [No Expédition] = :noExpedition")};

const db::TexteSql ArticleConnu{
    QStringLiteral("SELECT 1 FROM Article WHERE [Code barres Article] = :codeBarres")};

// INSERT … SELECT … WHERE NOT EXISTS: one statement that adds the row only
// when it is missing, on both engines.
const db::TexteSql CreerColisSansPoids{
    QStringLiteral("INSERT INTO Colis ([No Expédition], [No Colis], [Date mise à jour]) "
                   "SELECT :noExpedition, :colis, :dateSaisie WHERE NOT EXISTS (SELECT 1 FROM "
                   "Colis WHERE [No Expédition] = :noExpedition AND [No Colis] = :colis)")};
const db::TexteSql CreerColisAvecPoids{QStringLiteral(
    "INSERT INTO Colis ([No Expédition], [No Colis], [Poids colis], [Date mise à jour]) "
    "SELECT :noExpedition, :colis, :poids, :dateSaisie WHERE NOT EXISTS (SELECT 1 FROM Colis "
    "WHERE [No Expédition] = :noExpedition AND [No Colis] = :colis)")};
const db::TexteSql PeserColis{
    QStringLiteral("UPDATE Colis SET [Poids colis] = :poids, [Date mise à jour] = :dateSaisie "
                   "WHERE [No Expédition] = :noExpedition AND [No Colis] = :colis "
                   "AND [Date mise à jour] < :dateSaisie")};
const db::TexteSql ColisExiste{QStringLiteral(
    "SELECT 1 FROM Colis WHERE [No Expédition] = :noExpedition AND [No Colis] = :colis")};
const db::TexteSql SupprimerColisExpedition{
    QStringLiteral("DELETE FROM Colis WHERE [No Expédition] = :noExpedition")};
const db::TexteSql SupprimerColis{QStringLiteral(
    "DELETE FROM Colis WHERE [No Expédition] = :noExpedition AND [No Colis] = :colis")};

const db::TexteSql CreerColisage{QStringLiteral(
    "INSERT INTO Colisage ([No Expédition], [No Colis], [Code barres Article], [Quantité], "
    "[Date mise à jour]) SELECT :noExpedition, :colis, :codeBarres, :quantite, :dateSaisie "
    "WHERE NOT EXISTS (SELECT 1 FROM Colisage WHERE [No Expédition] = :noExpedition "
    "AND [No Colis] = :colis AND [Code barres Article] = :codeBarres)")};
const db::TexteSql AjouterAuColisage{QStringLiteral(
    "UPDATE Colisage SET [Quantité] = [Quantité] + :quantite, [Date mise à jour] = :dateSaisie "
    "WHERE [No Expédition] = :noExpedition AND [No Colis] = :colis "
    "AND [Code barres Article] = :codeBarres AND [Date mise à jour] < :dateSaisie")};
const db::TexteSql QuantiteColisageAnterieure{
    QStringLiteral("SELECT [Quantité] FROM Colisage WHERE [No Expédition] = :noExpedition "
                   "AND [No Colis] = :colis AND [Code barres Article] = :codeBarres "
                   "AND [Date mise à jour] < :dateSaisie")};
const db::TexteSql RetirerDuColisage{QStringLiteral(
    "UPDATE Colisage SET [Quantité] = [Quantité] - :quantite, [Date mise à jour] = :dateSaisie "
    "WHERE [No Expédition] = :noExpedition AND [No Colis] = :colis "
    "AND [Code barres Article] = :codeBarres")};
const db::TexteSql SupprimerColisage{
    QStringLiteral("DELETE FROM Colisage WHERE [No Expédition] = :noExpedition "
                   "AND [No Colis] = :colis AND [Code barres Article] = :codeBarres")};

} // namespace tarvo::terminal::sql
