#include "BaseDeTest.h"
#include "DisquePlein.h"
#include "DonneesNavigateurs.h"
#include "Tarvoctl.h"
#include "base/Erreur.h"
#include "browsers/ExportCsv.h"
#include "browsers/ModeleNavigation.h"
#include "browsers/SourceNavigation.h"
#include "browsers/Tables.h"
#include "db/Base.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QTest>
#include <cerrno>

using namespace tarvo;
using namespace tarvo::navigateurs;
using namespace tarvo::test;
using namespace Qt::StringLiterals;

namespace {

const Champ& champ(const TableNavigable& table, int colonne) {
    return table.champs.at(colonne);
}

// The keys of every row of the view, in order.
template <typename T = qint64> QList<T> cles(const SourceNavigation& source, const Vue& vue) {
    QList<T> resultat;
    for (const LigneNavigation& ligne : source.lire(vue, 0, 1000))
        resultat << ligne.cle.value<T>();
    return resultat;
}

// One step of a browser, as its window takes it: the column, the current
// cell's value, the selection value, and the step.
enum class Etape { FiltreSel, FiltreHorsSel, TriAsc, TriDesc, SansFiltre };
struct Pas {
    Etape etape;
    int colonne;
    QVariant cellule = {};
    QString selection = {};
};

Vue appliquer(const TableNavigable& table, Comparaison comparaison, const QList<Pas>& pas) {
    Vue vue;
    for (const Pas& p : pas) {
        const Champ& c = champ(table, p.colonne);
        switch (p.etape) {
        case Etape::FiltreSel:
            vue.filtre << CritereFiltreSel(comparaison, c, p.cellule, p.selection);
            break;
        case Etape::FiltreHorsSel:
            vue.filtre << CritereFiltreHorsSel(c, p.cellule);
            break;
        case Etape::TriAsc:
        case Etape::TriDesc:
            vue.tri = Tri{c, p.etape == Etape::TriDesc};
            break;
        case Etape::SansFiltre:
            vue.filtre.clear();
            break;
        }
    }
    return vue;
}

} // namespace

Q_DECLARE_METATYPE(QList<Pas>)
Q_DECLARE_METATYPE(tarvo::db::Genre)

