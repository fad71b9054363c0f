// The packing bench: what a scan reads as, a scanner told from a person, and
// entries that are a terminal's own, on both engines and beside a terminal's
// data file.
#include "BaseDeTest.h"
#include "OutilsTerminal.h"
#include "Tarvoctl.h"
#include "colisage/FrappeClavier.h"
#include "colisage/LectureScan.h"
#include "colisage/PosteColisage.h"
#include "db/Base.h"
#include "db/Connexion.h"
#include "suivi/Explication.h"
#include "terminal/IntegData.h"

#include <QRegularExpression>
#include <QTest>

using namespace tarvo;
using namespace tarvo::test;
using namespace Qt::StringLiterals;
using colisage::Scan;
using colisage::Verdict;

namespace {

const QString Coussin = u"3760987650014"_s;
const QString Tablier = u"3760987650021"_s;
// In the article table, in no order of shipment 900.
const QString Manique = u"3760987650038"_s;

// Shipment 900 with order BT900: 4 cushion covers and 2 aprons.
void expedition900(BaseDeTest& t) {
    script(*t.ctx->cnx,
           u"INSERT INTO [Expédition] ([No Expédition], [Libellé 1], [Nbr colis théorique]) "
           "VALUES (900, 'Essai banc', 2);"
           "INSERT INTO [Liste commandes] ([No Expédition], [No commande SAGE]) "
           "VALUES (900, 'BT900');"
           "INSERT INTO F_DOCLIGNE (DO_Type, DO_Piece, DL_Ligne, AR_Ref, DL_Qte, DL_QtePL) "
           "VALUES (1, 'BT900', 1000, 'COUSS40', 4, 4), (1, 'BT900', 2000, 'TABLIER', 2, 2);"_s);
}

struct Banc {
    BaseDeTest& t;
    colisage::PosteColisage poste;
    colisage::Reponse scanner(const QString& ligne, bool forcer = false) {
        db::Base base(t.ctx->cnx.get());
        return colisage::Scanner(base, t.horloge, poste, ligne, forcer);
    }
};

QStringList lignesColisage(BaseDeTest& t) {
    return lignes(*t.ctx->cnx,
                  u"SELECT [No Colis], [Code barres Article], [Quantité], [Date mise à jour] "
                  "FROM Colisage WHERE [No Expédition] = 900 "
                  "ORDER BY [No Colis], [Code barres Article]"_s);
}

QStringList journal(BaseDeTest& t) {
    return lignes(*t.ctx->cnx,
                  u"SELECT [Code type ligne], [No Colis], [Code barres Article], [Quantité], "
                  "[Poids colis], [Date saisie] FROM [Journal de saisie] "
                  "WHERE [No Expédition] = 900 "
                  "ORDER BY [Date saisie], [Code type ligne], [No Colis], [Code barres Article]"_s);
}

} // namespace

class TestColisage : public QObject {
    Q_OBJECT

private slots:
    void lectureDesScans_data() {
        QTest::addColumn<QString>("ligne");
        QTest::addColumn<int>("genre");
        QTest::addColumn<int>("expedition");
        QTest::addColumn<int>("colis");
        QTest::addColumn<QString>("texte");
        const auto g = [](Scan::Genre genre) { return static_cast<int>(genre); };
        QTest::newRow("EAN-13 juste")
            << u" 3760987650014 "_s << g(Scan::Genre::CodeBarres) << 0 << 0 << Coussin;
        QTest::newRow("EAN-13 faux") << u"3760987650015"_s << g(Scan::Genre::Illisible) << 0 << 0
                                     << u"code EAN-13 dont la clé est fausse"_s;
        QTest::newRow("Code 128") << u"ART-12/b"_s << g(Scan::Genre::CodeBarres) << 0 << 0
                                  << u"ART-12/b"_s;
        QTest::newRow("étiquette colis")
            << u"EXP:    12,COLIS:  3"_s << g(Scan::Genre::Expedition) << 12 << 3 << QString();
        QTest::newRow("expédition")
            << u"exp:900"_s << g(Scan::Genre::Expedition) << 900 << 0 << QString();
        QTest::newRow("colis") << u"COLIS:07"_s << g(Scan::Genre::Colis) << 0 << 7 << QString();
        QTest::newRow("colis 99") << u"COLIS:99"_s << g(Scan::Genre::Colis) << 0 << 99 << QString();
        QTest::newRow("colis 100") << u"COLIS:100"_s << g(Scan::Genre::Illisible) << 0 << 0
                                   << u"numéro de colis hors des limites (1 à 99)"_s;
        QTest::newRow("colis 0") << u"COLIS:0"_s << g(Scan::Genre::Illisible) << 0 << 0
                                 << u"numéro de colis hors des limites (1 à 99)"_s;
        QTest::newRow("colis suivant")
            << u"COLIS:+"_s << g(Scan::Genre::ColisSuivant) << 0 << 0 << QString();
        QTest::newRow("marqueur tous") << u"<Tous>"_s << g(Scan::Genre::Illisible) << 0 << 0
                                       << u"code-barres réservé aux terminaux"_s;
        QTest::newRow("marqueur points") << u"...Tous"_s << g(Scan::Genre::Illisible) << 0 << 0
                                         << u"code-barres réservé aux terminaux"_s;
        QTest::newRow("trop long") << QString(51, u'A') << g(Scan::Genre::Illisible) << 0 << 0
                                   << u"code-barres de plus de 50 caractères"_s;
        QTest::newRow("annuler") << u"annuler"_s << g(Scan::Genre::Annulation) << 0 << 0
                                 << QString();
        QTest::newRow("vide") << u"   "_s << g(Scan::Genre::Illisible) << 0 << 0
                              << u"saisie vide"_s;
    }
    void lectureDesScans() {
        QFETCH(QString, ligne);
        QFETCH(int, genre);
        QFETCH(int, expedition);
        QFETCH(int, colis);
        QFETCH(QString, texte);
        const Scan s = colisage::LireScan(ligne);
        QCOMPARE(static_cast<int>(s.genre), genre);
        QCOMPARE(s.expedition, expedition);
        QCOMPARE(s.colis, colis);
        QCOMPARE(s.genre == Scan::Genre::Illisible ? s.motif : s.texte, texte);
    }

