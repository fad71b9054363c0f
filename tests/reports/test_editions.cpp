// The report data, the range control preparation, the report command's
// failures and the page layout, on real embedded databases.
#include "BaseDeTest.h"
#include "OutilsEditions.h"
#include "base/Journaux.h"
#include "db/Base.h"
#include "db/Connexion.h"
#include "reports/DonneesEtat.h"
#include "reports/Edition.h"
#include "reports/MiseEnPage.h"
#include "reports/Peinture.h"
#include "reports/PrepaControleGamme.h"

#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace tarvo;
using namespace tarvo::editions;
using namespace tarvo::test;

Q_DECLARE_METATYPE(tarvo::editions::Etat)

namespace {

// The rows prepared for `spid`: bar code, description, quantities,
// control, difference, one text a row.
QStringList lignesGamme(const db::Base& base, qint32 noExp, qint32 spid) {
    QStringList lignes;
    for (const LigneControleGamme& l : EtatControleArtGamme(base, noExp, spid).controleGamme)
        lignes << QStringList{l.codeBarre,         l.designCouleur, l.qteCde.toString(),
                              l.qteExp.toString(), l.controle,      l.difference.toString()}
                      .join(u'|');
    return lignes;
}

void voies() {
    QTest::addColumn<VoieDeTest>("voie");
    for (const VoieDeTest& voie : Voies())
        QTest::newRow("voie" + voie.nom) << voie;
}

} // namespace

class TestEditions : public QObject {
    Q_OBJECT

private slots:
    void donneesDesEtats_data() { voies(); }
    void donneesDesEtats() {
        QFETCH(VoieDeTest, voie);
        BaseDeTest t;
        t.creerBase(true);
        // An article in lines of 3, 3 and 5 of one bar code.
        ajouterExpeditionTest(
            t, QStringLiteral(
                   "INSERT INTO F_DOCLIGNE (DO_Type, DO_Piece, DL_Ligne, AR_Ref, AG_No1, DL_Qte, "
                   "DL_QtePL) VALUES (1, 'BT001', 1, 'SETTAB', 0, 3, 3), "
                   "(1, 'BT001', 2, 'SETTAB', 0, 3, 3), (1, 'BT001', 3, 'SETTAB', 0, 5, 5);"
                   "INSERT INTO Colis ([No Expédition], [No Colis]) VALUES (900, 1);"
                   "INSERT INTO Colisage ([No Expédition], [No Colis], [Code barres Article], "
                   "[Quantité]) VALUES (900, 1, 'INCONNU', 3), (900, 1, '0049876500122', 2);"));
        QVERIFY(t.prendre(voie));
        const db::Base base(t.ctx->cnx.get());

        const DonneesEtat bon = BonExp(base, 102);
        QCOMPARE(bon.expedition.liIntitule, u"Galeries Rhodaniennes - Entrepôt"_s);
        QCOMPARE(bon.expedition.liVille, u"Vénissieux"_s);
        QCOMPARE(bon.commandes.size(), 2);
        QCOMPARE(bon.commandes[0].noCommande, u"BC00103"_s);
        QCOMPARE(bon.commandes[1].reference, u"NOEL COFFRETS"_s);

        const DonneesEtat sansLieu = ListeArticle(base, 900);
        QCOMPARE(sansLieu.expedition.libelle1, u"Essai"_s);
        QVERIFY(sansLieu.expedition.liIntitule.isEmpty());
        QVERIFY(sansLieu.expedition.liPays.isEmpty());
        QCOMPARE(sansLieu.articles.size(), 2);
        QCOMPARE(sansLieu.articles[0].codeBarres, u"0049876500122"_s);
        QCOMPARE(sansLieu.articles[0].qteCde.toInt(), 6);
        QCOMPARE(sansLieu.articles[1].qteCde.toInt(), 5);

        // The components of the gift box stay out, the box itself is in.
        QStringList codes;
        for (const ArticleCommande& a : ListeArticle(base, 102).articles)
            codes << a.codeBarres + u'=' + a.qteCde.toString();
        QCOMPARE(codes,
                 QStringList({u"3760987650021=4"_s, u"3760987650045=2"_s, u"3760987650304=6"_s,
                              u"3760987650311=6"_s, u"3760987650328=6"_s, u"3760987650403=3"_s,
                              u"3760987650410=2"_s}));

        const DonneesEtat colisage = ColisageExp(base, 102);
        QCOMPARE(colisage.colis.size(), 2);
        QCOMPARE(colisage.colis[0].contenu.size(), 3);
        QCOMPARE(colisage.colis[0].poids.toDouble(), 3.2);
        QVERIFY(colisage.colis[1].poids.isNull());
        QCOMPARE(colisage.colis[1].contenu[1].codeBarres, u"3760987650045"_s);
        QCOMPARE(colisage.colis[1].contenu[1].quantite, 2);
        QVERIFY(colisage.societe);
        QVERIFY(!QImage::fromData(colisage.societe->logo).isNull());

        // A bar code Sage does not know is left out of the packing list.
        const DonneesEtat inconnu = ColisageExp(base, 900);
        QCOMPARE(inconnu.colis.size(), 1);
        QCOMPARE(inconnu.colis[0].contenu.size(), 1);
        QCOMPARE(inconnu.colis[0].contenu[0].libelle, u"Set de table enduit"_s);

        const DonneesEtat controle = EtatControleArt(base, 102);
        QVERIFY(!controle.controleArt.isEmpty());
        for (const LigneControleArt& l : controle.controleArt)
            QCOMPARE(l.controle,
                     l.qteCommandee == l.qteExpediee ? u"OK"_s : u"Quantité incorrecte"_s);

        QVERIFY_THROWS_EXCEPTION(ErreurTarvo, BonExp(base, 4242));
        QVERIFY(BonExp(base, 103).commandes.size() == 1);
    }