class TestNavigateurs : public QObject {
    Q_OBJECT
private slots:
    // Filters and sorts on both tables: the keys of the rows, in order.
    void filtresEtTris_data() {
        QTest::addColumn<bool>("journal");
        QTest::addColumn<QList<Pas>>("pas");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("sans filtre : ordre d'intégration")
            << true << QList<Pas>{} << u"1 2 3 4 5 6 7 8"_s;
        QTest::newRow("filtre sur un code type ligne : exactement lui")
            << true << QList<Pas>{{Etape::FiltreSel, 0, u"{EXPFA}"_s}} << u"1 5 6 8"_s;
        QTest::newRow("hors sélection sur une expédition : les lignes sans expédition restent")
            << true << QList<Pas>{{Etape::FiltreHorsSel, 1, qint64{12}}} << u"4 5 6 7"_s;
        QTest::newRow("filtres successifs : ET")
            << true
            << QList<Pas>{{Etape::FiltreSel, 0, u"{EXPFA}"_s}, {Etape::FiltreSel, 1, qint64{12}}}
            << u"1 8"_s;
        QTest::newRow("filtre sur une cellule vide")
            << true << QList<Pas>{{Etape::FiltreSel, 1, QVariant()}} << u"6"_s;
        QTest::newRow("filtre sur un poids décimal")
            << true << QList<Pas>{{Etape::FiltreSel, 4, 0.5}} << u"7"_s;
        QTest::newRow("filtre sur un moment (texte de la base)")
            << true << QList<Pas>{{Etape::FiltreSel, 6, u"2026-12-02 09:30:00"_s}} << u"5"_s;
        QTest::newRow("filtre sur une valeur à chevron")
            << true << QList<Pas>{{Etape::FiltreSel, 2, u"<To"_s}} << u"4"_s;
        QTest::newRow("deux tris : seul le second compte")
            << true << QList<Pas>{{Etape::TriDesc, 1}, {Etape::TriAsc, 5}} << u"3 7 4 2 1 6 8 5"_s;
        QTest::newRow("tri descendant : vides à la fin, égaux du plus récent")
            << true << QList<Pas>{{Etape::TriDesc, 1}} << u"8 3 2 1 7 5 4 6"_s;
        QTest::newRow("supprimer les filtres garde le tri")
            << true
            << QList<Pas>{{Etape::TriAsc, 2},
                          {Etape::FiltreSel, 1, qint64{7}},
                          {Etape::SansFiltre, 0}}
            // In the French order, as on the server, signs come before digits.
            << u"4 1 3 2 8 5 7 6"_s;
        QTest::newRow("libellé sans sélection : tout article qui a un libellé")
            << false << QList<Pas>{{Etape::FiltreSel, 1, u"COTON 100%"_s, QString()}}
            << u"0001 0002 0003 0004 0005"_s;
        QTest::newRow("ROUGE garde les couleurs plus longues qui le contiennent")
            << false << QList<Pas>{{Etape::FiltreSel, 2, u"ROUGE"_s, u" ROUGE "_s}}
            << u"0002 0003 0004"_s;
        QTest::newRow("une apostrophe est un caractère comme un autre")
            << false << QList<Pas>{{Etape::FiltreSel, 2, u"BLEU D'EAU"_s, u"D'EAU"_s}} << u"0001"_s;
        QTest::newRow("% sélectionné : le caractère, pas le joker")
            << false << QList<Pas>{{Etape::FiltreSel, 1, u"COTON 100%"_s, u"100%"_s}} << u"0002"_s;
        QTest::newRow("_ sélectionné : le caractère")
            << false << QList<Pas>{{Etape::FiltreSel, 1, u"A_C"_s, u"A_C"_s}} << u"0004"_s;
        QTest::newRow("hors champ avec apostrophe : les libellés vides restent")
            << false << QList<Pas>{{Etape::FiltreHorsSel, 1, u"L'ÉTÉ"_s}}
            << u"0002 0003 0004 0005 0006"_s;
        QTest::newRow("tri descendant sur la référence")
            << false << QList<Pas>{{Etape::TriDesc, 3}} << u"0006 0001 0003 0002 0004 0005"_s;
    }
    void filtresEtTris() {
        QFETCH(bool, journal);
        QFETCH(QList<Pas>, pas);
        QFETCH(QString, attendu);
        BaseDeTest t;
        t.creerBase();
        remplirJournal(*t.ctx);
        remplirArticles(*t.ctx);
        const TableNavigable& table = journal ? TableJournal() : TableArticle();
        SourceNavigation source(t.ctx->cnx.get(), table);
        source.figer();
        const Vue vue =
            appliquer(table, journal ? Comparaison::Exacte : Comparaison::ParMotif, pas);
        const QStringList trouvees = cles<QString>(source, vue);
        QCOMPARE(trouvees.join(u' '), attendu);
        QCOMPARE(source.compter(vue), qint64{trouvees.size()});
    }

    // The embedded database orders and matches texts as the server does:
    // French order, without regard to case or accents.
    void ordreFrancais() {
        BaseDeTest t;
        t.creerBase();
        remplirJournal(*t.ctx);
        db::Base(t.ctx->cnx.get())
            .executerScript(
                db::TexteSql(u"INSERT INTO Article ([Code barres Article], Libellé) VALUES "
                             "('1', 'Zèbre rayé'), ('2', 'anneau'), ('3', 'Écharpe'), "
                             "('4', 'Éponge vaisselle'), ('5', 'Métis'), ('6', 'ZÈBRE uni')"_s));
        SourceNavigation articles(t.ctx->cnx.get(), TableArticle());
        articles.figer();
        const Champ& libelle = champ(TableArticle(), 1);
        QCOMPARE(cles<QString>(articles, appliquer(TableArticle(), Comparaison::ParMotif,
                                                   {{Etape::TriAsc, 1}}))
                     .join(u' '),
                 u"2 3 4 5 1 6"_s);
        QCOMPARE(articles.chercher(Vue{},
                                   CritereRecherche(Comparaison::ParMotif, libelle, u"éponge%"_s)),
                 std::optional<qint64>{3});
        Vue metis;
        metis.filtre << CritereFiltreSel(Comparaison::ParMotif, libelle, u"Métis"_s, u"MÉTIS"_s);
        QCOMPARE(cles<QString>(articles, metis), QStringList{u"5"_s});
        Vue zebres;
        zebres.filtre << CritereFiltreSel(Comparaison::ParMotif, libelle, {}, u"zebre"_s);
        QCOMPARE(cles<QString>(articles, zebres).join(u' '), u"1 6"_s);

        SourceNavigation journal(t.ctx->cnx.get(), TableJournal());
        journal.figer();
        const Champ& code = champ(TableJournal(), 0);
        Vue expxa;
        expxa.filtre << CritereFiltreSel(Comparaison::Exacte, code, u"{expxa}"_s, QString());
        QCOMPARE(cles(journal, expxa), QList<qint64>{2});
        QCOMPARE(journal.chercher(Vue{}, CritereRecherche(Comparaison::Exacte, code, u"{expxa}"_s)),
                 std::optional<qint64>{1});
    }