    void poids() {
        QCOMPARE(colisage::LireScan(u"POIDS:12,5"_s).poids, 12.5);
        QCOMPARE(colisage::LireScan(u"POIDS: 0.125"_s).poids, 0.125);
        QCOMPARE(colisage::LireScan(u"POIDS:0"_s).motif, u"poids nul"_s);
        QCOMPARE(colisage::LireScan(u"POIDS:1,2,3"_s).motif, u"poids illisible"_s);
        QCOMPARE(colisage::LireScan(u"POIDS:-2"_s).motif, u"poids illisible"_s);
    }

    // A scanner's burst is the scan, what a person typed before it is not;
    // a person's typing, however quick at times, is no scan.
    void frappe() {
        colisage::FrappeClavier f(35, 4);
        qint64 t = 1000;
        const auto taper = [&](const QString& texte, qint64 ecart) {
            for (QChar c : texte)
                f.touche(c, t += ecart);
        };
        taper(u"12"_s, 300);
        t += 500;
        taper(Coussin, 8);
        QCOMPARE(f.entree(t + 8), std::optional<QString>(Coussin));
        taper(u"900"_s, 150);
        QCOMPARE(f.entree(t + 150), std::nullopt);
        // A quick pair of keys, then Enter: a person.
        taper(u"ab"_s, 10);
        QCOMPARE(f.entree(t + 10), std::nullopt);
        // A scan whose Enter comes after a pause was finished by a person.
        taper(Coussin, 5);
        QCOMPARE(f.entree(t + 400), std::nullopt);
        taper(Coussin, 5);
        f.effacer();
        QCOMPARE(f.entree(t + 5), std::nullopt);
    }

    void moteurs_data() {
        QTest::addColumn<VoieDeTest>("voie");
        for (const VoieDeTest& voie : VoiesDesMoteurs())
            QTest::newRow(voie.serveur ? "serveur" : "embarquée") << voie;
    }