    // The rows of the range control, whichever way the statements go.
    void preparationGamme_data() { voies(); }
    void preparationGamme() {
        QFETCH(VoieDeTest, voie);
        BaseDeTest t;
        t.creerBase(true);
        // Tablecloth colours ordered 5, 5, 0 and shipped 5, 4, 1; napkins
        // ordered 7 and shipped 5; an article without range, and 40,000
        // pieces of one colour, beyond 16 bits.
        ajouterExpeditionTest(
            t, QStringLiteral(
                   "INSERT INTO F_DOCLIGNE (DO_Type, DO_Piece, DL_Ligne, AR_Ref, AG_No1, DL_Qte, "
                   "DL_QtePL) VALUES (1, 'BT001', 1, 'NAPPE160', 11, 5, 5), "
                   "(1, 'BT001', 2, 'NAPPE160', 12, 5, 5), (1, 'BT001', 3, 'NAPPE160', 13, 0, 0), "
                   "(1, 'BT001', 4, 'SERV45', 21, 7, 7), (1, 'BT001', 5, 'TABLIER', 0, 2, 2), "
                   "(1, 'BT001', 6, 'TORCH50', 31, 40000, 40000);"
                   "INSERT INTO Colisage ([No Expédition], [No Colis], [Code barres Article], "
                   "[Quantité]) VALUES (900, 1, '3760987650106', 5), (900, 1, '3760987650113', 4), "
                   "(900, 2, '3760987650120', 1), (900, 2, '3760987650205', 5), "
                   "(900, 2, '3760987650021', 2), (900, 3, '3760987650304', 40000);"));
        QVERIFY(t.prendre(voie));
        db::Base base(t.ctx->cnx.get());
        const QStringList attendu = {
            u"3760987650106|Nappe coton 160x250 - Blanc|5|5|OK|0"_s,
            u"3760987650120|Nappe coton 160x250 - Bleu ardoise|0|1|Quantité incorrecte|1"_s,
            u"3760987650113|Nappe coton 160x250 - Lin naturel|5|4|Quantité incorrecte|-1"_s,
            u"|S/T|10|10|OK|0"_s,
            u"3760987650205|Serviette de table 45x45 - Blanc|7|5|Quantité incorrecte|-2"_s,
            u"|S/T|7|5|Quantité incorrecte|-2"_s,
            u"3760987650021|Tablier de cuisine coton|2|2|OK|0"_s,
            u"3760987650304|Torchon métis 50x75 - Rouge|40000|40000|OK|0"_s,
            u"|S/T|40000|40000|OK|0"_s,
        };
        // Two report connections, two numbers: each prepares under its own.
        Connexion premiere(u"ConxReportA"_s), seconde(u"ConxReportB"_s);
        premiere.ouvrir(t.ctx->cnx->parametres());
        seconde.ouvrir(t.ctx->cnx->parametres());
        const qint32 a = premiere.spid();
        const qint32 b = seconde.spid();
        QVERIFY(a != b);
        QVERIFY(prepaEtatControleQteGamme_old(*t.ctx, base, 900, a));
        QCOMPARE(lignesGamme(base, 900, a), attendu);
        // Again on the same connection: the same lines, not twice as many.
        QVERIFY(prepaEtatControleQteGamme_old(*t.ctx, base, 900, a));
        QCOMPARE(lignesGamme(base, 900, a), attendu);
        // Another connection preparing another shipment leaves them alone.
        QVERIFY(prepaEtatControleQteGamme_old(*t.ctx, base, 102, b));
        QCOMPARE(lignesGamme(base, 900, a), attendu);
        QVERIFY(lignesGamme(base, 900, b).isEmpty());
        QVERIFY(!lignesGamme(base, 102, b).isEmpty());
        QVERIFY(t.prompts.boites.isEmpty());

        const QString debug = QString::fromLatin1(t.lireFichier(FichierDebug));
        QVERIFY(dansLOrdre(debug, {u"prepaEtatControleQteGamme SPID=%1 NoExp=900"_s.arg(a),
                                   u"apres delete from w_controle_qte_gamme where SPID=%1"_s.arg(a),
                                   u"Debut boucle rsV"_s, u"rsV #1    NAPPE160"_s,
                                   u"rsV #7    TORCH50"_s, u"Fin boucle rsV"_s}));
    }

