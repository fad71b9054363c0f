#include "BaseDeTest.h"
#include "ServeurDeTest.h"
#include "app/OuvertureConnexion.h"
#include "db/CollationFrancaise.h"
#include "db/OrdreFrancais.h"
#include "db/Schema.h"

#include <QImage>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <sqlite3.h>
#include <unicode/ucol.h>

using namespace tarvo;
using namespace tarvo::test;
using namespace Qt::StringLiterals;

// The statements of the tests are UTF-8 literals or texts built at run time.
QString texteSql(const char* sql) {
    return QString::fromUtf8(sql);
}
QString texteSql(const QString& sql) {
    return sql;
}

// Runs a statement on Cnx; a failure fails the test with the statement.
#define EXECUTER(q, sql)                                                                           \
    Lecture q(*t.ctx->cnx, texteSql(sql));                                                         \
    QVERIFY2(q.erreur().isEmpty(), qPrintable(q.erreur() + u" : "_s + texteSql(sql)))

namespace {

bool ean13Valide(const QString& code) {
    static const QRegularExpression treizeChiffres(u"^\\d{13}$"_s);
    if (!treizeChiffres.match(code).hasMatch())
        return false;
    int somme = 0;
    for (int i = 0; i < 12; ++i)
        somme += code.at(i).digitValue() * (i % 2 ? 3 : 1);
    return (10 - somme % 10) % 10 == code.at(12).digitValue();
}

bool dateHeureIso(const QVariant& v) {
    static const QRegularExpression iso(u"^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$"_s);
    return v.userType() == QMetaType::QString && iso.match(v.toString()).hasMatch() &&
           QDateTime::fromString(v.toString(), db::Dialecte::FormatDateHeure).isValid();
}

int compter(BaseDeTest& t, const QString& sql) {
    return static_cast<int>(nombre(*t.ctx->cnx, sql));
}

// One shipment with an order, two parcels (one of them holding two
// articles) and a journal line.
void remplirExpedition(BaseDeTest& t, int noExp) {
    const QString n = QString::number(noExp);
    const QStringList instructions{
        u"INSERT INTO [Expédition] ([No Expédition], [Libellé 1]) VALUES ("_s + n + u", 'Exp "_s +
            n + u"')"_s,
        u"INSERT INTO [Liste commandes] ([No Expédition], [No commande SAGE]) VALUES ("_s + n +
            u", 'BC"_s + n + u"')"_s,
        u"INSERT INTO Colis ([No Expédition], [No Colis]) VALUES ("_s + n + u", 1), ("_s + n +
            u", 2)"_s,
        u"INSERT INTO Colisage ([No Expédition], [No Colis], [Code barres Article], [Quantité]) "_s
        u"VALUES ("_s +
            n + u", 1, '3760987650014', 2), ("_s + n + u", 1, '3760987650021', 1), ("_s + n +
            u", 2, '3760987650014', 5)"_s,
        u"INSERT INTO [Journal de saisie] ([Code type ligne], [No Expédition], [No Colis]) VALUES "_s
        u"('{EXPXA}', "_s +
            n + u", '1')"_s};
    for (const QString& texte : instructions)
        sql(*t.ctx->cnx, texte);
}

} // namespace

class TestSchema : public QObject {
    Q_OBJECT
private slots:
    void defautsDeLExpedition() {
        BaseDeTest t;
        t.creerBase(false);
        const QDateTime avant = QDateTime::currentDateTime().addSecs(-1);
        EXECUTER(ajout, "INSERT INTO [Expédition] ([Libellé 1]) VALUES ('Première')");
        EXECUTER(ajout2, "INSERT INTO [Expédition] ([Libellé 1]) VALUES ('Seconde')");
        const QDateTime apres = QDateTime::currentDateTime().addSecs(1);
        EXECUTER(q, "SELECT [No Expédition], [Date création], [Nbr colis théorique], "
                    "[Nbr colis réel], [Date cloture] FROM [Expédition] ORDER BY 1");
        QVERIFY(q.suivante());
        const int premier = q.valeur(0).toInt();
        QVERIFY(premier >= 1);
        QVERIFY2(dateHeureIso(q.valeur(1)), qPrintable(q.valeur(1).toString()));
        const QDateTime creation =
            QDateTime::fromString(q.valeur(1).toString(), db::Dialecte::FormatDateHeure);
        QVERIFY(creation >= avant.addMSecs(-avant.time().msec()) && creation <= apres);
        QVERIFY(!q.valeur(2).isNull() && !q.valeur(3).isNull());
        QCOMPARE(q.valeur(2).toInt(), 0);
        QCOMPARE(q.valeur(3).toInt(), 0);
        QVERIFY(q.valeur(4).isNull());
        QVERIFY(q.suivante());
        QCOMPARE(q.valeur(0).toInt(), premier + 1);

        // Shipment numbers and work-row ids are never handed out twice, even
        // after the last row was deleted: terminals and printed papers keep them.
        const int numero = compter(t, u"SELECT MAX([No Expédition]) FROM [Expédition]"_s);
        EXECUTER(s,
                 u"DELETE FROM [Expédition] WHERE [No Expédition] = "_s + QString::number(numero));
        EXECUTER(b, "INSERT INTO [Expédition] ([Libellé 1]) VALUES ('B')");
        QCOMPARE(compter(t, u"SELECT MAX([No Expédition]) FROM [Expédition]"_s), numero + 1);

        EXECUTER(w, "INSERT INTO w_controle_qte_gamme (SPID, NoExp, AR_Ref) VALUES "
                    "(7, 1, 'B'), (7, 1, 'A'), (8, 1, 'C')");
        EXECUTER(ordre, "SELECT AR_Ref FROM w_controle_qte_gamme WHERE SPID = 7 ORDER BY id");
        QVERIFY(ordre.suivante());
        QCOMPARE(ordre.valeur(0).toString(), u"B"_s);
        const int dernier = compter(t, u"SELECT MAX(id) FROM w_controle_qte_gamme"_s);
        EXECUTER(vide, "DELETE FROM w_controle_qte_gamme");
        EXECUTER(w2, "INSERT INTO w_controle_qte_gamme (SPID) VALUES (7)");
        QCOMPARE(compter(t, u"SELECT id FROM w_controle_qte_gamme"_s), dernier + 1);
    }