    // A packer's session: every scan answered, each accepted one the entry a
    // terminal would make, dated so that scans in the same second all count.
    void seanceDeColisage_data() { moteurs_data(); }
    void seanceDeColisage() {
        QFETCH(VoieDeTest, voie);
        BaseDeTest t;
        t.creerBase(true);
        expedition900(t);
        QVERIFY(t.prendre(voie));
        // The window readies its session first; that runs on both engines
        // and writes nothing.
        const QStringList avant = lignesColisage(t);
        colisage::PreparerSeance(db::Base(t.ctx->cnx.get()));
        QCOMPARE(lignesColisage(t), avant);
        Banc b{t, {}};
        const auto verdict = [&b](const QString& ligne, bool forcer = false) {
            return b.scanner(ligne, forcer).verdict;
        };
        QCOMPARE(verdict(Coussin), Verdict::Refuse);
        QCOMPARE(b.scanner(u"900"_s).message, u"Expédition N° 900 (Essai banc), colis 1."_s);
        QCOMPARE(verdict(Coussin), Verdict::Accepte);
        QCOMPARE(b.scanner(Coussin).message,
                 u"Housse de coussin lin lavé 40x40 : colis 1, reste 2."_s);
        QCOMPARE(b.scanner(Manique).verdict, Verdict::HorsCommande);
        QCOMPARE(verdict(u"2000000000008"_s), Verdict::CodeInconnu);
        QCOMPARE(verdict(u"COLIS:+"_s), Verdict::Accepte);
        QCOMPARE(b.poste.colis, 2);
        QCOMPARE(verdict(Coussin), Verdict::Accepte);
        QCOMPARE(verdict(Coussin), Verdict::Accepte);
        const colisage::Reponse depasse = b.scanner(Coussin);
        QCOMPARE(depasse.verdict, Verdict::QuantiteDepassee);
        QCOMPARE(depasse.message,
                 u"Quantité dépassée : 4 Housse de coussin lin lavé 40x40 commandé(s), 4 déjà "
                 "colisé(s)."_s);
        QCOMPARE(verdict(Coussin, true), Verdict::Accepte);
        QCOMPARE(verdict(Tablier), Verdict::Accepte);
        QCOMPARE(b.scanner(u"POIDS:1,5"_s).message, u"Colis 2 pesé : 1,5 kg."_s);
        // Undo takes the apron out, then one of the five cushions.
        QCOMPARE(b.scanner(u"ANNULER"_s).message,
                 u"Saisie annulée : 3760987650021 retiré du colis 2."_s);
        QCOMPARE(verdict(u"ANNULER"_s), Verdict::Accepte);

        // The fixed clock stands at 13:42:25: each change of a row is dated
        // a second after the one before it.
        QCOMPARE(lignesColisage(t), (QStringList{
                                        u"1|3760987650014|2|2012-04-19 13:42:26"_s,
                                        u"2|3760987650014|2|2012-04-19 13:42:28"_s,
                                    }));
        QCOMPARE(lignes(*t.ctx->cnx, u"SELECT [No Colis], [Poids colis] FROM Colis "
                                     "WHERE [No Expédition] = 900 ORDER BY [No Colis]"_s),
                 (QStringList{u"1|∅"_s, u"2|1.5"_s}));
        QCOMPARE(journal(t), (QStringList{
                                 u"{EXPFA}|1|3760987650014|1|0|2012-04-19 13:42:25"_s,
                                 u"{EXPFA}|2|3760987650014|1|0|2012-04-19 13:42:25"_s,
                                 u"{EXPFA}|2|3760987650021|1|0|2012-04-19 13:42:25"_s,
                                 u"{EXPFA}|1|3760987650014|1|0|2012-04-19 13:42:26"_s,
                                 u"{EXPFA}|2|3760987650014|1|0|2012-04-19 13:42:26"_s,
                                 u"{EXPFP}|2|∅|∅|1.5|2012-04-19 13:42:26"_s,
                                 u"{EXPSA}|  2|3760987650021|1|0|2012-04-19 13:42:26"_s,
                                 u"{EXPFA}|2|3760987650014|1|0|2012-04-19 13:42:27"_s,
                                 u"{EXPSA}|  2|3760987650014|1|0|2012-04-19 13:42:28"_s,
                             }));
        const db::Base base(t.ctx->cnx.get());
        QCOMPARE(suivi::Expliquer(base, 900, Coussin).quantitePreparee, 4);
        QCOMPARE(suivi::Expliquer(base, 900, Tablier).quantitePreparee, 0);
        const colisage::VuePoste vue = colisage::LireVuePoste(base, b.poste);
        QCOMPARE(vue.contenu.size(), 1);
        QCOMPARE(vue.contenu.at(0).quantite, 2);
        QCOMPARE(vue.poids, std::optional<double>(1.5));
        QCOMPARE(vue.lignes.size(), 2);
    }

    // The shipment closed on another workstation after the bench opened it:
    // nothing more is written; an unknown one does not open.
    void expeditionFermeeEntreTemps() {
        BaseDeTest t;
        t.creerBase(true);
        expedition900(t);
        Banc b{t, {}};
        QCOMPARE(b.scanner(u"EXP:900"_s).verdict, Verdict::Accepte);
        QCOMPARE(b.scanner(Coussin).verdict, Verdict::Accepte);
        sql(*t.ctx->cnx, u"UPDATE [Expédition] SET [Date cloture] = '2012-04-19 14:00:00' "
                         "WHERE [No Expédition] = 900"_s);
        for (const QString& s : {Coussin, u"POIDS:2"_s, u"ANNULER"_s, u"COLIS:+"_s})
            QCOMPARE(b.scanner(s).message, u"Expédition N° 900 clôturée."_s);
        QCOMPARE(journal(t).size(), 1);
        QCOMPARE(b.scanner(u"EXP:901"_s).message, u"Expédition N° 901 inconnue."_s);
        QCOMPARE(b.poste.expedition, 900);
    }