    // Leaving out a date keeps the rows that have none, whether the value
    // is the cell's moment or a whole day.
    void horsSelectionSurUneDate_data() {
        QTest::addColumn<QVariant>("valeur");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("moment de la cellule")
            << QVariant(u"2026-12-01 10:00:00"_s) << u"4 5 6 7 8 9"_s;
        QTest::newRow("jour entier") << QVariant(QDate(2026, 12, 2)) << u"1 2 3 9"_s;
    }
    void horsSelectionSurUneDate() {
        QFETCH(QVariant, valeur);
        QFETCH(QString, attendu);
        BaseDeTest t;
        t.creerBase();
        remplirJournal(*t.ctx);
        // Entered, not yet integrated: no integration date.
        ajouterSaisie(*t.ctx, u"{EXPFA}"_s, 12);
        SourceNavigation source(t.ctx->cnx.get(), TableJournal());
        const Champ& integration = champ(TableJournal(), 7);
        Vue vue;
        vue.filtre << (valeur.typeId() == QMetaType::QDate
                           ? Critere{integration, Operateur::Different, valeur}
                           : CritereFiltreHorsSel(integration, valeur));
        QStringList trouvees;
        for (const qint64 cle : cles(source, vue))
            trouvees << QString::number(cle);
        QCOMPARE(trouvees.join(u' '), attendu);
    }

    void recherche_data() {
        QTest::addColumn<bool>("journal");
        QTest::addColumn<QList<Pas>>("pas");
        QTest::addColumn<int>("colonne");
        QTest::addColumn<QString>("saisie");
        QTest::addColumn<qint64>("position");
        QTest::newRow("journal : code exact")
            << true << QList<Pas>{} << 0 << u"{EXPSA}"_s << qint64{3};
        QTest::newRow("journal : une partie du code ne trouve rien")
            << true << QList<Pas>{} << 0 << u"EXPSA"_s << qint64{-1};
        QTest::newRow("journal : poids à virgule")
            << true << QList<Pas>{} << 4 << u"12,5"_s << qint64{2};
        QTest::newRow("journal : un jour trouve sa première saisie sous le tri")
            << true << QList<Pas>{{Etape::TriDesc, 5}} << 6 << u"01/12/2026"_s << qint64{3};
        QTest::newRow("journal : moment complet sous un filtre")
            << true << QList<Pas>{{Etape::FiltreSel, 0, u"{EXPFA}"_s}} << 6
            << u"02/12/2026 10:15:00"_s << qint64{3};
        QTest::newRow("journal : valeur vide (boîte annulée) sans correspondance")
            << true << QList<Pas>{} << 2 << QString() << qint64{-1};
        QTest::newRow("journal : sous tri croissant, après les vides")
            << true << QList<Pas>{{Etape::TriAsc, 1}} << 0 << u"{EXPXP}"_s << qint64{3};
        QTest::newRow("articles : motif avec joker")
            << false << QList<Pas>{} << 1 << u"COTON%"_s << qint64{1};
        QTest::newRow("articles : apostrophe")
            << false << QList<Pas>{} << 1 << u"L'ÉTÉ"_s << qint64{0};
        QTest::newRow("articles : _ n'est pas un joker")
            << false << QList<Pas>{} << 1 << u"A_C"_s << qint64{3};
        QTest::newRow("articles : sans correspondance")
            << false << QList<Pas>{} << 2 << u"JAUNE"_s << qint64{-1};
    }
    void recherche() {
        QFETCH(bool, journal);
        QFETCH(QList<Pas>, pas);
        QFETCH(int, colonne);
        QFETCH(QString, saisie);
        QFETCH(qint64, position);
        BaseDeTest t;
        t.creerBase();
        remplirJournal(*t.ctx);
        remplirArticles(*t.ctx);
        const TableNavigable& table = journal ? TableJournal() : TableArticle();
        const Comparaison comparaison = journal ? Comparaison::Exacte : Comparaison::ParMotif;
        SourceNavigation source(t.ctx->cnx.get(), table);
        source.figer();
        const Vue vue = appliquer(table, comparaison, pas);
        const std::optional<qint64> trouvee =
            source.chercher(vue, CritereRecherche(comparaison, champ(table, colonne), saisie));
        QCOMPARE(trouvee.value_or(-1), position);
    }