    void codeBarresArticleUniqueEtTextuel() {
        BaseDeTest t;
        t.creerBase(false);
        const QString ajout = u"INSERT INTO Article ([Code barres Article], [Libellé]) "
                              "VALUES (?, ?)"_s;
        sql(*t.ctx->cnx, ajout, {u"0049876500122"_s, u"Set de table"_s});
        QVERIFY(refus(*t.ctx->cnx, ajout, {u"0049876500122"_s, u"Doublon"_s}));
        EXECUTER(lu, "SELECT [Code barres Article] FROM Article");
        QVERIFY(lu.suivante());
        QCOMPARE(lu.valeur(0).toString(), u"0049876500122"_s);
        QVERIFY(!lu.suivante());
    }

    // A parcel takes its packing lines with it; a shipment takes its orders,
    // parcels and packing lines, and leaves its journal.
    void suppressionsEnCascade() {
        BaseDeTest t;
        t.creerBase(false);
        remplirExpedition(t, 1);
        remplirExpedition(t, 2);
        remplirExpedition(t, 3);
        EXECUTER(d, "DELETE FROM Colis WHERE [No Expédition] = 1 AND [No Colis] = 1");
        QCOMPARE(compter(t, u"SELECT COUNT(*) FROM Colisage WHERE [No Expédition] = 1 AND "_s
                            "[No Colis] = 1"),
                 0);
        QCOMPARE(compter(t, u"SELECT COUNT(*) FROM Colisage WHERE [No Expédition] = 1 AND "_s
                            "[No Colis] = 2"),
                 1);
        QCOMPARE(compter(t, u"SELECT COUNT(*) FROM Colisage WHERE [No Expédition] = 2"_s), 3);

        // Every parcel of a shipment at once, as an all-parcels removal does.
        EXECUTER(tous, "DELETE FROM Colis WHERE [No Expédition] = 2");
        QCOMPARE(compter(t, u"SELECT COUNT(*) FROM Colisage WHERE [No Expédition] = 2"_s), 0);
        QCOMPARE(compter(t, u"SELECT COUNT(*) FROM Colisage WHERE [No Expédition] <> 2"_s), 4);

        // A packing line whose parcel row is missing goes with the shipment too.
        EXECUTER(orphelin, "INSERT INTO Colisage ([No Expédition], [No Colis], "
                           "[Code barres Article], [Quantité]) VALUES (3, 9, '3760987650038', 1)");
        EXECUTER(e, "DELETE FROM [Expédition] WHERE [No Expédition] = 3");
        for (const QString& table : {u"[Liste commandes]"_s, u"Colis"_s, u"Colisage"_s}) {
            QCOMPARE(
                compter(t, u"SELECT COUNT(*) FROM "_s + table + u" WHERE [No Expédition] = 3"_s),
                0);
            QVERIFY(compter(t, u"SELECT COUNT(*) FROM "_s + table +
                                   u" WHERE [No Expédition] = 1"_s) > 0);
        }
        QCOMPARE(
            compter(t, u"SELECT COUNT(*) FROM [Journal de saisie] WHERE [No Expédition] = 3"_s), 1);
        QCOMPARE(compter(t, u"SELECT COUNT(*) FROM Colisage WHERE [No Expédition] = 1"_s), 1);
    }

