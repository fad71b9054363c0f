#include "SqlEditions.h"

namespace tarvo::editions::sql {

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

const db::TexteSql ListeControleArt{QStringLiteral(
    "SELECT AR_Ref AS Ref, [Libellé], [Qté Exp] AS [Qté expédiée], [Qté Livrée], Controle, "
    "[Différence] FROM controle_qte_art WHERE NoExp = :noExpedition ORDER BY [Libellé]")};

const db::TexteSql ListeCtrlArtGamme{QStringLiteral(
    "SELECT CodeBarre, Design_couleur, Qte_cde_str, Qte_exp_str, Controle, Difference "
    "FROM w_controle_qte_gamme WHERE SPID = :spid AND NoExp = :noExpedition ORDER BY id")};

const db::TexteSql SuppressionControleGamme{
    QStringLiteral("DELETE FROM w_controle_qte_gamme WHERE SPID = :spid")};

const db::TexteSql LignesControleGamme{QStringLiteral(
    "SELECT AR_Ref, CodeBarre, Libelle, Design_couleur, Couleur_cde, Couleur_exp, Qte_cde, "
    "Qte_exp, Controle, Difference, EnGamme FROM controle_qte_gamme "
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
