// The preparation follow-up: its figures against the range control report's,
// the state rule, the weight check, the tolerance, the poll's mark, the
// commands and the schema step that brings the weights.
#include "BaseDeTest.h"
#include "Tarvoctl.h"
#include "base/Erreur.h"
#include "db/Base.h"
#include "db/Connexion.h"
#include "db/Schema.h"
#include "db/TexteSql.h"
#include "reports/DonneesEtat.h"
#include "reports/PrepaControleGamme.h"
#include "suivi/ControlePoids.h"
#include "suivi/ExportSuivi.h"
#include "suivi/LignesExpedition.h"
#include "suivi/ListeSuivi.h"
#include "suivi/Suivi.h"

#include <QRegularExpression>
#include <QTest>

using namespace tarvo;
using namespace tarvo::test;
using namespace Qt::StringLiterals;

namespace {

const QString CodeCoussin = u"3760987650014"_s; // 0,14 kg
const QString CodeTablier = u"3760987650021"_s; // 0,2 kg
const QString CodeManique = u"3760987650038"_s; // 0,08 kg, never ordered below

void executer(BaseDeTest& t, const QString& script) {
    db::Base(t.ctx->cnx.get()).executerScript(db::TexteSql{script});
}

// Shipment 900 with order BT900: 4 cushion covers and 2 aprons.
void expedition900(BaseDeTest& t) {
    executer(t,
             u"INSERT INTO [Expédition] ([No Expédition], [Libellé 1], "
             "[Nbr colis théorique]) VALUES (900, 'Essai; suivi', 2);"
             "INSERT INTO [Liste commandes] ([No Expédition], [No commande SAGE]) "
             "VALUES (900, 'BT900');"
             "INSERT INTO F_DOCLIGNE (DO_Type, DO_Piece, DL_Ligne, AR_Ref, DL_Qte, DL_QtePL) "
             "VALUES (1, 'BT900', 1000, 'COUSS40', 4, 4), (1, 'BT900', 2000, 'TABLIER', 2, 2);"_s);
}

void colis(BaseDeTest& t, int numero, const QVariant& poids) {
    executer(t, u"INSERT INTO Colis ([No Expédition], [No Colis], [Poids colis]) "
                "VALUES (900, %1, %2);"_s.arg(numero)
                    .arg(poids.isValid() ? poids.toString() : u"NULL"_s));
}

void contenu(BaseDeTest& t, int numero, const QString& code, int quantite) {
    executer(t, u"INSERT INTO Colisage ([No Expédition], [No Colis], [Code barres Article], "
                "Quantité) VALUES (900, %1, '%2', %3);"_s.arg(numero)
                    .arg(code)
                    .arg(quantite));
}

std::optional<suivi::LigneSuivi> ligne(BaseDeTest& t, qint32 noExp, bool closes = false) {
    for (const suivi::LigneSuivi& l : suivi::LireSuivi(db::Base(t.ctx->cnx.get()), closes, 10))
        if (l.noExpedition == noExp)
            return l;
    return std::nullopt;
}

} // namespace

class TestSuivi : public QObject {
    Q_OBJECT

    void moteurs() {
        QTest::addColumn<VoieDeTest>("voie");
        for (const VoieDeTest& voie : VoiesDesMoteurs())
            QTest::newRow(voie.serveur ? "serveur" : "embarquée") << voie;
    }

private slots:
    // Ordered and prepared per line, and their sums, are the range control
    // report's, on every demo shipment.
    void chiffresDuControle_data() { moteurs(); }
    void chiffresDuControle() {
        QFETCH(VoieDeTest, voie);
        BaseDeTest t;
        t.creerBase(true);
        expedition900(t);
        colis(t, 1, 1.0);
        contenu(t, 1, CodeCoussin, 5);
        contenu(t, 1, CodeManique, 1);
        QVERIFY(t.prendre(voie));
        const db::Base base(t.ctx->cnx.get());
        const QList<suivi::LigneSuivi> suivi = suivi::LireSuivi(base, true, 10);
        QVERIFY(suivi.size() >= 4);
        qint32 spid = 70;
        for (const suivi::LigneSuivi& s : suivi) {
            db::Base travail(t.ctx->cnx.get());
            QVERIFY(
                editions::prepaEtatControleQteGamme_old(*t.ctx, travail, s.noExpedition, ++spid));
            QStringList attendu;
            qint64 commande = 0, prepare = 0, ecarts = 0, lignes = 0;
            for (const editions::LigneControleGamme& g :
                 editions::EtatControleArtGamme(base, s.noExpedition, spid).controleGamme) {
                if (g.codeBarre.isEmpty())
                    continue; // a subtotal
                attendu << u"%1|%2|%3"_s.arg(g.codeBarre, g.qteCde.toString(), g.qteExp.toString());
                commande += g.qteCde.toLongLong();
                prepare += g.qteExp.toLongLong();
                ecarts += g.controle != u"OK"_s;
                ++lignes;
            }
            QStringList lu;
            for (const suivi::LigneArticle& a :
                 suivi::LignesDeLExpedition(base, s.noExpedition, 10).lignes)
                lu << u"%1|%2|%3"_s.arg(a.codeBarres).arg(a.qteCommandee).arg(a.qtePreparee);
            attendu.sort();
            lu.sort();
            QCOMPARE(lu, attendu);
            QCOMPARE(s.qteCommandee, commande);
            QCOMPARE(s.qtePreparee, prepare);
            QCOMPARE(s.lignesEnEcart, ecarts);
            QCOMPARE(s.lignes, lignes);
        }
    }