    void commandesDisponibles() {
        BaseDeTest t;
        t.creerBase(true);
        const auto disponibles = [&t] {
            return lignes(*t.ctx->cnx,
                          u"select DO_Piece from [Commandes Dispo] order by DO_Piece"_s);
        };
        // Attached to a shipment: BC00101, 103, 104, 106. Fully delivered:
        // BC00102. Quotes and delivery notes are not orders.
        QCOMPARE(disponibles(),
                 (QStringList{u"BC00105"_s, u"BC00107"_s, u"BC00108"_s, u"BC00109"_s, u"BC00110"_s,
                              u"BC00111"_s, u"BC00112"_s, u"BC00113"_s, u"BC00114"_s}));

        EXECUTER(attacher, "INSERT INTO [Liste commandes] ([No Expédition], [No commande SAGE]) "
                           "VALUES (103, 'BC00105')");
        QVERIFY(!disponibles().contains(u"BC00105"_s));
        EXECUTER(supprimer, "DELETE FROM [Expédition] WHERE [No Expédition] = 103");
        QVERIFY(disponibles().contains(u"BC00105"_s));
        QVERIFY(disponibles().contains(u"BC00106"_s));

        // The customer list of the manual creation window: one row per
        // delivery place.
        EXECUTER(clients, "SELECT     DO_Tiers, CT_Intitule, LI_No, LI_Intitule, LI_Ville, "
                          "LI_Pays, COUNT(*) AS NBCDE From [Commandes Dispo] GROUP BY DO_Tiers, "
                          "CT_Intitule, LI_No, LI_Intitule, LI_Ville, LI_Pays ORDER BY "
                          "CT_Intitule, LI_No");
        QMap<int, int> parLieu;
        while (clients.suivante())
            if (clients.valeur(0).toString() == u"CBOUTIQ"_s)
                parLieu.insert(clients.valeur(2).toInt(), clients.valeur(6).toInt());
        QCOMPARE(parLieu, (QMap<int, int>{{1, 2}, {2, 1}}));
    }

    void informationsDeCommande() {
        BaseDeTest t;
        t.creerBase(true);
        QCOMPARE(compter(t, u"SELECT COUNT(*) - COUNT(DISTINCT DO_Piece) FROM [Info Commande]"_s),
                 0);
        QCOMPARE(compter(t, u"SELECT COUNT(*) FROM [Info Commande] WHERE DO_Piece IN "_s
                            "('DE00031', 'BL00051')"),
                 0);
        EXECUTER(q, "select * from [Info Commande] where DO_Piece ='BC00113'");
        QVERIFY(q.suivante());
        QCOMPARE(q.valeur(u"DO_Tiers"_s).toString(), u"CLINENCO"_s);
        QCOMPARE(q.valeur(u"DO_Langue"_s).toInt(), 1);
        QCOMPARE(q.valeur(u"LI_No"_s).toInt(), 8);
        QCOMPARE(q.valeur(u"LI_Intitule"_s).toString(), u"Linen & Co - Warehouse"_s);
        QCOMPARE(q.valeur(u"LI_Ville"_s).toString(), u"London"_s);
        QVERIFY(dateHeureIso(q.valeur(u"DO_Date"_s)));
        QVERIFY(dateHeureIso(q.valeur(u"DO_DateLivr"_s)));
    }

    void articlesEtCodesBarres() {
        BaseDeTest t;
        t.creerBase(true);
        EXECUTER(v, "SELECT CodeBarre, AR_Ref FROM V_ARTICLE");
        QSet<QString> codes;
        int sansCode = 0;
        while (v.suivante()) {
            const QString code = v.valeur(0).toString();
            if (code.isEmpty()) {
                ++sansCode;
                continue;
            }
            QVERIFY2(ean13Valide(code), qPrintable(code));
            QVERIFY2(!codes.contains(code), qPrintable(code));
            codes.insert(code);
        }
        QVERIFY(codes.size() >= 15);
        QVERIFY(codes.contains(u"0049876500122"_s));
        QCOMPARE(sansCode, 1);
        // Tarvo's article table is in step with Sage.
        const QString memesColonnes =
            u"SELECT CodeBarre, Libellé, Couleur, lib_art_couleur, AR_Ref, AG_No "
            "FROM V_ARTICLE WHERE CodeBarre <> ''"_s;
        const QString article = u"SELECT [Code barres Article], Libellé, Couleur, "
                                "lib_art_couleur, AR_Ref, AG_No FROM Article"_s;
        QCOMPARE(compter(t, u"SELECT COUNT(*) FROM ("_s + memesColonnes + u" EXCEPT "_s + article +
                                u")"_s),
                 0);
        QCOMPARE(compter(t, u"SELECT COUNT(*) FROM ("_s + article + u" EXCEPT "_s + memesColonnes +
                                u")"_s),
                 0);
        // Colour articles come once per range element, with the colour.
        EXECUTER(nappe, "SELECT Couleur, design_couleur FROM V_ARTICLE WHERE AR_Ref = "
                        "'NAPPE160' AND AG_No = 12");
        QVERIFY(nappe.suivante());
        QCOMPARE(nappe.valeur(0).toString(), u"Lin naturel"_s);
        QVERIFY(nappe.valeur(1).toString().contains(u"Lin naturel"_s));
    }