    // Quantities by the metre are summed exactly and printed the French
    // way; two articles of the same description keep their own lines and
    // subtotal, whatever the order of their colours.
    void gammeDecimalesEtHomonymes_data() { voies(); }
    void gammeDecimalesEtHomonymes() {
        QFETCH(VoieDeTest, voie);
        if (voie.odbc)
            QSKIP("Le pilote ODBC SQLite annonce entières les sommes calculées du contrôle de "
                  "gamme : 2,5 y est lu 2 (le serveur type ses colonnes).");
        BaseDeTest t;
        t.creerBase(true);
        ajouterExpeditionTest(
            t,
            QStringLiteral(
                "INSERT INTO F_ARTICLE (AR_Ref, AR_Design, AR_Gamme1) VALUES "
                "('HOMA', 'Drap homonyme', 1), ('HOMB', 'Drap homonyme', 1), "
                "('METRE', 'Toile au mètre', 1);"
                "INSERT INTO F_ARTGAMME (AG_No, AR_Ref, EG_Enumere) VALUES (901, 'HOMA', 'Blanc'), "
                "(902, 'HOMA', 'Rouge'), (903, 'HOMB', 'Bleu'), (904, 'HOMB', 'Vert'), "
                "(905, 'METRE', 'Ecru'), (906, 'METRE', 'Gris');"
                "INSERT INTO F_ARTENUMREF (AR_Ref, AG_No1, AE_CodeBarre) VALUES "
                "('HOMA', 901, '9000000000901'), ('HOMA', 902, '9000000000902'), "
                "('HOMB', 903, '9000000000903'), ('HOMB', 904, '9000000000904'), "
                "('METRE', 905, '9000000000905'), ('METRE', 906, '9000000000906');"
                "INSERT INTO F_DOCLIGNE (DO_Type, DO_Piece, DL_Ligne, AR_Ref, AG_No1, DL_Qte, "
                "DL_QtePL) VALUES (1, 'BT001', 1, 'HOMA', 901, 1, 1), "
                "(1, 'BT001', 2, 'HOMA', 902, 1, 1), (1, 'BT001', 3, 'HOMB', 903, 1, 1), "
                "(1, 'BT001', 4, 'HOMB', 904, 1, 1), (1, 'BT001', 5, 'METRE', 905, 2.5, 2.5), "
                "(1, 'BT001', 6, 'METRE', 906, 1.5, 1.5);"
                "INSERT INTO Colisage ([No Expédition], [No Colis], [Code barres Article], "
                "[Quantité]) VALUES (900, 1, '9000000000901', 1), (900, 1, '9000000000902', 1), "
                "(900, 1, '9000000000903', 1), (900, 1, '9000000000904', 1), "
                "(900, 1, '9000000000905', 2), (900, 1, '9000000000906', 2);"));
        QVERIFY(t.prendre(voie));
        db::Base base(t.ctx->cnx.get());
        QVERIFY(prepaEtatControleQteGamme_old(*t.ctx, base, 900, 7));
        QCOMPARE(
            lignesGamme(base, 900, 7),
            QStringList({u"9000000000901|Drap homonyme - Blanc|1|1|OK|0"_s,
                         u"9000000000902|Drap homonyme - Rouge|1|1|OK|0"_s, u"|S/T|2|2|OK|0"_s,
                         u"9000000000903|Drap homonyme - Bleu|1|1|OK|0"_s,
                         u"9000000000904|Drap homonyme - Vert|1|1|OK|0"_s, u"|S/T|2|2|OK|0"_s,
                         u"9000000000905|Toile au mètre - Ecru|2.5|2|Quantité incorrecte|-0.5"_s,
                         u"9000000000906|Toile au mètre - Gris|1.5|2|Quantité incorrecte|0.5"_s,
                         u"|S/T|4|4|OK|0"_s}));
        QStringList textes;
        const Document d =
            mettreEnPage(modeleEtat(Etat::EtatControleExpGamme, EtatControleArtGamme(base, 900, 7),
                                    QImage(), QDateTime::currentDateTime()));
        for (const Element& e : d.pages.first().elements)
            textes << e.texte;
        QVERIFY(dansLOrdre(textes.join(u'|'),
                           {u"Toile au mètre - Ecru|2,5|2|Quantité incorrecte|-0,5"_s,
                            u"Toile au mètre - Gris|1,5|2|Quantité incorrecte|0,5"_s,
                            u"S/T|4|4|OK|0"_s}));
    }

