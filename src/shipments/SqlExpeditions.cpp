#include "SqlExpeditions.h"

namespace tarvo::expeditions::sql {
namespace {

// The view lives in the dbo schema on the server; the embedded database has
// no schemas.
db::TexteSql surCommandesDispo(const QString& avant, const QString& apres) {
    return {avant + QStringLiteral("[Commandes Dispo]") + apres,
            avant + QStringLiteral("[dbo].[Commandes Dispo]") + apres};
}

const QString ColonnesCommandesDispo =
    QStringLiteral("SELECT DO_Piece, DO_Ref, DO_Date, DO_DateLivr, CT_Intitule, LI_Ville, LI_Pays "
                   "FROM ");

// The columns "Enregistrer" writes, with the parameter names of their values.
struct ColonneModifiable {
    QString colonne;
    QString parametre;
};
const ColonneModifiable ColonnesModifiables[] = {
    {QStringLiteral("[Libellé 1]"), QStringLiteral("libelle1")},
    {QStringLiteral("[Libellé 2]"), QStringLiteral("libelle2")},
    {QStringLiteral("[Date cloture]"), QStringLiteral("dateCloture")},
    {QStringLiteral("[Nbr colis théorique]"), QStringLiteral("nbColisTheorique")},
    {QStringLiteral("[Nbr colis réel]"), QStringLiteral("nbColisReel")},
    {QStringLiteral("Tare"), QStringLiteral("tare")},
    {QStringLiteral("[Poids Net]"), QStringLiteral("poidsNet")},
    {QStringLiteral("[Poids brut]"), QStringLiteral("poidsBrut")},
    {QStringLiteral("Volume"), QStringLiteral("volume")},
};

// A date-time parameter: style 120 reads yyyy-mm-dd hh:mi:ss on the server
// whatever the login's language.
QString dateHeure(db::Moteur moteur, const QString& parametre) {
    return moteur == db::Moteur::SqlServer
               ? QStringLiteral("CONVERT(datetime, :") + parametre + QStringLiteral(", 120)")
               : u':' + parametre;
}

QString enregistrement(db::Moteur moteur) {
    QStringList affectations;
    QStringList comparaisons;
    for (const ColonneModifiable& c : ColonnesModifiables) {
        const bool date = c.parametre == QStringLiteral("dateCloture");
        affectations << c.colonne + QStringLiteral(" = ") +
                            (date ? dateHeure(moteur, c.parametre) : u':' + c.parametre);
        const QString lu = c.parametre + QStringLiteral("Lu");
        comparaisons << QStringLiteral("(") + c.colonne + QStringLiteral(" = ") +
                            (date ? dateHeure(moteur, lu) : u':' + lu) + QStringLiteral(" OR (") +
                            c.colonne + QStringLiteral(" IS NULL AND :") + lu +
                            QStringLiteral(" IS NULL))");
    }
    return QStringLiteral("UPDATE [Expédition] SET ") + affectations.join(QStringLiteral(", ")) +
           QStringLiteral(" WHERE [No Expédition] = :noExpedition AND ") +
           comparaisons.join(QStringLiteral(" AND "));
}

const QString InsertionExpeditionCommune =
    QStringLiteral("INSERT INTO [Expédition] ([Libellé 1], [Libellé 2], [No lieu livraison], "
                   "Langue) VALUES (:libelle1, :libelle2, :noLieu, :langue)");

// The conditional insert of an order; the server names the inserted row
// before the values, the embedded database after the whole statement. There
// the values come first, as a WITH: a driver that tells a statement giving
// rows by its first word (the SQLite ODBC driver) then hands the row back.
QString rattachement(db::Moteur moteur) {
    const bool serveur = moteur == db::Moteur::SqlServer;
    const QString valeurs =
        QStringLiteral("SELECT :noExpedition, :commande, :reference, :dateLivraison, :langue, "
                       ":noClient, :dateCreation, :noLieu");
    return (serveur ? QString()
                    : QStringLiteral("WITH nouvelle AS (") + valeurs + QStringLiteral(") ")) +
           QStringLiteral("INSERT INTO [Liste commandes] ([No Expédition], [No commande SAGE], "
                          "[Référence SAGE], [Date livraison], Langue, [No Client], "
                          "[Date création SAGE], [No lieu livraison]) ") +
           (serveur ? QStringLiteral("OUTPUT inserted.[No commande SAGE] ") + valeurs
                    : QStringLiteral("SELECT * FROM nouvelle")) +
           QStringLiteral(" WHERE NOT EXISTS (SELECT 1 FROM [Liste commandes]") +
           (serveur ? QStringLiteral(" WITH (UPDLOCK, HOLDLOCK)") : QString()) +
           QStringLiteral(" WHERE [No commande SAGE] = :commande)") +
           (serveur ? QString() : QStringLiteral(" RETURNING [No commande SAGE]"));
}

const QString ListeExpeditionsAvant =
    QStringLiteral("SELECT [No Expédition], [Libellé 1], [Libellé 2], [Date création], "
                   "[Date cloture] FROM [Expédition] WHERE [Date création] >= ");
const QString ListeExpeditionsApres =
    QStringLiteral(" AND (:avecCloses = 1 OR [Date cloture] IS NULL) ORDER BY [No Expédition]");

} // namespace

const db::TexteSql CommandesDispo =
    surCommandesDispo(ColonnesCommandesDispo, QStringLiteral(" ORDER BY DO_Piece"));

const db::TexteSql CommandesDispoLieu = surCommandesDispo(
    ColonnesCommandesDispo, QStringLiteral(" WHERE LI_No = :noLieu ORDER BY DO_Piece"));

const db::TexteSql CommandeDispo = surCommandesDispo(QStringLiteral("SELECT LI_No FROM "),
                                                     QStringLiteral(" WHERE DO_Piece = :commande"));

const db::TexteSql ClientsEnCommande = surCommandesDispo(
    QStringLiteral("SELECT DO_Tiers, CT_Intitule, LI_Intitule, LI_Ville, LI_Pays, "
                   "COUNT(*) AS NBCDE, LI_No FROM "),
    QStringLiteral(" GROUP BY DO_Tiers, CT_Intitule, LI_No, LI_Intitule, LI_Ville, LI_Pays "
                   "ORDER BY CT_Intitule, LI_No"));

const db::TexteSql InfoCommande{
    QStringLiteral("SELECT DO_Piece, DO_Ref, DO_Date, DO_DateLivr, DO_Tiers, DO_Langue, LI_No, "
                   "LI_Intitule, LI_Ville FROM [Info Commande] WHERE DO_Piece = :commande")};

// On the server the number is read in the same batch: SCOPE_IDENTITY() sees
// only this statement's insert, whatever other workstations or triggers
// insert meanwhile.
const db::TexteSql InsertionExpedition{
    InsertionExpeditionCommune,
    InsertionExpeditionCommune + QStringLiteral("; SELECT CAST(SCOPE_IDENTITY() AS int)")};

// The attached row is read back rather than counted: the count depends on
// the session's NOCOUNT setting, which other statements change.
const db::TexteSql RattachementCommande{rattachement(db::Moteur::SQLite),
                                        rattachement(db::Moteur::SqlServer)};

const db::TexteSql ListeExpeditions{
    ListeExpeditionsAvant + dateHeure(db::Moteur::SQLite, QStringLiteral("depuis")) +
        ListeExpeditionsApres,
    ListeExpeditionsAvant + dateHeure(db::Moteur::SqlServer, QStringLiteral("depuis")) +
        ListeExpeditionsApres};

const db::TexteSql Expedition{QStringLiteral(
    "SELECT [No Expédition], [Libellé 1], [Libellé 2], [No lieu livraison], [Date création], "
    "[Date cloture], [Nbr colis théorique], [Nbr colis réel], Tare, [Poids Net], [Poids brut], "
    "Volume FROM [Expédition] WHERE [No Expédition] = :noExpedition")};

const db::TexteSql AdresseLivraison{
    QStringLiteral("SELECT LI_Intitule, LI_Adresse, LI_Complement, LI_CodePostal, LI_Ville, "
                   "LI_Pays FROM F_LIVRAISON WHERE LI_No = :noLieu")};

const db::TexteSql CommandesExpedition{QStringLiteral(
    "SELECT lc.[No commande SAGE], lc.[Référence SAGE], lc.[Date création SAGE], "
    "lc.[Date livraison], lc.[No Client], l.LI_Ville, l.LI_Pays FROM [Liste commandes] lc "
    "LEFT OUTER JOIN F_LIVRAISON l ON lc.[No lieu livraison] = l.LI_No "
    "WHERE lc.[No Expédition] = :noExpedition ORDER BY lc.[No commande SAGE]")};

const db::TexteSql EnregistrementExpedition{enregistrement(db::Moteur::SQLite),
                                            enregistrement(db::Moteur::SqlServer)};

const db::TexteSql SuppressionCommande{
    QStringLiteral("DELETE FROM [Liste commandes] WHERE [No Expédition] = :noExpedition AND "
                   "[No commande SAGE] = :commande")};

// Children first, so that the removal works whether or not the database
// cascades; the entry journal is history and stays.
const db::TexteSql SuppressionColisage{
    QStringLiteral("DELETE FROM Colisage WHERE [No Expédition] = :noExpedition")};
const db::TexteSql SuppressionListeCommandes{
    QStringLiteral("DELETE FROM [Liste commandes] WHERE [No Expédition] = :noExpedition")};
const db::TexteSql SuppressionExpedition{
    QStringLiteral("DELETE FROM [Expédition] WHERE [No Expédition] = :noExpedition")};

const db::TexteSql RechercheCommande{
    QStringLiteral("SELECT [No Expédition] FROM [Liste commandes] "
                   "WHERE [No commande SAGE] = :commande ORDER BY [No Expédition]")};

} // namespace tarvo::expeditions::sql