    // The article list of the reports keeps a composed article's own line and
    // drops its components and the articles without a bar code.
    void listeArticlesDesRapports() {
        BaseDeTest t;
        t.creerBase(true);
        EXECUTER(q, "SELECT [Liste commandes].[No Expédition], V_ARTICLE.CodeBarre AS [Code "
                    "barres], F_DOCLIGNE.AR_Ref AS Référence, V_ARTICLE.design_couleur AS "
                    "Désignation, SUM(F_DOCLIGNE.DL_QtePL) AS Qte_cde, F_DOCLIGNE.AR_RefCompose "
                    "FROM F_DOCLIGNE INNER JOIN V_ARTICLE ON V_ARTICLE.AR_Ref = F_DOCLIGNE.AR_Ref "
                    "AND (F_DOCLIGNE.AG_No1 = 0 OR F_DOCLIGNE.AG_No1 = V_ARTICLE.AG_No) RIGHT "
                    "OUTER JOIN [Liste commandes] ON F_DOCLIGNE.DO_Piece = [Liste "
                    "commandes].[No commande SAGE] WHERE (F_DOCLIGNE.DO_Type = 1) GROUP BY "
                    "[Liste commandes].[No Expédition], V_ARTICLE.CodeBarre, F_DOCLIGNE.AR_Ref, "
                    "V_ARTICLE.design_couleur, F_DOCLIGNE.DL_QtePL, F_DOCLIGNE.AR_RefCompose "
                    "HAVING (V_ARTICLE.CodeBarre <> '') AND (F_DOCLIGNE.AR_RefCompose IS NULL OR "
                    "F_DOCLIGNE.AR_RefCompose = F_DOCLIGNE.AR_Ref) ORDER BY V_ARTICLE.CodeBarre");
        QStringList refs102;
        while (q.suivante())
            if (q.valeur(0).toInt() == 102)
                refs102 << q.valeur(2).toString();
        refs102.removeDuplicates();
        refs102.sort();
        QCOMPARE(refs102, (QStringList{u"COFFRET"_s, u"PLAID130"_s, u"TABLIER"_s, u"TORCH50"_s}));
    }

    void controlesDesQuantites() {
        BaseDeTest t;
        t.creerBase(true);
        struct Ligne {
            int exp, cde;
            QString controle;
            int difference;
            bool operator==(const Ligne&) const = default;
        };
        const auto parCle = [&t](const QString& sql) {
            QMap<QString, Ligne> lignes;
            for (const QVariantList& r : rangees(*t.ctx->cnx, sql))
                lignes.insert(r[0].toString(),
                              {r[1].toInt(), r[2].toInt(), r[3].toString(), r[4].toInt()});
            return lignes;
        };
        const QString parCodeBarre =
            u"SELECT CB, [Qté Exp], [Qté Livrée], Controle, [Différence] FROM [Controle qte] "
            "WHERE NoExp = 102"_s;
        const QString incorrect = u"Quantité incorrecte"_s;
        const QString ok = u"OK"_s;

        QMap<QString, Ligne> cb = parCle(parCodeBarre);
        QCOMPARE(cb.value(u"3760987650304"_s), (Ligne{6, 6, ok, 0}));
        QCOMPARE(cb.value(u"3760987650311"_s), (Ligne{5, 6, incorrect, -1}));
        QCOMPARE(cb.value(u"3760987650328"_s), (Ligne{7, 6, incorrect, 1}));
        QCOMPARE(cb.value(u"3760987650403"_s), (Ligne{0, 3, incorrect, -3}));
        // The composed article counts once; its components are not scanned.
        QCOMPARE(cb.value(u"3760987650045"_s), (Ligne{2, 2, ok, 0}));
        QVERIFY(!cb.contains(u"3760987650038"_s));
        QCOMPARE(cb.value(u"3760987650021"_s), (Ligne{4, 4, ok, 0}));

        const QMap<QString, Ligne> art =
            parCle(u"SELECT AR_Ref, [Qté Exp], [Qté Livrée], Controle, [Différence] FROM "_s
                   "controle_qte_art WHERE NoExp = 102");
        QCOMPARE(art.keys(),
                 (QStringList{u"COFFRET"_s, u"PLAID130"_s, u"TABLIER"_s, u"TORCH50"_s}));
        QCOMPARE(art.value(u"TORCH50"_s), (Ligne{18, 18, ok, 0}));
        QCOMPARE(art.value(u"PLAID130"_s), (Ligne{0, 5, incorrect, -5}));

        const QMap<QString, Ligne> gamme =
            parCle(u"SELECT CodeBarre, Qte_exp, Qte_cde, Controle, Difference FROM "_s
                   "controle_qte_gamme WHERE NoExp = 102");
        QCOMPARE(gamme, cb);
        EXECUTER(g, "SELECT AR_Ref, EnGamme, Couleur, Couleur_cde, Couleur_exp, Libelle, "
                    "Design_couleur FROM controle_qte_gamme WHERE NoExp = 102 AND CodeBarre IN "
                    "('3760987650403', '3760987650021') ORDER BY CodeBarre");
        QVERIFY(g.suivante()); // TABLIER, no range
        QCOMPARE(g.valeur(1).toInt(), 0);
        QVERIFY(g.suivante()); // PLAID130 Gris chiné, ordered, not shipped
        QCOMPARE(g.valeur(0).toString(), u"PLAID130"_s);
        QCOMPARE(g.valeur(1).toInt(), 1);
        QCOMPARE(g.valeur(3).toString(), u"Gris chiné"_s);
        QVERIFY(g.valeur(4).isNull());
        QCOMPARE(g.valeur(5).toString(), u"Plaid laine 130x170"_s);
        QVERIFY(g.valeur(6).toString().contains(u"Gris chiné"_s));

        // The closed shipment was packed exactly as ordered.
        for (const Ligne& l :
             parCle(u"SELECT CB, [Qté Exp], [Qté Livrée], Controle, [Différence] "_s
                    "FROM [Controle qte] WHERE NoExp = 101"))
            QCOMPARE(l.controle, ok);

        // A scanned bar code unknown to Sage still shows, as shipped only.
        EXECUTER(inconnu, "INSERT INTO Colis ([No Expédition], [No Colis]) VALUES (103, 1)");
        EXECUTER(inconnu2,
                 "INSERT INTO Colisage ([No Expédition], [No Colis], "
                 "[Code barres Article], [Quantité]) VALUES (103, 1, '2000000000015', 3)");
        EXECUTER(i, "SELECT [Qté Exp], [Qté Livrée], Controle, [Différence], [Libellé] FROM "
                    "[Controle qte] WHERE NoExp = 103 AND CB = '2000000000015'");
        QVERIFY(i.suivante());
        QCOMPARE(i.valeur(0).toInt(), 3);
        QCOMPARE(i.valeur(1).toInt(), 0);
        QCOMPARE(i.valeur(3).toInt(), 3);
        QVERIFY(!i.valeur(4).toString().isEmpty());
        QCOMPARE(compter(t, u"SELECT EnGamme FROM controle_qte_gamme WHERE NoExp = 103 AND "_s
                            "CodeBarre = '2000000000015'"),
                 0);

        // A deleted parcel no longer counts as shipped.
        EXECUTER(d, "DELETE FROM Colis WHERE [No Expédition] = 102 AND [No Colis] = 1");
        cb = parCle(parCodeBarre);
        QCOMPARE(cb.value(u"3760987650304"_s), (Ligne{0, 6, incorrect, -6}));
        QCOMPARE(cb.value(u"3760987650045"_s), (Ligne{2, 2, ok, 0}));
    }