    // On the embedded database a report connection's number never comes
    // back: its work rows go once its report has read them, and the rows
    // another workstation is preparing stay.
    void lignesDeTravailRetirees() {
        BaseDeTest t;
        t.creerBase(true);
        db::Base base(t.ctx->cnx.get());
        QVERIFY(prepaEtatControleQteGamme_old(*t.ctx, base, 102, 999));
        const qsizetype autres = lignesGamme(base, 102, 999).size();
        QVERIFY(autres > 0);
        const auto lignes = [&] {
            db::Requete r = base.preparer(
                db::TexteSql{u"SELECT COUNT(*), SUM(SPID = 999) FROM w_controle_qte_gamme"_s});
            r.suivante();
            return std::pair{r.entier(0), r.entier(1)};
        };
        for (int fois = 0; fois < 2; ++fois) {
            QStringList textes;
            QVERIFY(EditerEtat(*t.ctx, Etat::EtatControleExpGamme, 102, [&](const Document& d) {
                for (const Element& e : d.pages.first().elements)
                    textes << e.texte;
            }));
            QCOMPARE(textes.count(u"S/T"_s), 2);
            QCOMPARE(lignes(), std::pair(static_cast<qint64>(autres), static_cast<qint64>(autres)));
        }
        QVERIFY(t.prompts.boites.isEmpty());
    }