    void valeurIllisibleRefusee_data() {
        QTest::addColumn<int>("colonne");
        QTest::addColumn<QString>("saisie");
        QTest::addColumn<QString>("message");
        QTest::newRow("nombre") << 1 << u"douze"_s
                                << u"« douze » n'est pas un nombre pour [No Expédition]."_s;
        QTest::newRow("date") << 6 << u"31/02/2026"_s
                              << u"« 31/02/2026 » n'est pas une date pour [Date saisie]."_s;
    }
    void valeurIllisibleRefusee() {
        QFETCH(int, colonne);
        QFETCH(QString, saisie);
        QFETCH(QString, message);
        try {
            CritereRecherche(Comparaison::Exacte, champ(TableJournal(), colonne), saisie);
            QFAIL("valeur acceptée");
        } catch (const ErreurTarvo& e) {
            QCOMPARE(e.erreur().description, message);
        }
    }

    // A pattern past the limit is refused in French, naming the column by
    // its caption; one at the limit runs.
    void motifTropLong() {
        BaseDeTest t;
        t.creerBase();
        remplirArticles(*t.ctx);
        SourceNavigation source(t.ctx->cnx.get(), TableArticle());
        const Champ& ref = champ(TableArticle(), 3);
        const QString attendu =
            u"La valeur cherchée pour [Ref] est trop longue : 1001 caractères, 1000 au plus."_s;
        for (const bool selection : {false, true}) {
            try {
                if (selection)
                    CritereFiltreSel(Comparaison::ParMotif, ref, u"ETE01"_s, QString(1001, u'_'));
                else
                    CritereRecherche(Comparaison::ParMotif, ref, QString(1001, u'é'));
                QFAIL("motif accepté");
            } catch (const ErreurTarvo& e) {
                QCOMPARE(e.erreur().description, attendu);
            }
        }
        Vue vue;
        vue.filtre << CritereFiltreSel(Comparaison::ParMotif, ref, u"ETE01"_s, QString(1000, u'_'));
        QCOMPARE(source.compter(vue), qint64{0});
        QVERIFY(!source.chercher(
            Vue{}, CritereRecherche(Comparaison::ParMotif, ref, QString(1000, u'é'))));
    }