    void donneesDeDemonstration() {
        BaseDeTest t;
        t.creerBase(true);
        const QStringList datesHeures{
            u"SELECT [Date création] FROM [Expédition]"_s,
            u"SELECT [Date cloture] FROM [Expédition] WHERE [Date cloture] IS NOT NULL"_s,
            u"SELECT [Date livraison] FROM [Liste commandes]"_s,
            u"SELECT [Date création SAGE] FROM [Liste commandes]"_s,
            u"SELECT [Date mise à jour] FROM Colis"_s,
            u"SELECT [Date mise à jour] FROM Colisage"_s,
            u"SELECT [Date saisie] FROM [Journal de saisie]"_s,
            u"SELECT [Date intégration] FROM [Journal de saisie]"_s,
            u"SELECT date_ajout FROM Article"_s,
            u"SELECT DO_Date FROM F_DOCENTETE"_s,
            u"SELECT DO_DateLivr FROM F_DOCENTETE"_s,
            u"SELECT DO_Date FROM F_DOCLIGNE"_s};
        for (const QString& sql : datesHeures) {
            EXECUTER(q, sql);
            int n = 0;
            while (q.suivante()) {
                QVERIFY2(dateHeureIso(q.valeur(0)),
                         qPrintable(sql + u" : "_s + q.valeur(0).toString()));
                ++n;
            }
            QVERIFY2(n > 0, qPrintable(sql));
        }
        // Shipments at three stages: closed, being packed, just created.
        QCOMPARE(
            compter(t, u"SELECT COUNT(*) FROM [Expédition] WHERE [Date cloture] IS NOT NULL"_s), 1);
        QCOMPARE(compter(t, u"SELECT COUNT(DISTINCT [No Expédition]) FROM Colis"_s), 2);
        QCOMPARE(compter(t,
                         u"SELECT COUNT(*) FROM [Expédition] E WHERE NOT EXISTS (SELECT 1 FROM "_s
                         "Colis C WHERE C.[No Expédition] = E.[No Expédition])"),
                 1);
        // Some customers have two delivery places.
        QVERIFY(compter(t,
                        u"SELECT COUNT(*) FROM (SELECT CT_Num FROM F_LIVRAISON GROUP BY CT_Num "_s
                        "HAVING COUNT(*) = 2)") >= 2);

        QCOMPARE(compter(t, u"SELECT COUNT(*) FROM [Informations société]"_s), 1);
        EXECUTER(logo, "SELECT Logo, [Nom société] FROM [Informations société]");
        QVERIFY(logo.suivante());
        QVERIFY(!logo.valeur(1).toString().isEmpty());
        QImage image;
        QVERIFY(image.loadFromData(logo.valeur(0).toByteArray()));
        QVERIFY(image.width() > 0 && image.height() > 0);
    }

    // Each connection on the file gets its own process number, released when
    // it closes and never handed out again.
    void numerosDeProcessus() {
        BaseDeTest t;
        t.creerBase(false);
        const ParametresConnexion p = ParametresDepuisIni(*t.ctx, QString(), QString());
        Connexion a(u"A"_s);
        Connexion b(u"B"_s);
        a.ouvrir(p);
        b.ouvrir(p);
        const int spidA = a.spid();
        const int spidB = b.spid();
        QVERIFY(spidA > 0 && spidB > 0 && spidA != spidB);
        QCOMPARE(compter(t, u"SELECT COUNT(*) FROM tarvo_connexion"_s), 2);
        a.fermer();
        QCOMPARE(compter(t, u"SELECT COUNT(*) FROM tarvo_connexion"_s), 1);
        Connexion c(u"C"_s);
        c.ouvrir(p);
        QVERIFY(c.spid() > qMax(spidA, spidB));
    }