    // The progress lines of the two reports that trace themselves. Then a
    // failed statement is logged and shown once, and no report follows: the
    // rows of an earlier preparation are never printed as this one's.
    void journalDebugEtPreparationEnEchec() {
        BaseDeTest t;
        t.creerBase(true);
        bool montre = false;
        const auto montrer = [&](const Document&) { montre = true; };
        QVERIFY(EditerEtat(*t.ctx, Etat::ColisageExp, 101, montrer));
        QVERIFY(EditerEtat(*t.ctx, Etat::EtatControleExpGamme, 102, montrer));
        QVERIFY(montre);
        QVERIFY(t.prompts.boites.isEmpty());
        QVERIFY(dansLOrdre(
            QString::fromLatin1(t.lireFichier(FichierDebug)),
            {u"13:42:25 mnuEdListeColisage \r\n"_s, u"appel DataEnvEd.ColisageExp exp=101"_s,
             u"appel refresh"_s, u"appel show"_s, u"appel close"_s, u"EdListeColisage fin"_s,
             u"prepaEtatControleQteGamme SPID="_s, u"Fin boucle rsV"_s,
             u"prepaEtatControleQteGamme ok"_s, u"Apres DataEnvEd.EtatControleArtGamme 102"_s,
             u"Apres EtatControleExpGamme.Refresh"_s, u"Apres EtatControleExpGamme.Show"_s,
             u"13:42:25 \r\n"_s}));

        db::Base(t.ctx->cnx.get())
            .executerScript(
                db::TexteSql{u"ALTER TABLE w_controle_qte_gamme RENAME TO w_controle_ancien;"_s});
        montre = false;
        QVERIFY(!EditerEtat(*t.ctx, Etat::EtatControleExpGamme, 102, montrer));
        QVERIFY(!montre);
        QCOMPARE(t.prompts.boites.size(), 1);
        const QString erreurs = QString::fromLatin1(t.lireFichier(FichierErreurs));
        QCOMPARE(erreurs.count(u'\n'), 1);
        QVERIFY(erreurs.contains(
            u"Erreur lors de l'exécution de delete from w_controle_qte_gamme where SPID="_s));
        QVERIFY(t.prompts.boites[0].texte.startsWith(
            u"Erreur lors de l'exécution de delete from w_controle_qte_gamme"_s));
        QVERIFY(t.prompts.boites[0].texte.contains(u"no such table"_s));
        QCOMPARE(t.prompts.boites[0].icone, Prompts::Icone::Aucune);
        QVERIFY(!QString::fromLatin1(t.lireFichier(FichierDebug))
                     .endsWith(u"prepaEtatControleQteGamme ok\r\n"_s));
    }

    // Without a selected shipment each report names its report and command.
    void sansExpeditionSelectionnee_data() {
        QTest::addColumn<Etat>("etat");
        QTest::addColumn<QString>("nomEtat");
        QTest::addColumn<QString>("commande");
        for (const DescriptionEtat& d : descriptionsEtats())
            QTest::newRow(qPrintable(d.nomCtl)) << d.etat << d.nomEtat << d.commande;
    }
    void sansExpeditionSelectionnee() {
        QFETCH(Etat, etat);
        QFETCH(QString, nomEtat);
        QFETCH(QString, commande);
        BaseDeTest t;
        t.creerBase(true);
        QVERIFY(!EditerEtat(*t.ctx, etat, std::nullopt,
                            [](const Document&) { QFAIL("Aucun état ne doit être montré."); }));
        QCOMPARE(t.prompts.boites.size(), 1);
        QCOMPARE(t.prompts.boites[0].icone, Prompts::Icone::Critique);
        QVERIFY(t.prompts.boites[0].texte.startsWith(
            u"Problème de connexion lors du calcul de l'état "_s + nomEtat +
            u"\r\nErreur n° : "_s));
        const QString erreurs = QString::fromLatin1(t.lireFichier(FichierErreurs));
        QVERIFY(dansLOrdre(erreurs, {u" Erreur lors du calcul du l'état "_s + nomEtat,
                                     u"Nb Erreur : 0"_s, u"DataEnv command     : "_s + commande,
                                     u"DataEnv CommandText : SELECT"_s, u"---------------"_s}));
        QVERIFY(!t.ctx->conxReport->estOuverte());
    }