    // A packing line without a date takes no entry: the scan is refused and
    // nothing of it stays, not even its journal row.
    void ligneSansDate() {
        BaseDeTest t;
        t.creerBase(true);
        expedition900(t);
        script(*t.ctx->cnx,
               u"INSERT INTO Colis ([No Expédition], [No Colis]) VALUES (900, 1);"
               "INSERT INTO Colisage ([No Expédition], [No Colis], "
               "[Code barres Article], [Quantité]) VALUES (900, 1, '3760987650014', 1);"_s);
        Banc b{t, {}};
        QCOMPARE(b.scanner(u"900"_s).verdict, Verdict::Accepte);
        const colisage::Reponse r = b.scanner(Coussin);
        QCOMPARE(r.verdict, Verdict::Refuse);
        QVERIFY(r.message.startsWith(u"Saisie sans effet : "_s));
        QCOMPARE(journal(t), QStringList());
        QCOMPARE(lignesColisage(t), QStringList{u"1|3760987650014|1|∅"_s});
        QCOMPARE(b.scanner(u"ANNULER"_s).message, u"Aucune saisie à annuler."_s);
    }

    // A bench through tarvoctl and a terminal's data file on the same
    // shipment: the packing lines are what the journal implies.
    void bancEtTerminal() {
        BaseDeTest t;
        t.creerBase(true);
        expedition900(t);
        const ResultatTarvoctl banc =
            lancerTarvoctlAvecEntree({u"--dir"_s, t.dossier.path(), u"colisage"_s, u"900"_s},
                                     (Coussin + u"\n"_s + Coussin + u"\nANNULER\nCOLIS:+\n"_s +
                                      Tablier + u"\nPOIDS:0,8\n"_s + Manique + u"\n"_s)
                                         .toUtf8());
        QCOMPARE(banc.statut, 0);
        QCOMPARE(banc.sortie.split(u'\n', Qt::SkipEmptyParts),
                 (QStringList{
                     u"accepté : Expédition N° 900 (Essai banc), colis 1."_s,
                     u"accepté : Housse de coussin lin lavé 40x40 : colis 1, reste 3."_s,
                     u"accepté : Housse de coussin lin lavé 40x40 : colis 1, reste 2."_s,
                     u"accepté : Saisie annulée : 3760987650014 retiré du colis 1."_s,
                     u"accepté : Colis 2."_s,
                     u"accepté : Tablier de cuisine coton : colis 2, reste 1."_s,
                     u"accepté : Colis 2 pesé : 0,8 kg."_s,
                     u"refusé : Article hors commande : 3760987650038 n'est pas commandé dans "
                     "l'expédition N° 900."_s,
                 }));
        // The terminal's entries were made before the bench's (their rows
        // keep the bench's) and after them (they count).
        ecrireData(t,
                   {ligneFA(900, 1, "2020-01-01", "10:00:00", Coussin.toLatin1(), 5),
                    ligneFA(900, 3, "2020-01-01", "10:00:00", Tablier.toLatin1(), 1),
                    ligneFA(900, 2, "2099-01-01", "10:00:00", Tablier.toLatin1(), 1),
                    ligneSA(900, "  1", "2099-01-01", "10:00:01", Coussin.toLatin1(), 1)},
                   QDateTime(QDate(2012, 4, 19), QTime(13, 0)));
        QVERIFY(terminal::IntegData(*t.ctx));
        QCOMPARE(lignesColisage(t).replaceInStrings(QRegularExpression(u"\\|[^|]*$"_s), QString()),
                 (QStringList{u"2|3760987650021|2"_s, u"3|3760987650021|1"_s}));
        const db::Base base(t.ctx->cnx.get());
        for (const QString& code : {Coussin, Tablier}) {
            const qint64 colise = nombre(*t.ctx->cnx,
                                         u"SELECT COALESCE(SUM([Quantité]), 0) FROM Colisage "
                                         "WHERE [No Expédition] = 900 AND "
                                         "[Code barres Article] = ?"_s,
                                         {code});
            QCOMPARE(suivi::Expliquer(base, 900, code).quantitePreparee, colise);
        }
    }
};

QTEST_GUILESS_MAIN(TestColisage)

#include "test_colisage.moc"