    // The SQL Server script cannot run here; check what a server would
    // refuse at once: a view, trigger or procedure must open its batch.
    // A database made before a table was added, or before versions were
    // kept, is brought up to date when the program connects; one made by a
    // newer program is refused and left as it is.
    void versionDuSchema_data() {
        QTest::addColumn<QString>("avant");
        QTest::addColumn<bool>("acceptee");
        QTest::newRow("sans version ni tarvo_integration")
            << u"DROP TABLE tarvo_integration; PRAGMA user_version = 0;"_s << true;
        QTest::newRow("sans version, déjà complète") << u"PRAGMA user_version = 0;"_s << true;
        QTest::newRow("version 1")
            << u"DROP TABLE tarvo_integration; PRAGMA user_version = 1;"_s << true;
        QTest::newRow("plus récente") << u"PRAGMA user_version = 99;"_s << false;
    }
    void versionDuSchema() {
        QFETCH(QString, avant);
        QFETCH(bool, acceptee);
        BaseDeTest t;
        t.creerBase(false);
        for (const QString& instruction : avant.split(u';', Qt::SkipEmptyParts)) {
            EXECUTER(q, instruction);
        }
        t.ctx->cnx.reset();
        t.prompts.vider();
        QCOMPARE(ConnexionBase(*t.ctx, QString(), QString()), acceptee);
        if (!acceptee) {
            QCOMPARE(t.prompts.boites.size(), 1);
            QCOMPARE(t.prompts.boites[0].titre, u"Problème de connexion"_s);
            QVERIFY(t.prompts.boites[0].texte.contains(u"schéma 99"_s));
            QVERIFY(!t.ctx->cnx->estOuverte());
            return;
        }
        QVERIFY(t.prompts.boites.isEmpty());
        QCOMPARE(compter(t, u"PRAGMA user_version"_s), db::VersionSchema);
        EXECUTER(integre, "INSERT INTO tarvo_integration VALUES ('e', 1, '2026-12-06 10:00:00', "
                          "'a')");
        // Connecting again changes nothing.
        t.ctx->cnx.reset();
        QVERIFY(ConnexionBase(*t.ctx, QString(), QString()));
        QCOMPARE(compter(t, u"SELECT COUNT(*) FROM tarvo_integration"_s), 1);
    }

    // A version-4 database (the same tables without the French order) is
    // remade in it when the program connects: every row, index, counter,
    // view and trigger kept. Keys the French order makes one stop the move
    // with their names and leave the file as it was.
    void miseAJourOrdreFrancais_data() {
        QTest::addColumn<bool>("doublons");
        QTest::newRow("données ordinaires") << false;
        QTest::newRow("codes qui ne diffèrent que par la casse") << true;
    }
    void miseAJourOrdreFrancais() {
        QFETCH(bool, doublons);
        BaseDeTest t;
        t.ctx->modeSecurite = u"INTEG"_s;
        {
            Connexion creation(u"CreationV4"_s);
            creation.ouvrir(ParametresDepuisIni(*t.ctx, QString(), QString()), true);
            db::ExecuterScriptSQLite(creation,
                                     db::ScriptSchemaSQLite().remove(u" COLLATE FRANCAIS"_s) +
                                         u"\nPRAGMA user_version = 4;"_s);
        }
        t.ctx->cnx = std::make_unique<Connexion>(u"V4"_s);
        t.ctx->cnx->ouvrir(ParametresDepuisIni(*t.ctx, QString(), QString()));
        remplirExpedition(t, 3);
        remplirExpedition(t, 9);
        EXECUTER(trou, "DELETE FROM [Expédition] WHERE [No Expédition] = 9");
        EXECUTER(premiere, "DELETE FROM [Journal de saisie] WHERE [No Expédition] = 3");
        EXECUTER(articles, "INSERT INTO Article ([Code barres Article], Libellé) VALUES "
                           "('abc', 'Zèbre'), ('x1', 'anneau'), ('x2', 'Écharpe')");
        if (doublons) {
            EXECUTER(casse, "INSERT INTO Article ([Code barres Article]) VALUES ('ABC')");
        }
        const QString objets = u"SELECT type || ' ' || name FROM sqlite_master "
                               "WHERE name NOT LIKE 'sqlite_autoindex%' ORDER BY 1"_s;
        const auto lister = [&t](const QString& sql) {
            QStringList lignes;
            Lecture q(*t.ctx->cnx, sql);
            while (q.suivante())
                lignes << q.valeur(q.nombreColonnes() - 1).toString();
            return lignes;
        };
        const QStringList objetsAvant = lister(objets);
        const QString contenu =
            u"SELECT 'E' || group_concat([No Expédition] || [Libellé 1]) FROM [Expédition] "
            "UNION ALL SELECT 'A' || group_concat([Code barres Article] || ifnull(Libellé, '')) "
            "FROM Article UNION ALL SELECT 'C' || group_concat([No Colis] || [Code barres "
            "Article] || Quantité) FROM Colisage UNION ALL SELECT 'J' || group_concat(rowid) FROM "
            "[Journal de saisie] UNION ALL SELECT 'L' || COUNT(*) FROM [Liste commandes]"_s;
        const QStringList contenuAvant = lister(contenu);
        t.ctx->cnx.reset();
        t.prompts.vider();

        QCOMPARE(ConnexionBase(*t.ctx, QString(), QString()), !doublons);
        if (doublons) {
            QCOMPARE(t.prompts.boites.size(), 1);
            const QString texte = t.prompts.boites[0].texte;
            QVERIFY2(texte.contains(u"table Article"_s) && texte.contains(u"« abc »"_s) &&
                         texte.contains(u"« ABC »"_s),
                     qPrintable(texte));
            t.ctx->cnx = std::make_unique<Connexion>(u"Relecture"_s);
            t.ctx->cnx->ouvrir(ParametresDepuisIni(*t.ctx, QString(), QString()));
            QCOMPARE(compter(t, u"PRAGMA user_version"_s), 4);
            QCOMPARE(lister(objets), objetsAvant);
            QCOMPARE(lister(contenu), contenuAvant);
            return;
        }
        QVERIFY2(t.prompts.boites.isEmpty(), qPrintable(t.prompts.boites.value(0).texte));
        QCOMPARE(compter(t, u"PRAGMA user_version"_s), db::VersionSchema);
        // The same objects, and the note of the order the indexes are now in.
        QStringList objetsApres = objetsAvant;
        objetsApres << u"table tarvo_ordre"_s;
        objetsApres.sort();
        QCOMPARE(lister(objets), objetsApres);
        QCOMPARE(compter(t, u"SELECT COUNT(*) FROM tarvo_ordre"_s), 1);
        QCOMPARE(lister(contenu), contenuAvant);
        QCOMPARE(lister(u"SELECT Libellé FROM Article ORDER BY Libellé"_s),
                 (QStringList{u"anneau"_s, u"Écharpe"_s, u"Zèbre"_s}));
        QCOMPARE(compter(t, u"SELECT COUNT(*) FROM Article WHERE [Code barres Article] = 'ABC'"_s),
                 1);
        // The journal's indexes are built in the new order and used by it.
        QVERIFY(lister(u"EXPLAIN QUERY PLAN SELECT rowid FROM [Journal de saisie] "
                       "ORDER BY [Code type ligne]"_s)
                    .join(u' ')
                    .contains(u"IX_Journal de saisie_Code type ligne"_s));
        // A number given before the move is not given again.
        EXECUTER(nouvelle, "INSERT INTO [Expédition] ([Libellé 1]) VALUES ('nouvelle')");
        QCOMPARE(nombre(*t.ctx->cnx, u"SELECT last_insert_rowid()"_s), 10);
        // The triggers were made again.
        EXECUTER(suppression, "DELETE FROM [Expédition] WHERE [No Expédition] = 3");
        QCOMPARE(compter(t, u"SELECT COUNT(*) FROM Colisage"_s), 0);
    }