    // Pages: headers on every page, a band never split, "Page n/N", a
    // group's heading repeated where it goes on, a text too wide wrapped.
    void miseEnPage() {
        Modele m;
        m.titre = u"Essai"_s;
        m.dateEdition = u"19/04/2012"_s;
        m.enTeteEtat = Bande(100).texte(0, 0, 200, 20, u"En-tête d'état"_s);
        m.enTetePage = Bande(30).texte(0, 0, 200, 20, u"Titre de page"_s);
        m.suites << QList<Bande>{Bande(15).texte(0, 0, 200, 13, u"Colonnes"_s)};
        for (int i = 1; i <= 100; ++i) {
            Bande b(i % 10 == 0 ? 40 : 13);
            b.texte(0, 0, 200, 13, u"Ligne %1"_s.arg(i));
            b.texte(0, b.hauteur() - 13, 200, 13, u"Fin %1"_s.arg(i));
            b.suite = 0;
            m.corps << b;
        }
        // Wider than its box: wraps, grows its band and pushes down what is
        // under it, here the line and the text below.
        Bande large(30);
        large.texte(0, 0, 400, 13, u"x"_s.repeated(500));
        large.trait(0, 14, 400, 14);
        large.texte(0, 16, 400, 13, u"Dessous"_s);
        QVERIFY(large.hauteur() > 30 + 3 * 10);
        QVERIFY(large.elements()[2].rect.top() >= large.elements()[0].rect.bottom());
        // A text no order holds, a whole book pasted in a label, is cut
        // with a mark instead of being laid out over pages.
        Bande livre(13);
        livre.texte(0, 0, 400, 13, u"mot "_s.repeated(25000));
        const QString coupe = QString(livre.elements()[0].texte).remove(u'\n').remove(u' ');
        QCOMPARE(coupe, u"mot"_s.repeated(250) + u"[…]"_s);
        QVERIFY(livre.hauteur() < HauteurPage / 2);
        // Never half a character.
        Bande colis(13);
        colis.texte(0, 0, 400, 13, u"a"_s + u"\U0001F4E6"_s.repeated(600));
        const QString emoji = QString(colis.elements()[0].texte).remove(u'\n').remove(u' ');
        QVERIFY(emoji.endsWith(u"\U0001F4E6[…]"_s));
        QCOMPARE(QString::fromUtf8(emoji.toUtf8()), emoji);
        QCOMPARE(large.elements()[1].rect.top(), large.elements()[0].rect.bottom() - 13 + 14);
        m.corps << large;
        const Document d = mettreEnPage(m);
        QCOMPARE(d.pages.size(), 3);
        for (qsizetype p = 0; p < d.pages.size(); ++p) {
            QStringList textes;
            for (const Element& e : d.pages[p].elements) {
                textes << e.texte;
                QVERIFY(e.rect.bottom() <= HauteurPage - Marge + 0.01);
            }
            QCOMPARE(textes.contains(u"En-tête d'état"_s), p == 0);
            QCOMPARE(textes.contains(u"Colonnes"_s), p > 0);
            QVERIFY(textes.contains(u"Titre de page"_s));
            QVERIFY(textes.contains(u"Page %1/3"_s.arg(p + 1)));
            // Each band's first and last text on the same page.
            for (const QString& texte : textes)
                if (texte.startsWith(u"Ligne "_s))
                    QVERIFY(textes.contains(u"Fin "_s + texte.mid(6)));
        }

        const QString pdf = QDir(QDir::tempPath()).filePath(u"tarvo-pages.pdf"_s);
        ecrirePdf(d, pdf);
        QCOMPARE(pagesPdf(pdf), 3);
        const QString texte = textePdf(pdf);
        QVERIFY(dansLOrdre(texte, {u"En-tête d'état"_s, u"Ligne 1"_s, u"Page 1/3"_s, u"Colonnes"_s,
                                   u"Page 2/3"_s, u"Colonnes"_s, u"Ligne 100"_s, u"Fin 100"_s,
                                   u"xxx"_s, u"Dessous"_s, u"Page 3/3"_s}));
        QCOMPARE(texte.count(u'x'), 500);
        QVERIFY(!texte.contains(u"…"_s));
    }

