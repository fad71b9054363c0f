#include "SqlEditions.h"

namespace tarvo::editions::sql {
namespace {

// The embedded engine does not carry a shipment condition through the
// control views' grouped union: queried through them, a report would read the
// packing rows and order lines of every shipment. Its texts start from the
// shipment's own rows, on their indexes, and then do what the views do, so
// that a report costs the same whatever the number of shipments; the server
// carries the condition through its views itself. CROSS JOIN keeps the
// shipment's order list first, whatever the statistics say. B: the shipment's ordered
// and shipped quantities and line counts by bar code (:noExpedition).
const QString BaseControleSQLite = QStringLiteral(
    "WITH Q AS (SELECT V.CodeBarre AS CodeBarre, D.DL_QtePL AS Qte_cde, 0 AS Qte_exp, "
    "1 AS Ligne_cde, 0 AS Ligne_exp FROM [Liste commandes] LC "
    "CROSS JOIN F_DOCLIGNE D ON D.DO_Piece = LC.[No commande SAGE] AND D.DO_Domaine = 0 "
    "AND D.DO_Type = 1 JOIN V_ARTICLE V ON V.AR_Ref = D.AR_Ref AND V.AG_No = D.AG_No1 "
    "WHERE LC.[No Expédition] = :noExpedition AND V.CodeBarre <> '' "
    "AND (D.AR_RefCompose IS NULL OR D.AR_RefCompose = D.AR_Ref) "
    "UNION ALL SELECT C.[Code barres Article], 0, C.[Quantité], 0, 1 FROM Colisage C "
    "WHERE C.[No Expédition] = :noExpedition), "
    "B AS (SELECT CodeBarre, SUM(Qte_cde) AS Qte_cde, SUM(Qte_exp) AS Qte_exp, "
    "SUM(Ligne_cde) AS Lignes_cde, SUM(Ligne_exp) AS Lignes_exp FROM Q GROUP BY CodeBarre) ");

} // namespace

const db::TexteSql EnTeteExpedition{QStringLiteral(
    "SELECT e.[No Expédition], e.[Libellé 1], e.[Libellé 2], e.[Date création], "
    "e.[Date cloture], e.Tare, e.[Poids brut], e.[Poids Net], e.Volume, l.CT_Num, "
    "l.LI_Intitule, l.LI_Adresse, l.LI_Complement, l.LI_CodePostal, l.LI_Ville, l.LI_Pays "
    "FROM [Expédition] e LEFT OUTER JOIN F_LIVRAISON l ON e.[No lieu livraison] = l.LI_No "
    "WHERE e.[No Expédition] = :noExpedition")};

const db::TexteSql DetailListeArticle{QStringLiteral(
    "SELECT v.CodeBarre, d.AR_Ref, v.design_couleur, SUM(d.DL_QtePL) AS Qte_cde, "
    "d.AR_RefCompose FROM [Liste commandes] lc "
    "INNER JOIN F_DOCLIGNE d ON d.DO_Piece = lc.[No commande SAGE] AND d.DO_Type = 1 "
    "INNER JOIN V_ARTICLE v ON v.AR_Ref = d.AR_Ref AND (d.AG_No1 = 0 OR d.AG_No1 = v.AG_No) "
    "WHERE lc.[No Expédition] = :noExpedition AND v.CodeBarre <> '' "
    "AND (d.AR_RefCompose IS NULL OR d.AR_RefCompose = d.AR_Ref) "
    "GROUP BY lc.[No Expédition], v.CodeBarre, d.AR_Ref, v.design_couleur, d.DL_QtePL, "
    "d.AR_RefCompose ORDER BY v.CodeBarre, d.DL_QtePL")};

const db::TexteSql ColisExpedition{
    QStringLiteral("SELECT [No Colis], [Poids colis] FROM Colis "
                   "WHERE [No Expédition] = :noExpedition ORDER BY [No Colis]")};

const db::TexteSql ColisageExpedition{QStringLiteral(
    "SELECT [No Colis], [Code barres Article], [Quantité] FROM Colisage "
    "WHERE [No Expédition] = :noExpedition ORDER BY [No Colis], [Code barres Article]")};

const db::TexteSql LibellesColisage{QStringLiteral(
    "SELECT CodeBarre, design_couleur FROM V_ARTICLE WHERE CodeBarre IN "
    "(SELECT [Code barres Article] FROM Colisage WHERE [No Expédition] = :noExpedition)")};

const db::TexteSql ListeControleArt{
    BaseControleSQLite +
        QStringLiteral(
            "SELECT AR_Ref AS Ref, MAX([Libellé]) AS [Libellé], SUM(Qte_exp) AS [Qté expédiée], "
            "SUM(Qte_cde) AS [Qté Livrée], CASE WHEN SUM(Qte_exp) = SUM(Qte_cde) THEN 'OK' "
            "ELSE 'Quantité incorrecte' END AS Controle, SUM(Qte_exp) - SUM(Qte_cde) AS "
            "[Différence] FROM (SELECT COALESCE(V.AR_Ref, A.AR_Ref, '') AS AR_Ref, "
            "COALESCE(V.[Libellé], A.[Libellé], 'Article inconnu') AS [Libellé], B.Qte_cde, "
            "B.Qte_exp FROM B LEFT JOIN V_ARTICLE V ON V.CodeBarre = B.CodeBarre "
            "LEFT JOIN Article A ON A.[Code barres Article] = B.CodeBarre) R "
            "GROUP BY AR_Ref ORDER BY [Libellé]"),
    QStringLiteral(
        "SELECT AR_Ref AS Ref, [Libellé], [Qté Exp] AS [Qté expédiée], [Qté Livrée], Controle, "
        "[Différence] FROM controle_qte_art WHERE NoExp = :noExpedition ORDER BY [Libellé]")};

const db::TexteSql ListeCtrlArtGamme{QStringLiteral(
    "SELECT CodeBarre, Design_couleur, Qte_cde, Qte_exp, Controle, Difference "
    "FROM w_controle_qte_gamme WHERE SPID = :spid AND NoExp = :noExpedition ORDER BY id")};

const db::TexteSql SuppressionControleGamme{
    QStringLiteral("DELETE FROM w_controle_qte_gamme WHERE SPID = :spid")};

const db::TexteSql LignesControleGamme{
    BaseControleSQLite +
        QStringLiteral(
            "SELECT COALESCE(V.AR_Ref, A.AR_Ref, '') AS AR_Ref, B.CodeBarre AS CodeBarre, "
            "COALESCE(V.[Libellé], A.[Libellé], 'Article inconnu') AS Libelle, "
            "COALESCE(V.design_couleur, A.lib_art_couleur, 'Article inconnu') AS "
            "Design_couleur, CASE WHEN B.Lignes_cde > 0 THEN COALESCE(V.Couleur, A.Couleur, '') "
            "END AS Couleur_cde, CASE WHEN B.Lignes_exp > 0 THEN COALESCE(V.Couleur, A.Couleur, "
            "'') END AS Couleur_exp, B.Qte_cde AS Qte_cde, B.Qte_exp AS Qte_exp, "
            "CASE WHEN B.Qte_exp = B.Qte_cde THEN 'OK' ELSE 'Quantité incorrecte' END AS "
            "Controle, B.Qte_exp - B.Qte_cde AS Difference, CASE WHEN COALESCE(V.AG_No, A.AG_No, "
            "0) <> 0 THEN 1 ELSE 0 END AS EnGamme FROM B "
            "LEFT JOIN V_ARTICLE V ON V.CodeBarre = B.CodeBarre "
            "LEFT JOIN Article A ON A.[Code barres Article] = B.CodeBarre "
            "ORDER BY Libelle, AR_Ref, Couleur_cde"),
    QStringLiteral("SELECT AR_Ref, CodeBarre, Libelle, Design_couleur, Couleur_cde, Couleur_exp, "
                   "Qte_cde, Qte_exp, Controle, Difference, EnGamme FROM controle_qte_gamme "
                   "WHERE NoExp = :noExpedition ORDER BY Libelle, AR_Ref, Couleur_cde")};

const db::TexteSql InsertionDetailGamme{QStringLiteral(
    "INSERT INTO w_controle_qte_gamme (SPID, NoExp, AR_Ref, CodeBarre, Libelle, Design_couleur, "
    "Couleur_cde, Couleur_exp, Qte_cde, Qte_exp, Qte_cde_str, Qte_exp_str, Controle, Difference, "
    "EnGamme) VALUES (:spid, :noExpedition, :reference, :codeBarre, :libelle, :designCouleur, "
    ":couleurCde, :couleurExp, :qteCde, :qteExp, :qteCdeTexte, :qteExpTexte, :controle, "
    ":difference, :enGamme)")};

const db::TexteSql InsertionSousTotalGamme{QStringLiteral(
    "INSERT INTO w_controle_qte_gamme (SPID, NoExp, AR_Ref, Design_couleur, EnGamme, Qte_cde, "
    "Qte_exp, Qte_cde_str, Qte_exp_str, Difference, Controle) VALUES (:spid, :noExpedition, "
    ":reference, 'S/T', :enGamme, :qteCde, :qteExp, :qteCdeTexte, :qteExpTexte, :difference, "
    ":controle)")};

const db::TexteSql PrepaControleGamme{
    QStringLiteral("EXEC dbo.prepa_controle_qte_gamme :spid, :noExpedition")};

} // namespace tarvo::editions::sql
