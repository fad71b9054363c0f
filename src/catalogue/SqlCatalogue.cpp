#include "SqlCatalogue.h"

namespace tarvo::catalogue::sql {

// The embedded engine names the updated columns without their table.
const db::TexteSql MajArticles{
    QStringLiteral("UPDATE Article SET"
                   " [Libellé] = V.[Libellé],"
                   " Couleur = V.Couleur,"
                   " lib_art_couleur = V.lib_art_couleur,"
                   " AR_Ref = V.AR_Ref,"
                   " AG_No = V.AG_No"
                   " FROM (SELECT CodeBarre, AR_Ref, AG_No, [Libellé], Couleur, lib_art_couleur"
                   "       FROM V_ARTICLE WHERE CodeBarre <> '') AS V"
                   " WHERE Article.[Code barres Article] = V.CodeBarre"),
    QStringLiteral("update Article "
                   " set "
                   " Article.[Libellé]       = V.[Libellé],"
                   " Article.Couleur         = V.Couleur,"
                   " Article.lib_art_couleur = V.lib_art_couleur,"
                   " Article.AR_Ref          = V.AR_Ref,"
                   " Article.AG_No           = V.AG_No "
                   " from ( "
                   "   select  CodeBarre,AR_Ref,AG_No,[Libellé],Couleur,lib_art_couleur"
                   "   from V_ARTICLE"
                   "   where  CodeBarre <> '' "
                   " ) as V "
                   " where"
                   " Article.[Code barres Article] = V.CodeBarre ")};

// date_ajout in the local time of the database, as every date-time of the
// embedded database is stored.
const db::TexteSql AjoutArticles{
    QStringLiteral("INSERT INTO Article([Code barres Article], [Libellé], Couleur, "
                   "lib_art_couleur, AR_Ref, AG_No, date_ajout)"
                   " SELECT CodeBarre, V.[Libellé], V.Couleur, V.lib_art_couleur, V.AR_Ref, "
                   "V.AG_No, datetime('now', 'localtime')"
                   " FROM V_ARTICLE V"
                   " LEFT OUTER JOIN Article A ON V.CodeBarre = A.[Code barres Article]"
                   " WHERE (V.CodeBarre <> '') AND (A.[Code barres Article] IS NULL)"
                   " ORDER BY V.CodeBarre"),
    QStringLiteral(
        "INSERT INTO Article([Code barres Article], [Libellé], Couleur, lib_art_couleur, "
        "AR_Ref, AG_No, date_ajout) "
        " SELECT CodeBarre,V.[Libellé],V.Couleur,V.lib_art_couleur,V.AR_Ref,V.AG_No,"
        "CURRENT_TIMESTAMP"
        " FROM  V_ARTICLE  V "
        " LEFT OUTER JOIN Article  A on V.CodeBarre = A.[Code barres Article] "
        " WHERE (V.CodeBarre <> '') AND (A.[Code barres Article] is null) "
        " ORDER BY V.CodeBarre")};

// The embedded engine would look the view up once per article; the same
// rows through NOT IN read the view once.
const db::TexteSql ArticlesObsoletes{
    QStringLiteral("SELECT Article.[Code barres Article], Article.[Libellé]"
                   " FROM Article"
                   " WHERE Article.[Code barres Article] NOT IN"
                   "  (SELECT CodeBarre FROM V_ARTICLE"
                   "   WHERE CodeBarre IS NOT NULL AND AR_Ref IS NOT NULL)"
                   " ORDER BY Article.[Code barres Article]"),
    QStringLiteral("SELECT Article.[Code barres Article], Article.[Libellé]"
                   " FROM Article "
                   " LEFT OUTER JOIN V_ARTICLE ON Article.[Code barres Article] = "
                   "V_ARTICLE.CodeBarre"
                   " where V_ARTICLE.AR_Ref is null "
                   " ORDER BY Article.[Code barres Article]")};

const db::TexteSql SuppressionArticle{
    QStringLiteral("DELETE FROM Article WHERE [Code barres Article] = :codeBarre")};

const db::TexteSql InformationsSociete{
    QStringLiteral("select [Nom société],[Activité],[Adresse 1],[Adresse 2],[Code postal],Ville,"
                   "Pays,[Téléphone],Fax,email,Web,Capital,APE,Siret,RCS,Logo "
                   "from [Informations société]")};

// Compares the fields the form shows: a NULL reads as empty there.
const db::TexteSql MajSocieteLue{
    QStringLiteral("UPDATE [Informations société] SET"
                   " [Nom société] = COALESCE(:nouveau0, [Nom société]),"
                   " [Activité] = COALESCE(:nouveau1, [Activité]),"
                   " [Adresse 1] = COALESCE(:nouveau2, [Adresse 1]),"
                   " [Adresse 2] = COALESCE(:nouveau3, [Adresse 2]),"
                   " [Code postal] = COALESCE(:nouveau4, [Code postal]),"
                   " Ville = COALESCE(:nouveau5, Ville),"
                   " Pays = COALESCE(:nouveau6, Pays),"
                   " [Téléphone] = COALESCE(:nouveau7, [Téléphone]),"
                   " Fax = COALESCE(:nouveau8, Fax),"
                   " email = COALESCE(:nouveau9, email),"
                   " Web = COALESCE(:nouveau10, Web),"
                   " Capital = COALESCE(:nouveau11, Capital),"
                   " APE = COALESCE(:nouveau12, APE),"
                   " Siret = COALESCE(:nouveau13, Siret),"
                   " RCS = COALESCE(:nouveau14, RCS)"
                   " WHERE rowid = (SELECT rowid FROM [Informations société] WHERE"
                   " IFNULL([Nom société], '') = :lu0 AND IFNULL([Activité], '') = :lu1"
                   " AND IFNULL([Adresse 1], '') = :lu2 AND IFNULL([Adresse 2], '') = :lu3"
                   " AND IFNULL([Code postal], '') = :lu4 AND IFNULL(Ville, '') = :lu5"
                   " AND IFNULL(Pays, '') = :lu6 AND IFNULL([Téléphone], '') = :lu7"
                   " AND IFNULL(Fax, '') = :lu8 AND IFNULL(email, '') = :lu9"
                   " AND IFNULL(Web, '') = :lu10 AND IFNULL(Capital, '') = :lu11"
                   " AND IFNULL(APE, '') = :lu12 AND IFNULL(Siret, '') = :lu13"
                   " AND IFNULL(RCS, '') = :lu14"
                   " ORDER BY rowid LIMIT 1)"),
    QStringLiteral("UPDATE TOP (1) [Informations société] SET"
                   " [Nom société] = COALESCE(:nouveau0, [Nom société]),"
                   " [Activité] = COALESCE(:nouveau1, [Activité]),"
                   " [Adresse 1] = COALESCE(:nouveau2, [Adresse 1]),"
                   " [Adresse 2] = COALESCE(:nouveau3, [Adresse 2]),"
                   " [Code postal] = COALESCE(:nouveau4, [Code postal]),"
                   " Ville = COALESCE(:nouveau5, Ville),"
                   " Pays = COALESCE(:nouveau6, Pays),"
                   " [Téléphone] = COALESCE(:nouveau7, [Téléphone]),"
                   " Fax = COALESCE(:nouveau8, Fax),"
                   " email = COALESCE(:nouveau9, email),"
                   " Web = COALESCE(:nouveau10, Web),"
                   " Capital = COALESCE(:nouveau11, Capital),"
                   " APE = COALESCE(:nouveau12, APE),"
                   " Siret = COALESCE(:nouveau13, Siret),"
                   " RCS = COALESCE(:nouveau14, RCS)"
                   " WHERE"
                   " ISNULL([Nom société], '') = :lu0 AND ISNULL([Activité], '') = :lu1"
                   " AND ISNULL([Adresse 1], '') = :lu2 AND ISNULL([Adresse 2], '') = :lu3"
                   " AND ISNULL([Code postal], '') = :lu4 AND ISNULL(Ville, '') = :lu5"
                   " AND ISNULL(Pays, '') = :lu6 AND ISNULL([Téléphone], '') = :lu7"
                   " AND ISNULL(Fax, '') = :lu8 AND ISNULL(email, '') = :lu9"
                   " AND ISNULL(Web, '') = :lu10 AND ISNULL(Capital, '') = :lu11"
                   " AND ISNULL(APE, '') = :lu12 AND ISNULL(Siret, '') = :lu13"
                   " AND ISNULL(RCS, '') = :lu14")};

const db::TexteSql MajLogo{
    QStringLiteral("UPDATE [Informations société] SET Logo = :logo"
                   " WHERE rowid = (SELECT MIN(rowid) FROM [Informations société])"),
    QStringLiteral("UPDATE TOP (1) [Informations société] SET Logo = :logo")};

const db::TexteSql AjoutSocieteLogo{
    QStringLiteral("INSERT INTO [Informations société] (Logo) VALUES (:logo)")};

} // namespace tarvo::catalogue::sql
