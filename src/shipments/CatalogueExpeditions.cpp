#include "CatalogueExpeditions.h"

#include "app/Erreur.h"

#include <QSqlError>
#include <QStringList>
#include <QVariant>

namespace tarvo::SqlExpeditions {
namespace {

// The view lives in the dbo schema on the server; the embedded database has
// no schemas.
QString vueCommandesDispo(db::Moteur moteur) {
    return moteur == db::Moteur::SqlServer ? QStringLiteral("[dbo].[Commandes Dispo]")
                                       : QStringLiteral("[Commandes Dispo]");
}

const QString ColonnesCommandesDispo =
    QStringLiteral("DO_Piece, DO_Ref, DO_Date, DO_DateLivr, CT_Intitule, LI_Ville, LI_Pays");

// The columns "Enregistrer" writes, in the order of their values.
const QStringList ColonnesModifiables = {QStringLiteral("[Libellé 1]"),
                                         QStringLiteral("[Libellé 2]"),
                                         QStringLiteral("[Date cloture]"),
                                         QStringLiteral("[Nbr colis théorique]"),
                                         QStringLiteral("[Nbr colis réel]"),
                                         QStringLiteral("Tare"),
                                         QStringLiteral("[Poids Net]"),
                                         QStringLiteral("[Poids brut]"),
                                         QStringLiteral("Volume")};

} // namespace

QString commandesDispo(db::Moteur moteur) {
    return QStringLiteral("SELECT ") + ColonnesCommandesDispo + QStringLiteral(" FROM ") +
           vueCommandesDispo(moteur) + QStringLiteral(" ORDER BY DO_Piece");
}

QString commandesDispoLieu(db::Moteur moteur) {
    return QStringLiteral("SELECT ") + ColonnesCommandesDispo + QStringLiteral(" FROM ") +
           vueCommandesDispo(moteur) + QStringLiteral(" WHERE LI_No = ? ORDER BY DO_Piece");
}

QString clientsEnCommande(db::Moteur moteur) {
    return QStringLiteral("SELECT DO_Tiers, CT_Intitule, LI_No, LI_Intitule, LI_Ville, LI_Pays, "
                          "COUNT(*) AS NBCDE FROM ") +
           vueCommandesDispo(moteur) +
           QStringLiteral(" GROUP BY DO_Tiers, CT_Intitule, LI_No, LI_Intitule, LI_Ville, LI_Pays "
                          "ORDER BY CT_Intitule, LI_No");
}

QString infoCommande() {
    return QStringLiteral("SELECT DO_Piece, DO_Ref, DO_Date, DO_DateLivr, DO_Tiers, DO_Langue, "
                          "LI_No, LI_Intitule, LI_Ville FROM [Info Commande] WHERE DO_Piece = ?");
}

QString insertionExpedition(db::Moteur moteur) {
    const QString insertion =
        QStringLiteral("INSERT INTO Expédition ([Libellé 1], [Libellé 2], [No lieu livraison], "
                       "Langue) VALUES (?, ?, ?, ?)");
    // On the server the number is read in the same batch: SCOPE_IDENTITY()
    // sees only this statement's insert, whatever other workstations or
    // triggers insert meanwhile.
    if (moteur == db::Moteur::SqlServer)
        return QStringLiteral("SET NOCOUNT ON; ") + insertion +
               QStringLiteral("; SELECT CAST(SCOPE_IDENTITY() AS int)");
    return insertion;
}

qint32 identiteInseree(QSqlQuery& requete, db::Moteur moteur) {
    QVariant valeur;
    if (moteur == db::Moteur::SqlServer) {
        if (requete.next())
            valeur = requete.value(0);
    } else {
        // The embedded engine's last_insert_rowid() of this connection, read
        // right after the insert.
        valeur = requete.lastInsertId();
    }
    bool ok = false;
    const qint32 numero = valeur.toInt(&ok);
    if (!ok || numero <= 0)
        throw ErreurTarvo(NumeroErreur::Base, QStringLiteral("Expédition"),
                          QStringLiteral("Le numéro de la nouvelle expédition n'a pas pu être "
                                         "relu."));
    return numero;
}

QString insertionListeCommande() {
    return QStringLiteral("INSERT INTO [Liste commandes] ([No Expédition], [No commande SAGE], "
                          "[Référence SAGE], [Date livraison], Langue, [No Client], "
                          "[Date création SAGE], [No lieu livraison]) "
                          "VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
}

QString parametreDateHeure(db::Moteur moteur) {
    // Style 120 reads yyyy-mm-dd hh:mi:ss whatever the login's language.
    return moteur == db::Moteur::SqlServer ? QStringLiteral("CONVERT(datetime, ?, 120)")
                                       : QStringLiteral("?");
}

QString listeExpeditions(db::Moteur moteur, bool closes) {
    return QStringLiteral("SELECT [No Expédition], [Libellé 1], [Libellé 2], [Date création], "
                          "[Date cloture] FROM Expédition WHERE [Date création] >= ") +
           parametreDateHeure(moteur) +
           (closes ? QString() : QStringLiteral(" AND [Date cloture] IS NULL")) +
           QStringLiteral(" ORDER BY [No Expédition]");
}

QString expedition() {
    return QStringLiteral("SELECT [No Expédition], [Libellé 1], [Libellé 2], [No lieu livraison], "
                          "[Date création], [Date cloture], [Nbr colis théorique], "
                          "[Nbr colis réel], Tare, [Poids Net], [Poids brut], Volume "
                          "FROM Expédition WHERE [No Expédition] = ?");
}

QString adresseLivraison() {
    return QStringLiteral("SELECT LI_Intitule, LI_Adresse, LI_Complement, LI_CodePostal, "
                          "LI_Ville, LI_Pays FROM F_LIVRAISON WHERE LI_No = ?");
}

QString commandesExpedition() {
    return QStringLiteral("SELECT lc.[No commande SAGE], lc.[Référence SAGE], "
                          "lc.[Date création SAGE], lc.[Date livraison], lc.[No Client], "
                          "l.LI_Ville, l.LI_Pays FROM [Liste commandes] lc "
                          "LEFT OUTER JOIN F_LIVRAISON l ON lc.[No lieu livraison] = l.LI_No "
                          "WHERE lc.[No Expédition] = ? ORDER BY lc.[No commande SAGE]");
}

QString enregistrementExpedition(db::Moteur moteur) {
    QStringList affectations;
    QStringList comparaisons;
    for (const QString& colonne : ColonnesModifiables) {
        const bool date = colonne == QStringLiteral("[Date cloture]");
        affectations << colonne + QStringLiteral(" = ") +
                            (date ? parametreDateHeure(moteur) : QStringLiteral("?"));
        comparaisons << QStringLiteral("(") + colonne + QStringLiteral(" = ? OR (") + colonne +
                            QStringLiteral(" IS NULL AND ? IS NULL))");
    }
    return QStringLiteral("UPDATE Expédition SET ") + affectations.join(QStringLiteral(", ")) +
           QStringLiteral(" WHERE [No Expédition] = ? AND ") +
           comparaisons.join(QStringLiteral(" AND "));
}

QString suppressionCommande() {
    return QStringLiteral("DELETE FROM [Liste commandes] WHERE [No Expédition] = ? AND "
                          "[No commande SAGE] = ?");
}

QStringList suppressionExpedition() {
    // Children first, so that the removal works whether or not the database
    // cascades; the entry journal is history and stays.
    return {QStringLiteral("DELETE FROM Colisage WHERE [No Expédition] = ?"),
            QStringLiteral("DELETE FROM Colis WHERE [No Expédition] = ?"),
            QStringLiteral("DELETE FROM [Liste commandes] WHERE [No Expédition] = ?"),
            QStringLiteral("DELETE FROM Expédition WHERE [No Expédition] = ?")};
}

QString rechercheCommande() {
    return QStringLiteral("SELECT [No Expédition] FROM [Liste commandes] "
                          "WHERE [No commande SAGE] = ? ORDER BY [No Expédition]");
}

} // namespace tarvo::SqlExpeditions