    void etats_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("etat");
        QTest::newRow("rien de préparé") << u""_s << u"Non commencée"_s;
        QTest::newRow("colis vide pesé") << u"C1=0.5"_s << u"Non commencée"_s;
        QTest::newRow("en partie") << u"C1=1;1:coussin=2"_s << u"En cours"_s;
        QTest::newRow("complète") << u"C1=0.96;1:coussin=4;1:tablier=2"_s << u"Complète"_s;
        // 2 kg where 0,96 kg are expected: done, but not to be sent as it is.
        QTest::newRow("complète, colis suspect")
            << u"C1=2;1:coussin=4;1:tablier=2"_s << u"Complète, colis suspects"_s;
        QTest::newRow("un colis non pesé")
            << u"C1=0.96;C2;1:coussin=4;2:tablier=2"_s << u"En cours"_s;
        QTest::newRow("aucun colis pesé") << u"C1;1:coussin=4;1:tablier=2"_s << u"En cours"_s;
        QTest::newRow("trop préparé") << u"C1=1;1:coussin=5;1:tablier=2"_s << u"Écart"_s;
        QTest::newRow("préparé sans commande") << u"C1=1;1:coussin=1;1:manique=1"_s << u"Écart"_s;
        QTest::newRow("close") << u"C1=0.96;1:coussin=4;1:tablier=2;close"_s << u"Close"_s;
    }

    // The state rule, each state from the data that makes it.
    void etats() {
        QFETCH(QString, script);
        QFETCH(QString, etat);
        BaseDeTest t;
        t.creerBase(true);
        expedition900(t);
        const QMap<QString, QString> codes{
            {u"coussin"_s, CodeCoussin}, {u"tablier"_s, CodeTablier}, {u"manique"_s, CodeManique}};
        bool close = false;
        for (const QString& pas : script.split(u';', Qt::SkipEmptyParts)) {
            if (pas == u"close"_s) {
                executer(t, u"UPDATE [Expédition] SET [Date cloture] = '2026-12-07 00:00:00' "
                            "WHERE [No Expédition] = 900;"_s);
                close = true;
            } else if (pas.startsWith(u'C')) {
                const QStringList p = pas.mid(1).split(u'=');
                colis(t, p.at(0).toInt(), p.size() > 1 ? QVariant(p.at(1)) : QVariant());
            } else {
                const QStringList p = pas.split(QRegularExpression(u"[:=]"_s));
                contenu(t, p.at(0).toInt(), codes.value(p.at(1)), p.at(2).toInt());
            }
        }
        QCOMPARE(ligne(t, 900).has_value(), !close);
        const std::optional<suivi::LigneSuivi> l = ligne(t, 900, true);
        QVERIFY(l);
        QCOMPARE(suivi::texteEtat(l->etat), etat);
        QCOMPARE(suivi::TextesLigne(*l).at(suivi::RangColonne(suivi::ColonneSuivi::Etat)), etat);
    }

    // One weighed parcel per verdict; the follow-up counts the suspects the
    // check finds, and the lines view lists them.
    void controlePoids_data() { moteurs(); }
    void controlePoids() {
        QFETCH(VoieDeTest, voie);
        BaseDeTest t;
        t.creerBase(true);
        expedition900(t);
        // 4 × 0,14 + 2 × 0,2 = 0,96 kg expected in each of parcels 1 to 3.
        for (int c = 1; c <= 3; ++c) {
            contenu(t, c, CodeCoussin, 4);
            contenu(t, c, CodeTablier, 2);
        }
        colis(t, 1, 1.056); // +10 %: the bound, still OK
        colis(t, 2, 1.057); // beyond
        colis(t, 3, 0.86);  // -10,4 %
        colis(t, 4, 2.5);   // an article unknown to Sage
        contenu(t, 4, u"9999999999994"_s, 1);
        contenu(t, 4, CodeCoussin, 1);
        colis(t, 5, QVariant()); // not weighed: not listed
        contenu(t, 5, CodeCoussin, 1);
        colis(t, 6, 0.3); // weighed and empty
        QVERIFY(t.prendre(voie));
        const db::Base base(t.ctx->cnx.get());
        QStringList lignes{suivi::EnTeteControlePoids()};
        for (const suivi::ColisControle& c : suivi::ControlerPoids(base, 900, 10))
            lignes << suivi::TexteColisControle(c);
        QCOMPARE(lignes, (QStringList{u"No Colis;Poids pesé;Poids attendu;Écart %;État"_s,
                                      u"1;1,056;0,96;10;OK"_s, u"2;1,057;0,96;10,1;Suspect"_s,
                                      u"3;0,86;0,96;-10,4;Suspect"_s, u"4;2,5;;;Non contrôlable"_s,
                                      u"6;0,3;;;Non contrôlable"_s}));
        QCOMPARE(ligne(t, 900)->colisSuspects, 2);
        QCOMPARE(suivi::LireSuivi(base, false, 10.2).constLast().colisSuspects, 1);
        const suivi::DetailExpedition detail = suivi::LignesDeLExpedition(base, 900, 10);
        QCOMPARE(detail.colisSuspects.size(), 2);
        QCOMPARE(detail.colisSuspects.at(1).noColis, 3);
        QCOMPARE(suivi::EtatDuColis(1.2, 1.0, 1, 0, 20), suivi::EtatPoids::OK);
        QCOMPARE(suivi::EtatDuColis(1.2, 1.0, 1, 0, 19.9), suivi::EtatPoids::Suspect);
    }

    // Weights in another unit are read in kilograms.
    void unitesDePoids() {
        BaseDeTest t;
        t.creerBase(true);
        expedition900(t);
        executer(t, u"UPDATE F_ARTICLE SET AR_PoidsBrut = 140, AR_UnitePoids = 3 "
                    "WHERE AR_Ref = 'COUSS40';"_s);
        contenu(t, 1, CodeCoussin, 2);
        colis(t, 1, 0.28);
        const QList<suivi::ColisControle> c =
            suivi::ControlerPoids(db::Base(t.ctx->cnx.get()), 900, 10);
        QCOMPARE(c.size(), 1);
        QCOMPARE(*c.at(0).poidsAttendu, 0.28);
        QCOMPARE(c.at(0).etat, suivi::EtatPoids::OK);
    }

    void tolerance() {
        BaseDeTest t;
        QCOMPARE(suivi::TolerancePoids(*t.ctx), 10.0);
        const QByteArray ini = iniParDefaut(t.dossier.path());
        t.ecrireIni(ini + "\r\n[CONTROLE]\r\nTolerancePoids=7,5\r\n");
        QCOMPARE(suivi::TolerancePoids(*t.ctx), 7.5);
        t.ecrireIni(ini + "\r\n[CONTROLE]\r\nTolerancePoids=\r\n");
        QCOMPARE(suivi::TolerancePoids(*t.ctx), 10.0);
        t.ecrireIni(ini + "\r\n[CONTROLE]\r\nTolerancePoids=dix\r\n");
        try {
            suivi::TolerancePoids(*t.ctx);
            QFAIL("Une tolérance illisible a été acceptée");
        } catch (const ErreurTarvo& e) {
            QVERIFY(e.erreur().description.contains(u"« dix »"_s));
        }
    }

    // The totals of the listed rows, and the cells in French.
    void totauxEtTextes() {
        suivi::LigneSuivi a, b;
        a.noExpedition = 1;
        a.qteCommandee = 8;
        a.qtePreparee = 7;
        a.colisScannes = 2;
        a.derniereSaisie = QDateTime(QDate(2026, 12, 7), QTime(9, 5, 1));
        b.qteCommandee = 0;
        b.qtePreparee = 3;
        b.colisScannes = 1;
        const suivi::TotauxSuivi t = suivi::Totaliser({a, b});
        QCOMPARE(t.expeditions, 2);
        QCOMPARE(t.qtePreparee, 10);
        QCOMPARE(t.colisScannes, 3);
        const QStringList totaux = suivi::TextesTotaux(t);
        QCOMPARE(totaux.size(), suivi::ColonnesSuivi().size());
        const int pourcent = suivi::RangColonne(suivi::ColonneSuivi::PourcentPrepare);
        QCOMPARE(totaux.at(pourcent), u"125"_s);
        const QStringList cellules = suivi::TextesLigne(a);
        QCOMPARE(cellules.at(pourcent), u"87,5"_s);
        QCOMPARE(cellules.at(suivi::RangColonne(suivi::ColonneSuivi::DerniereSaisie)),
                 u"07/12/2026 09:05:01"_s);
        QCOMPARE(suivi::TextesLigne(b).at(pourcent), QString());
    }

    // How the window lists the rows read: labels in the French order, ties
    // by number, either way; the filter on one column; the totals of the
    // rows kept; a stop asked drops the answer.
    void listage() {
        QList<suivi::LigneSuivi> lignes;
        const QStringList libelles{u"Zèbre"_s, u"écharpe"_s, u"anneau"_s, u"Écharpe"_s};
        for (int n = 0; n < libelles.size(); ++n) {
            suivi::LigneSuivi l;
            l.noExpedition = 10 + n;
            l.libelle1 = libelles.at(n);
            l.qteCommandee = n;
            lignes << l;
        }
        const int libelle = suivi::RangColonne(suivi::ColonneSuivi::Libelle1);
        const auto numeros = [&lignes](const suivi::ListeSuivi& liste) {
            QList<qint32> n;
            for (const int r : liste.rangs)
                n << lignes.at(r).noExpedition;
            return n;
        };
        suivi::Presentation p{suivi::FiltreSuivi(), libelle, false};
        QCOMPARE(numeros(suivi::Lister(lignes, p)), (QList<qint32>{12, 11, 13, 10}));
        p.descendant = true;
        QCOMPARE(numeros(suivi::Lister(lignes, p)), (QList<qint32>{10, 11, 13, 12}));

        p.filtre = suivi::FiltreSuivi(u"ECHARPE"_s, libelle);
        const suivi::ListeSuivi echarpes = suivi::Lister(lignes, p);
        QCOMPARE(numeros(echarpes), (QList<qint32>{11, 13}));
        QCOMPARE(echarpes.totaux.expeditions, 2);
        QCOMPARE(echarpes.totaux.qteCommandee, 4);
        p.filtre = suivi::FiltreSuivi(u"12"_s, suivi::RangColonne(suivi::ColonneSuivi::Lignes));
        QVERIFY(suivi::Lister(lignes, p).rangs.empty());

        std::stop_source arret;
        arret.request_stop();
        QVERIFY(suivi::Lister(lignes, suivi::Presentation(), arret.get_token()).rangs.empty());
    }

    // The poll's mark moves with every integrated file and every entry
    // journaled, also outside a run, and only then; on both engines.
    void marqueIntegration_data() { moteurs(); }
    void marqueIntegration() {
        QFETCH(VoieDeTest, voie);
        BaseDeTest t;
        t.creerBase();
        QVERIFY(t.prendre(voie));
        const db::Base base(t.ctx->cnx.get());
        const suivi::MarqueIntegration avant = suivi::LireMarqueIntegration(base);
        QCOMPARE(avant.fichiers, 0);
        QCOMPARE(suivi::LireMarqueIntegration(base), avant);
        executer(t, u"INSERT INTO tarvo_integration VALUES ('e', 1, '2026-12-07 10:00:00', "
                    "'a');"_s);
        const suivi::MarqueIntegration apres = suivi::LireMarqueIntegration(base);
        QVERIFY(!(apres == avant));
        QCOMPARE(apres.derniere, QDateTime(QDate(2026, 12, 7), QTime(10, 0)));
        executer(t, u"INSERT INTO [Journal de saisie] ([Code type ligne], [No Expédition]) "
                    "VALUES ('{EXPFA}', 1);"_s);
        const suivi::MarqueIntegration saisie = suivi::LireMarqueIntegration(base);
        QCOMPARE(saisie.fichiers, apres.fichiers);
        QVERIFY(saisie.saisies > apres.saisies);
        QCOMPARE(suivi::LireMarqueIntegration(base), saisie);
    }

    // The three commands, as a shell runs them.
    void commandes() {
        BaseDeTest t;
        t.creerBase(true);
        expedition900(t);
        colis(t, 1, 2.0);
        contenu(t, 1, CodeCoussin, 4);
        const QStringList debut{u"--dir"_s, t.dossier.path(), u"--ignorer-version"_s};
        const QList<suivi::LigneSuivi> lignes =
            suivi::LireSuivi(db::Base(t.ctx->cnx.get()), false, 10);
        t.ctx->cnx.reset();

        ResultatTarvoctl r = lancerTarvoctl(debut + QStringList{u"suivi"_s});
        QCOMPARE(r.statut, 0);
        QStringList sortie = r.sortie.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(sortie, suivi::LignesTexteSuivi(lignes));
        QCOMPARE(sortie.first(),
                 u"No Expédition;État;Libellé 1;Commandes;Lignes;Qté commandée;Qté préparée;"
                 "% préparé;Lignes en écart;Colis théoriques;Colis scannés;Colis pesés;"
                 "Colis suspects;Dernière saisie;Dernière intégration"_s);
        QVERIFY(
            sortie.last().startsWith(u"900;En cours;\"Essai; suivi\";1;2;6;4;66,7;1;2;1;1;1;"_s));

        const QString csv = t.chemin(u"suivi"_s);
        r = lancerTarvoctl(debut + QStringList{u"suivi"_s, u"--closes"_s, u"--csv"_s, csv});
        QCOMPARE(r.statut, 0);
        const QByteArray octets = t.lireFichier(u"suivi.csv"_s);
        QVERIFY(octets.startsWith("\xEF\xBB\xBFNo Expédition;"));
        QVERIFY(octets.contains(";Colis scannés;"));
        QVERIFY(octets.contains("\r\n101;"));

        r = lancerTarvoctl(debut + QStringList{u"controle-poids"_s, u"900"_s});
        QCOMPARE(r.statut, 0);
        QCOMPARE(r.sortie, u"No Colis;Poids pesé;Poids attendu;Écart %;État\n"
                           "1;2;0,56;257,1;Suspect\n"_s);

        r = lancerTarvoctl(debut + QStringList{u"expliquer"_s, u"102"_s, CodeCoussin});
        QCOMPARE(r.statut, 0);
        QVERIFY(r.sortie.endsWith(u"Quantité préparée : 0\n"_s));

        r = lancerTarvoctl(debut + QStringList{u"expliquer"_s, u"7777"_s, CodeCoussin});
        QCOMPARE(r.statut, 1);
        QVERIFY(r.erreurs.contains(u"L'expédition N° 7777 n'existe pas."_s));
    }

    // A schema 5 database gets the weights' columns, the view and the indexes,
    // its articles without a weight.
    void miseAJourVersion6() {
        BaseDeTest t;
        t.creerBase(true);
        executer(t, u"DROP VIEW V_POIDS_ARTICLE; DROP INDEX IX_F_ARTICLE_AR_CodeBarre;"
                    "DROP INDEX IX_F_ARTENUMREF_AE_CodeBarre;"
                    "DROP INDEX [IX_Journal de saisie_Suivi];"
                    "ALTER TABLE F_ARTICLE DROP COLUMN AR_PoidsNet;"
                    "ALTER TABLE F_ARTICLE DROP COLUMN AR_PoidsBrut;"
                    "ALTER TABLE F_ARTICLE DROP COLUMN AR_UnitePoids;"
                    "PRAGMA user_version = 5;"_s);
        db::MettreAJourSchema(*t.ctx->cnx, t.ctx->feedback);
        Connexion& cnx = *t.ctx->cnx;
        const QList<QVariantList> poids =
            rangees(cnx, u"SELECT COUNT(*), COUNT(PoidsBrut) FROM V_POIDS_ARTICLE"_s);
        QCOMPARE(poids.size(), 1);
        QVERIFY(poids[0][0].toInt() > 0);
        QCOMPARE(poids[0][1].toInt(), 0);
        QCOMPARE(nombre(cnx, u"PRAGMA user_version"_s), db::VersionSchema);
        QCOMPARE(nombre(cnx, u"SELECT COUNT(*) FROM sqlite_master WHERE name IN "
                             "('IX_F_ARTICLE_AR_CodeBarre', 'IX_Journal de saisie_Suivi')"_s),
                 2);
    }
};

int executerTestsSuivi(int argc, char** argv) {
    TestSuivi t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_suivi.moc"