    // The grid grows page by page; far rows are fetched on demand, and the
    // cells show French texts.
    void modelePagine() {
        BaseDeTest t;
        t.creerBase();
        for (int i = 0; i < 600; ++i)
            ajouterSaisie(*t.ctx, i % 2 ? u"{EXPFA}"_s : u"{EXPXA}"_s, i);
        remplirJournal(*t.ctx);
        ModeleNavigation modele(
            std::make_unique<SourceNavigation>(t.ctx->cnx.get(), TableJournal()));
        modele.actualiser(Vue{});
        QCOMPARE(modele.rowCount(), ModeleNavigation::TaillePage);
        QVERIFY(modele.canFetchMore({}));
        modele.fetchMore({});
        QCOMPARE(modele.rowCount(), 2 * ModeleNavigation::TaillePage);
        modele.atteindre(606);
        QCOMPARE(modele.rowCount(), 608);
        QVERIFY(!modele.canFetchMore({}));
        QCOMPARE(modele.index(602, 4).data().toString(), u"12,5"_s);
        QCOMPARE(modele.index(606, 4).data().toString(), u"0,5"_s);
        QCOMPARE(modele.index(606, 6).data().toString(), u"02/12/2026 10:00:00"_s);
        QCOMPARE(modele.index(606, 6).data(ModeleNavigation::RoleValeur).toString(),
                 u"2026-12-02 10:00:00"_s);
        QCOMPARE(modele.index(0, 1).data(ModeleNavigation::RoleCle).toLongLong(), qint64{1});
        // The tester fetches every row it can, so it comes after the paging.
        QAbstractItemModelTester testeur(&modele,
                                         QAbstractItemModelTester::FailureReportingMode::QtTest);
        modele.afficher(Vue{});
        // Page after page follows the last row read, through runs of equal
        // and empty values, in both directions: the same rows as counted
        // pages.
        for (const int colonne : {1, 4, 5, 0})
            for (const bool descendant : {false, true}) {
                Vue triee;
                triee.tri = Tri{champ(TableJournal(), colonne), descendant};
                modele.afficher(triee);
                while (modele.canFetchMore({}))
                    modele.fetchMore({});
                QList<qint64> suivies;
                for (int l = 0; l < modele.rowCount(); ++l)
                    suivies << modele.index(l, 0).data(ModeleNavigation::RoleCle).toLongLong();
                QCOMPARE(suivies, cles(modele.source(), triee));
            }
        Vue vue;
        vue.filtre << CritereFiltreSel(Comparaison::Exacte, champ(TableJournal(), 0), u"{EXPXP}"_s,
                                       {});
        modele.afficher(vue);
        QCOMPARE(modele.rowCount(), 1);
        QCOMPARE(modele.index(0, 2).data().toString(), u"003"_s);

        // Rows integrated after the window opened stay out until it refreshes.
        ajouterSaisie(*t.ctx, u"{EXPFA}"_s, 999);
        Vue tous;
        tous.tri = Tri{champ(TableJournal(), 1), true};
        modele.afficher(tous);
        QCOMPARE(modele.index(0, 1).data().toString(), u"599"_s);
        QCOMPARE(modele.source().compter(tous), qint64{608});
        modele.actualiser(Vue{});
        QVERIFY(!modele.vue().tri);
        modele.atteindre(608);
        QCOMPARE(modele.index(608, 1).data().toString(), u"999"_s);
    }

    // The file holds what the grid shows, every row, in the grid's order.
    void exportRelu() {
        BaseDeTest t;
        t.creerBase();
        remplirJournal(*t.ctx);
        ajouterSaisie(*t.ctx, u"A;\"B\""_s, 12);
        ModeleNavigation modele(
            std::make_unique<SourceNavigation>(t.ctx->cnx.get(), TableJournal()));
        Vue vue;
        vue.filtre << CritereFiltreSel(Comparaison::Exacte, champ(TableJournal(), 1), qint64{12},
                                       {});
        vue.tri = Tri{champ(TableJournal(), 6), true};
        modele.actualiser(vue);
        const QString fichier = t.chemin(u"journal.csv"_s);
        FeedbackEnregistre suivi;
        QCOMPARE(ExporterCsv(modele.source(), modele.vue(), fichier, suivi), qint64{5});
        QCOMPARE(suivi.progressions.last(), 100);
        bool bom = false;
        const QList<QStringList> lignes = lireCsv(fichier, &bom);
        QVERIFY(bom);
        QCOMPARE(lignes.size(), 6);
        QCOMPARE(lignes.at(0).join(u'|'),
                 u"Code type ligne|No Expédition|No Colis|Code barres Article|Poids colis|"
                 "Quantité|Date saisie|Date intégration"_s);
        // The separator and the quotes inside a text are quoted.
        QCOMPARE(lignes.at(1).mid(0, 3), (QStringList{u"\"A"_s, u"\"\"B\"\"\""_s, u"12"_s}));
        for (int ligne = 1; ligne < 5; ++ligne)
            for (int c = 0; c < 8; ++c)
                QCOMPARE(lignes.at(ligne + 1).at(c),
                         ChampCsv(modele.index(ligne, c).data().toString(),
                                  TableJournal().champs.at(c).genre));
        QCOMPARE(lignes.at(3).at(4), u"12,5"_s);
        // A file that cannot be written is an error, not an empty success.
        QVERIFY_THROWS_EXCEPTION(
            ErreurTarvo,
            ExporterCsv(modele.source(), modele.vue(), t.chemin(u"absent/journal.csv"_s), suivi));
        // A folder is refused, not written beside as <folder>.csv; a link,
        // even dangling, is never written through.
        QVERIFY(QDir().mkpath(t.chemin(u"dossier"_s)));
        QVERIFY_THROWS_EXCEPTION(ErreurTarvo,
                                 ExporterCsv(modele.source(), modele.vue(),
                                             AvecExtensionCsv(t.chemin(u"dossier"_s)), suivi));
        QVERIFY(!QFile::exists(t.chemin(u"dossier.csv"_s)));
        QVERIFY(QFile::link(t.chemin(u"ailleurs.csv"_s), t.chemin(u"lien.csv"_s)));
        QVERIFY_THROWS_EXCEPTION(ErreurTarvo, ExporterCsv(modele.source(), modele.vue(),
                                                          t.chemin(u"lien.csv"_s), suivi));
        QVERIFY(!QFile::exists(t.chemin(u"ailleurs.csv"_s)));
    }