    // What init-base checks before it writes anything, on both engines.
    void baseContientDesTables_data() {
        QTest::addColumn<VoieDeTest>("voie");
        for (const VoieDeTest& voie : VoiesDesMoteurs())
            QTest::newRow(voie.serveur ? "serveur" : "embarquée") << voie;
    }
    void baseContientDesTables() {
        QFETCH(VoieDeTest, voie);
        BaseDeTest t;
        t.creerBase(false);
        QVERIFY(t.prendre(voie));
        QVERIFY(db::BaseContientDesTables(*t.ctx->cnx));

        Connexion vide(u"Vide"_s);
        if (voie.serveur) {
            const QString nom = u"vide_%1"_s.arg(QCoreApplication::applicationPid());
            ExecuterScriptServeur(u"master"_s, u"CREATE DATABASE "_s + nom);
            vide.ouvrir(ParametresServeur(nom));
        } else {
            ParametresConnexion p;
            p.base = t.chemin(u"vide.db"_s);
            vide.ouvrir(p, true);
        }
        QVERIFY(!db::BaseContientDesTables(vide));
    }

    // Every connection opened in the process on the embedded database has
    // the French order: the program's own, a raw handle of the same
    // libsqlite3, and the SQLite ODBC driver's.
    void chaqueConnexionEnFrancais() {
        BaseDeTest t;
        t.creerBase(false);
        init_dataenv_connection(*t.ctx);
        const auto verifier = [](Connexion& cnx) {
            Lecture q(cnx, u"SELECT 'éponge' = 'ÉPONGE' COLLATE FRANCAIS, "
                           "'Éponge vaisselle' LIKE 'éponge%', 'Métis' LIKE '%MÉTIS%', "
                           "'a_c' LIKE 'a\\_c' ESCAPE '\\', 'abc' LIKE 'a\\_c' ESCAPE '\\', "
                           "'anneau' < 'Écharpe' COLLATE FRANCAIS"_s);
            QVERIFY2(q.suivante(), qPrintable(q.erreur()));
            QCOMPARE(q.valeur(0).toInt() * 100000 + q.valeur(1).toInt() * 10000 +
                         q.valeur(2).toInt() * 1000 + q.valeur(3).toInt() * 100 +
                         q.valeur(4).toInt() * 10 + q.valeur(5).toInt(),
                     111101);
        };
        for (Connexion* cnx : {t.ctx->cnx.get(), t.ctx->conxReport.get()})
            verifier(*cnx);

        sqlite3* brute = nullptr;
        QCOMPARE(sqlite3_open_v2(t.chemin(u"tarvo.db"_s).toUtf8().constData(), &brute,
                                 SQLITE_OPEN_READONLY, nullptr),
                 SQLITE_OK);
        const int code = sqlite3_exec(brute, "SELECT * FROM Article ORDER BY Libellé", nullptr,
                                      nullptr, nullptr);
        QVERIFY2(code == SQLITE_OK, sqlite3_errmsg(brute));
        sqlite3_close(brute);

        sql(*t.ctx->cnx, u"INSERT INTO Article ([Code barres Article], Libellé) VALUES "
                         "('3', 'Zèbre'), ('1', 'Écharpe'), ('2', 'anneau')"_s);
        if (!t.passerParOdbc())
            QSKIP("Pilote ODBC SQLite3 absent (paquet libsqliteodbc) : la voie ODBC n'est pas "
                  "essayée.");
        verifier(*t.ctx->cnx);
        QCOMPARE(lignes(*t.ctx->cnx, u"SELECT Libellé FROM Article ORDER BY Libellé"_s),
                 (QStringList{u"anneau"_s, u"Écharpe"_s, u"Zèbre"_s}));
    }