    // The packing list over many pages, the breaks falling at every place
    // of its parcels: a parcel that goes on to a page says so there with
    // its number and the column headings, a total never opens a page alone,
    // a heading never ends one, and the first page is never empty.
    void colisageSurPlusieursPages() {
        for (int avant = 1; avant <= 70; avant += 3) {
            DonneesEtat d;
            d.expedition.noExpedition = 900;
            for (int n = 1; n <= 6; ++n) {
                ColisExp c;
                c.noColis = n;
                c.poids = 1.5;
                const int lignes = n == 1 ? avant : (n == 4 ? 90 : n);
                for (int l = 1; l <= lignes; ++l)
                    c.contenu.append({u"C%1-L%2"_s.arg(n).arg(l), u"Article"_s, 1});
                d.colis << c;
            }
            const Document doc = mettreEnPage(
                modeleEtat(Etat::ColisageExp, d, QImage(), QDateTime::currentDateTime()));
            QVERIFY(doc.pages.size() >= 3);
            int colis = 0;
            for (qsizetype p = 0; p < doc.pages.size(); ++p) {
                QStringList textes;
                for (const Element& e : doc.pages[p].elements)
                    if (!e.texte.isEmpty())
                        textes << e.texte;
                // The body: after the page title, before the page footer.
                const qsizetype debut = textes.indexOf(u"Liste de colisage / Packing list"_s) + 1;
                const qsizetype fin = textes.indexOf(
                    u"Edité le : "_s + QDate::currentDate().toString(u"dd/MM/yyyy"_s));
                QVERIFY(debut > 0 && fin > debut);
                const QStringList corps = textes.mid(debut, fin - debut);
                if (p == 0)
                    QVERIFY(corps.contains(u"No Expédition:"_s));
                else
                    QVERIFY2(corps.first() == u"No Colis:"_s || corps.first() == u"Tare:"_s,
                             qPrintable(corps.join(u'|')));
                QVERIFY2(corps.last() != u"Qté Livrée"_s && corps.last() != u"kg"_s,
                         qPrintable(u"avant %1, page %2"_s.arg(avant).arg(p + 1)));
                bool ligneSurLaPage = false;
                for (qsizetype i = 0; i < corps.size(); ++i) {
                    if (corps[i] == u"No Colis:"_s) {
                        colis = corps.value(i + 1).toInt();
                        QCOMPARE(corps.value(i + 5), u"Code barres"_s);
                    } else if (corps[i].startsWith(u'C') && corps[i].contains(u"-L"_s)) {
                        // Under the heading of its own parcel.
                        QCOMPARE(corps[i].section(u'-', 0, 0).mid(1).toInt(), colis);
                        ligneSurLaPage = true;
                    } else if (corps[i] == u"Total article colis :"_s) {
                        QVERIFY(ligneSurLaPage);
                    }
                }
            }
        }
    }

    // The control by bar code over pages: the headings repeated, and a
    // subtotal always under the last line of its article.
    void controleSurPlusieursPages() {
        DonneesEtat d;
        d.expedition.noExpedition = 900;
        for (int a = 1; a <= 40; ++a) {
            for (int c = 1; c <= 3; ++c)
                d.controleGamme.append(
                    {u"A%1-%2"_s.arg(a).arg(c), u"Article"_s, u"1"_s, u"1"_s, u"OK"_s, 0});
            d.controleGamme.append({QString(), u"S/T"_s, u"3"_s, u"3"_s, u"OK"_s, 0});
        }
        const Document doc = mettreEnPage(
            modeleEtat(Etat::EtatControleExpGamme, d, QImage(), QDateTime::currentDateTime()));
        QVERIFY(doc.pages.size() >= 3);
        for (qsizetype p = 1; p < doc.pages.size(); ++p) {
            QStringList textes;
            for (const Element& e : doc.pages[p].elements)
                textes << e.texte;
            const qsizetype colonnes = textes.indexOf(u"Code Barre"_s);
            QVERIFY(colonnes > 0);
            const qsizetype st = textes.indexOf(u"S/T"_s);
            const qsizetype ligne = textes.indexOf(QRegularExpression(u"^A\\d+-\\d$"_s));
            QVERIFY(ligne > colonnes);
            QVERIFY(st < 0 || ligne < st);
        }
    }
};

QTEST_MAIN(TestEditions)
#include "test_editions.moc"