    // When the disk is full, or fills up during the export, the failure says
    // why in the system's words, and the previous file stays whole.
    void exportDisquePlein_data() {
        QTest::addColumn<bool>("pleinAvant");
        QTest::newRow("plein avant l'export") << true;
        QTest::newRow("rempli par l'export") << false;
    }
    void exportDisquePlein() {
        QFETCH(bool, pleinAvant);
        BaseDeTest t;
        t.creerBase();
        remplirJournal(*t.ctx);
        // One row larger than the whole disk.
        ajouterSaisie(*t.ctx, QString(100'000, u'x'), 12);
        const DisquePlein disque(t.chemin(u"plein"_s));
        if (!disque.erreur().isEmpty())
            QSKIP(qPrintable(disque.erreur()));
        t.ecrireFichier(u"plein/journal.csv"_s, "ancien\r\n");
        if (pleinAvant)
            disque.remplir();
        ModeleNavigation modele(
            std::make_unique<SourceNavigation>(t.ctx->cnx.get(), TableJournal()));
        modele.actualiser(Vue{});
        FeedbackEnregistre suivi;
        QString detail;
        try {
            ExporterCsv(modele.source(), modele.vue(), t.chemin(u"plein/journal.csv"_s), suivi);
        } catch (const ErreurTarvo& e) {
            detail = e.erreur().description;
        }
        QVERIFY2(detail.endsWith(u" : "_s + qt_error_string(ENOSPC)), qPrintable(detail));
        QVERIFY2(detail.contains(u"plein/journal.csv"_s), qPrintable(detail));
        QCOMPARE(t.lireFichier(u"plein/journal.csv"_s), QByteArray("ancien\r\n"));
    }

    // A text a spreadsheet would run as a formula is written as text;
    // numbers, negative ones included, stay numbers.
    void champCsv_data() {
        QTest::addColumn<QString>("valeur");
        QTest::addColumn<db::Genre>("genre");
        QTest::addColumn<QString>("ecrit");
        QTest::newRow("formule") << u"=HYPERLINK(\"x\")"_s << db::Genre::Texte
                                 << u"\"'=HYPERLINK(\"\"x\"\")\""_s;
        QTest::newRow("plus") << u"+33 4 50"_s << db::Genre::Texte << u"'+33 4 50"_s;
        QTest::newRow("arobase") << u"@SUM(A1)"_s << db::Genre::Texte << u"'@SUM(A1)"_s;
        QTest::newRow("moins") << u"-2+3"_s << db::Genre::Texte << u"'-2+3"_s;
        QTest::newRow("tabulation") << u"\t=1"_s << db::Genre::Texte << u"'\t=1"_s;
        QTest::newRow("retour chariot") << u"\r=1"_s << db::Genre::Texte << u"\"'\r=1\""_s;
        QTest::newRow("nombre négatif") << u"-2"_s << db::Genre::Nombre << u"-2"_s;
        QTest::newRow("décimal négatif") << u"-0,5"_s << db::Genre::Nombre << u"-0,5"_s;
        QTest::newRow("texte ordinaire") << u"L'ÉTÉ"_s << db::Genre::Texte << u"L'ÉTÉ"_s;
        QTest::newRow("séparateur") << u"A;B"_s << db::Genre::Texte << u"\"A;B\""_s;
    }
    void nomEtBilanDExport() {
        QCOMPARE(AvecExtensionCsv(u"/tmp/vue"_s), u"/tmp/vue.csv"_s);
        QCOMPARE(AvecExtensionCsv(u"/tmp/vue."_s), u"/tmp/vue.csv"_s);
        QCOMPARE(AvecExtensionCsv(u"/tmp/v.1/vue"_s), u"/tmp/v.1/vue.csv"_s);
        QCOMPARE(AvecExtensionCsv(u"/tmp/vue.txt"_s), u"/tmp/vue.txt"_s);
        QCOMPARE(BilanExport(0, u"a.csv"_s), u"0 ligne exportée dans a.csv"_s);
        QCOMPARE(BilanExport(2, u"a.csv"_s), u"2 lignes exportées dans a.csv"_s);
    }
    void champCsv() {
        QFETCH(QString, valeur);
        QFETCH(db::Genre, genre);
        QFETCH(QString, ecrit);
        QCOMPARE(ChampCsv(valeur, genre), ecrit);
    }

    void tarvoctl_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("statut");
        QTest::addColumn<QStringList>("premieres");
        // The line on standard output, or the reason on standard error.
        QTest::addColumn<QString>("message");
        QTest::newRow("journal filtré et trié")
            << QStringList{u"export-journal"_s, u"--filtre"_s, u"Code type ligne={EXPFA}"_s,
                           u"--tri"_s, u"Quantité:desc"_s}
            << 0
            << QStringList{u"{EXPFA}"_s,
                           u"7"_s,
                           u"003"_s,
                           u"3760000000017"_s,
                           {},
                           u"5"_s,
                           u"02/12/2026 09:30:00"_s,
                           u"02/12/2026 11:00:00"_s}
            << u"4 lignes exportées dans "_s;
        QTest::newRow("articles avec apostrophe")
            << QStringList{u"export-articles"_s, u"--filtre"_s, u"Couleur=%D'EAU"_s} << 0
            << QStringList{u"0001"_s, u"L'ÉTÉ"_s, u"BLEU D'EAU"_s, u"ETE01"_s}
            << u"1 ligne exportée dans "_s;
        QTest::newRow("colonne inconnue")
            << QStringList{u"export-journal"_s, u"--tri"_s, u"Poids"_s} << 2 << QStringList{}
            << u"Colonne inconnue : Poids"_s;
        QTest::newRow("nombre illisible")
            << QStringList{u"export-journal"_s, u"--filtre"_s, u"No Expédition=x"_s} << 2
            << QStringList{} << u"« x » n'est pas un nombre pour [No Expédition]."_s;
        QTest::newRow("deux tris")
            << QStringList{u"export-articles"_s, u"--tri"_s, u"Ref"_s, u"--tri"_s, u"Couleur"_s}
            << 2 << QStringList{} << u"Donnez --tri une seule fois"_s;
        QTest::newRow("option inconnue") << QStringList{u"export-articles"_s, u"--trie"_s, u"Ref"_s}
                                         << 2 << QStringList{} << u"Option inconnue : --trie"_s;
    }
    void tarvoctl() {
        QFETCH(QStringList, arguments);
        QFETCH(int, statut);
        QFETCH(QStringList, premieres);
        QFETCH(QString, message);
        BaseDeTest t;
        t.creerBase();
        remplirJournal(*t.ctx);
        remplirArticles(*t.ctx);
        const QString fichier = t.chemin(u"sortie.csv"_s);
        arguments.insert(1, fichier);
        const ResultatTarvoctl r = lancerTarvoctl(
            QStringList{u"--dir"_s, t.dossier.path(), u"--ignorer-version"_s} + arguments);
        QCOMPARE(r.statut, statut);
        if (statut == 0) {
            QCOMPARE(lireCsv(fichier).value(1), premieres);
            QCOMPARE(r.sortie, message + fichier + u'\n');
        } else {
            QVERIFY(!QFile::exists(fichier));
            QVERIFY2(r.erreurs.contains(message), qPrintable(r.erreurs));
        }
    }
};

QTEST_GUILESS_MAIN(TestNavigateurs)
#include "test_navigateurs.moc"