    // ASCII texts are ranked without ICU: the same order as ICU's, or an
    // index mixing both paths would be out of order.
    void rangsAsciiCommeIcu() {
        UErrorCode etat = U_ZERO_ERROR;
        UCollator* icu = ucol_open("fr", &etat);
        QVERIFY(U_SUCCESS(etat));
        ucol_setStrength(icu, UCOL_PRIMARY);
        quint32 graine = 20261207;
        const auto hasard = [&graine](int n) {
            graine = graine * 1103515245u + 12345u;
            return static_cast<int>((graine >> 8) % static_cast<quint32>(n));
        };
        const std::string alphabet = "aAbZz09 -_{}[]<>%'.,;:!?/\\@#&*+=~^|\"$\t\x01";
        for (int essai = 0; essai < 20000; ++essai) {
            std::string a, b;
            for (int i = hasard(5); i > 0; --i)
                a += alphabet[static_cast<std::size_t>(hasard(static_cast<int>(alphabet.size())))];
            b = a.substr(0, static_cast<std::size_t>(hasard(static_cast<int>(a.size()) + 1)));
            for (int i = hasard(4); i > 0; --i)
                b += alphabet[static_cast<std::size_t>(hasard(static_cast<int>(alphabet.size())))];
            const int attendu = ucol_strcollUTF8(icu, a.data(), static_cast<int32_t>(a.size()),
                                                 b.data(), static_cast<int32_t>(b.size()), &etat);
            const int obtenu = db::ordre::Comparer(a, b);
            QVERIFY2((obtenu > 0) - (obtenu < 0) == attendu,
                     qPrintable(QString::fromStdString(a + " | " + b)));
        }
        ucol_close(icu);
        QVERIFY(db::ordre::Comparer("Œuvre", "oeuvre") == 0);
        QVERIFY(db::ordre::Comparer("e\xCC\x81t\xC3\xA9", "ÉTÉ") == 0);
        // A shared ASCII prefix, then an accent or a mark written apart.
        QVERIFY(db::ordre::Comparer("CODE-e\xCC\x81", "CODE-É") == 0);
        QVERIFY(db::ordre::Comparer("AB12\xC3\xA9", "ab12F") < 0);
        QVERIFY(db::ordre::Comparer("3700e\xCC\x81", "3700f") < 0);
        QVERIFY(db::ordre::Comme("c\xC5\x93ur%", "COEUR battant", 0));
        QVERIFY(db::ordre::Comme("%100!%", "COTON 100%", U'!'));
        QVERIFY(!db::ordre::Comme("%100!%", "COTON 1000", U'!'));
        QVERIFY(!db::ordre::Comme("abc!", "abc!", U'!'));
        QVERIFY(db::ordre::Comme("_t_", "été", 0));
    }

    void scriptSqlServer() {
        const QString script = db::ScriptSchemaSqlServer();
        const QStringList lots =
            script.split(QRegularExpression(u"^GO\\s*$"_s, QRegularExpression::MultilineOption));
        QVERIFY(lots.size() > 20);
        const QRegularExpression creation(u"\\bCREATE\\s+(VIEW|TRIGGER|PROCEDURE)\\b"_s,
                                          QRegularExpression::CaseInsensitiveOption);
        const QRegularExpression commentaire(u"--[^\\n]*"_s);
        QStringList objets;
        for (QString lot : lots) {
            lot.remove(commentaire);
            lot = lot.trimmed();
            const QRegularExpressionMatch m = creation.match(lot);
            if (!m.hasMatch())
                continue;
            QVERIFY2(m.capturedStart() == 0, qPrintable(lot.left(200)));
            objets << lot.section(u'\n', 0, 0);
        }
        // Tables and views are matched with the embedded schema elsewhere.
        for (const QString& nom :
             {u"dbo.prepa_controle_qte_gamme"_s, u"dbo.[TR_Colis_suppression]"_s,
              u"dbo.[TR_Expédition_suppression]"_s})
            QVERIFY2(objets.filter(nom).size() == 1, qPrintable(nom));
        for (const QString& sqlite : {u"AUTOINCREMENT"_s, u"IFNULL"_s, u"||"_s, u"datetime("_s})
            QVERIFY2(!script.contains(sqlite), qPrintable(sqlite));
    }
};

QTEST_GUILESS_MAIN(TestSchema)
#include "test_schema.moc"
