#include "SqlSuivi.h"

namespace tarvo::suivi::sql {
namespace {

// The range control's base, as its report reads it: per shipment of E and
// bar code, the quantities left to deliver on the order lines of the
// shipment's orders (their range element's bar code; component lines of a
// composed article and articles without a bar code left out), against the
// packing lines of its parcels. The follow-up leaves out the line counts:
// every column the grouping carries is sorted with it.
QString baseControle(const QString& dbo, bool compteLignes) {
    const QString lignesCde =
        compteLignes ? QStringLiteral(", 1 AS Ligne_cde, 0 AS Ligne_exp") : QString();
    const QString lignesExp = compteLignes ? QStringLiteral(", 0, 1") : QString();
    const QString sommes = compteLignes ? QStringLiteral(", SUM(Ligne_cde) AS Lignes_cde, "
                                                         "SUM(Ligne_exp) AS Lignes_exp")
                                        : QString();
    return QStringLiteral(
               "Q AS (SELECT LC.[No Expédition] AS NoExp, V.CodeBarre AS CodeBarre, "
               "D.DL_QtePL AS Qte_cde, 0 AS Qte_exp%2 "
               "FROM E {JOINT} %1[Liste commandes] LC ON LC.[No Expédition] = E.NoExp "
               "INNER JOIN %1F_DOCLIGNE D ON D.DO_Piece = LC.[No commande SAGE] "
               "AND D.DO_Domaine = 0 AND D.DO_Type = 1 "
               "INNER JOIN %1V_ARTICLE V ON V.AR_Ref = D.AR_Ref AND V.AG_No = D.AG_No1 "
               "WHERE V.CodeBarre <> '' "
               "AND (D.AR_RefCompose IS NULL OR D.AR_RefCompose = D.AR_Ref) "
               "UNION ALL SELECT C.[No Expédition], C.[Code barres Article], 0, C.[Quantité]%3 "
               "FROM E {JOINT} %1Colisage C ON C.[No Expédition] = E.NoExp), "
               "B AS (SELECT NoExp, CodeBarre, SUM(Qte_cde) AS Qte_cde, SUM(Qte_exp) AS "
               "Qte_exp%4 FROM Q GROUP BY NoExp, CodeBarre)")
        .arg(dbo, lignesCde, lignesExp, sommes);
}

// Per weighed parcel of E: the expected weight of its known contents and the
// count of those without a weight. A bar code two articles share takes the
// heavier weight. Parcels are read in their key's order and grouped by that
// key alone, so that nothing has to be sorted.
QString poidsColis(const QString& dbo) {
    return QStringLiteral(
               "P AS (SELECT CO.[No Expédition] AS NoExp, CO.[No Colis] AS NoColis, "
               "MAX(CO.[Poids colis]) AS Pese, SUM(C.[Quantité] * W.PoidsBrut) AS Attendu, "
               "SUM(CASE WHEN C.[Code barres Article] IS NOT NULL AND W.PoidsBrut IS NULL "
               "THEN 1 ELSE 0 END) AS SansPoids, COUNT(C.[Code barres Article]) AS Contenus "
               "FROM %1Colis CO LEFT JOIN %1Colisage C ON C.[No Expédition] = CO.[No Expédition] "
               "AND C.[No Colis] = CO.[No Colis] "
               "LEFT JOIN (SELECT CodeBarre, MAX(PoidsBrut) AS PoidsBrut "
               "FROM %1V_POIDS_ARTICLE GROUP BY CodeBarre) W "
               "ON W.CodeBarre = C.[Code barres Article] "
               "WHERE CO.[No Expédition] IN (SELECT NoExp FROM E) AND CO.[Poids colis] > 0 "
               "GROUP BY CO.[No Expédition], CO.[No Colis])")
        .arg(dbo);
}

// Whole grams, rounded half away from zero on both engines.
QString grammes(const QString& kilos, bool serveur) {
    return serveur ? QStringLiteral("ROUND(%1 * 1000, 0)").arg(kilos)
                   : QStringLiteral("ROUND(%1 * 1000)").arg(kilos);
}

// A parcel is suspect when every content has a weight and the weighed and
// expected weights, in whole grams, differ by more than the tolerance: the
// rule of EtatPoids, so that the follow-up and the check agree at the bound.
QString suspect(bool serveur) {
    return QStringLiteral("CASE WHEN Contenus > 0 AND SansPoids = 0 AND ABS(%1 - %2) * 100 > "
                          ":tolerance * %2 THEN 1 ELSE 0 END")
        .arg(grammes(QStringLiteral("Pese"), serveur), grammes(QStringLiteral("Attendu"), serveur));
}

// What column `champ` of Suivi reads.
QString expression(ChampSuivi champ, bool serveur) {
    const QString dbo = serveur ? QStringLiteral("dbo.") : QString();
    // The server sums the order lines' decimal quantities as decimals.
    const auto entier = [serveur](const QString& valeur) {
        return serveur ? QStringLiteral("CAST(%1 AS bigint)").arg(valeur) : valeur;
    };
    switch (champ) {
    case ChampSuivi::NoExpedition:
        return QStringLiteral("X.[No Expédition]");
    case ChampSuivi::Libelle1:
        return QStringLiteral("X.[Libellé 1]");
    case ChampSuivi::DateCloture:
        return QStringLiteral("X.[Date cloture]");
    case ChampSuivi::ColisTheoriques:
        return QStringLiteral("X.[Nbr colis théorique]");
    case ChampSuivi::Commandes:
        return QStringLiteral("COALESCE(N.Commandes, 0)");
    case ChampSuivi::Lignes:
        return QStringLiteral("COALESCE(L.Lignes, 0)");
    case ChampSuivi::QteCommandee:
        return entier(QStringLiteral("COALESCE(L.Qte_cde, 0)"));
    case ChampSuivi::QtePreparee:
        return entier(QStringLiteral("COALESCE(L.Qte_exp, 0)"));
    case ChampSuivi::LignesEnEcart:
        return QStringLiteral("COALESCE(L.Ecarts, 0)");
    case ChampSuivi::LignesEnSurplus:
        return QStringLiteral("COALESCE(L.Surplus, 0)");
    case ChampSuivi::Colis:
        return QStringLiteral("COALESCE(K.Colis, 0)");
    case ChampSuivi::ColisPeses:
        return QStringLiteral("COALESCE(K.Peses, 0)");
    case ChampSuivi::ColisSuspects:
        return QStringLiteral("COALESCE(S.Suspects, 0)");
    // Read per shipment from the journal's index: far cheaper than grouping
    // every entry of the open shipments.
    case ChampSuivi::DerniereSaisie:
        return QStringLiteral("(SELECT MAX(J.[Date saisie]) FROM %1[Journal de saisie] J "
                              "WHERE J.[No Expédition] = X.[No Expédition])")
            .arg(dbo);
    case ChampSuivi::DerniereIntegration:
        return QStringLiteral("(SELECT MAX(J.[Date intégration]) FROM %1[Journal de saisie] J "
                              "WHERE J.[No Expédition] = X.[No Expédition])")
            .arg(dbo);
    }
    return {};
}

QString colonnesSuivi(bool serveur) {
    QStringList colonnes;
    for (int c = 0; c < NombreChampsSuivi; ++c)
        colonnes << expression(static_cast<ChampSuivi>(c), serveur);
    return colonnes.join(QStringLiteral(", "));
}

QString suivi(bool serveur) {
    const QString dbo = serveur ? QStringLiteral("dbo.") : QString();
    return QStringLiteral("WITH E AS (SELECT [No Expédition] AS NoExp FROM %1[Expédition] "
                          "WHERE :closes = 1 OR [Date cloture] IS NULL), ")
               .arg(dbo) +
           baseControle(dbo, false) + QStringLiteral(", ") + poidsColis(dbo) +
           QStringLiteral(
               ", L AS (SELECT NoExp, COUNT(*) AS Lignes, SUM(Qte_cde) AS Qte_cde, "
               "SUM(Qte_exp) AS Qte_exp, SUM(CASE WHEN Qte_exp <> Qte_cde THEN 1 ELSE 0 END) "
               "AS Ecarts, SUM(CASE WHEN Qte_exp > Qte_cde THEN 1 ELSE 0 END) AS Surplus "
               "FROM B GROUP BY NoExp), "
               "K AS (SELECT CO.[No Expédition] AS NoExp, COUNT(*) AS Colis, "
               "SUM(CASE WHEN CO.[Poids colis] > 0 THEN 1 ELSE 0 END) AS Peses "
               "FROM %1Colis CO WHERE CO.[No Expédition] IN (SELECT NoExp FROM E) "
               "GROUP BY CO.[No Expédition]), "
               "S AS (SELECT NoExp, SUM(%2) AS Suspects FROM P GROUP BY NoExp), "
               "N AS (SELECT LC.[No Expédition] AS NoExp, "
               "COUNT(DISTINCT LC.[No commande SAGE]) AS Commandes FROM E "
               "{JOINT} %1[Liste commandes] LC ON LC.[No Expédition] = E.NoExp "
               "GROUP BY LC.[No Expédition]) SELECT ")
               .arg(dbo, suspect(serveur)) +
           colonnesSuivi(serveur) +
           QStringLiteral(" FROM E {JOINT} %1[Expédition] X ON X.[No Expédition] = E.NoExp "
                          "LEFT JOIN N ON N.NoExp = E.NoExp LEFT JOIN L ON L.NoExp = E.NoExp "
                          "LEFT JOIN K ON K.NoExp = E.NoExp LEFT JOIN S ON S.NoExp = E.NoExp "
                          "ORDER BY X.[No Expédition]")
               .arg(dbo);
}

QString lignes(const QString& dbo) {
    return QStringLiteral("WITH E AS (SELECT :noExpedition AS NoExp), ") + baseControle(dbo, true) +
           QStringLiteral(
               " SELECT COALESCE(V.AR_Ref, A.AR_Ref, '') AS AR_Ref, B.CodeBarre, "
               "COALESCE(V.design_couleur, A.lib_art_couleur, 'Article inconnu') AS Design, "
               "COALESCE(V.Couleur, A.Couleur, '') AS Couleur, B.Qte_cde, B.Qte_exp, "
               "COALESCE(V.[Libellé], A.[Libellé], 'Article inconnu') AS Libelle, "
               "CASE WHEN B.Lignes_cde > 0 THEN COALESCE(V.Couleur, A.Couleur, '') END "
               "AS Couleur_cde FROM B LEFT JOIN %1V_ARTICLE V ON V.CodeBarre = B.CodeBarre "
               "LEFT JOIN %1Article A ON A.[Code barres Article] = B.CodeBarre "
               "ORDER BY Libelle, AR_Ref, Couleur_cde, B.CodeBarre")
               .arg(dbo);
}

QString poidsExpedition(const QString& dbo) {
    return QStringLiteral("WITH E AS (SELECT :noExpedition AS NoExp), ") + poidsColis(dbo) +
           QStringLiteral(" SELECT NoColis, Pese, Attendu, SansPoids, Contenus FROM P "
                          "ORDER BY NoColis");
}

QString journal(const QString& dbo, const QString& ordre) {
    return QStringLiteral("SELECT J.[Code type ligne], J.[No Colis], J.[Code barres Article], "
                          "J.[Quantité], J.[Date saisie], J.[Date intégration], "
                          "(SELECT MAX(T.archive) FROM %1tarvo_integration T "
                          "WHERE T.date_integration = J.[Date intégration]) AS Archive "
                          "FROM %1[Journal de saisie] J WHERE J.[No Expédition] = :noExpedition "
                          "ORDER BY J.%2")
        .arg(dbo, ordre);
}

const QString Dbo = QStringLiteral("dbo.");

// The shipments of E lead every join: SQLite takes CROSS JOIN as that order,
// where it would otherwise scan five years of history for the few open
// shipments; the server's planner finds that order by itself.
QString joints(QString texte, bool serveur) {
    return texte.replace(QStringLiteral("{JOINT}"),
                         serveur ? QStringLiteral("INNER JOIN") : QStringLiteral("CROSS JOIN"));
}

} // namespace

const db::TexteSql Suivi{joints(suivi(false), false), joints(suivi(true), true)};

const db::TexteSql LignesExpedition{joints(lignes(QString()), false), joints(lignes(Dbo), true)};

const db::TexteSql PoidsColis{joints(poidsExpedition(QString()), false),
                              joints(poidsExpedition(Dbo), true)};

const db::TexteSql JournalExpedition{journal(QString(), QStringLiteral("rowid")),
                                     journal(Dbo, QStringLiteral("[Id saisie]"))};

// The journal's last row number changes with every entry, also one made at a
// packing bench outside any run; both engines read it off a unique index.
const db::TexteSql MarqueIntegration{
    QStringLiteral("SELECT COUNT(*), MAX(date_integration), "
                   "(SELECT MAX(rowid) FROM [Journal de saisie]) FROM tarvo_integration"),
    QStringLiteral("SELECT COUNT(*), MAX(date_integration), "
                   "(SELECT MAX([Id saisie]) FROM dbo.[Journal de saisie]) "
                   "FROM dbo.tarvo_integration")};

} // namespace tarvo::suivi::sql
