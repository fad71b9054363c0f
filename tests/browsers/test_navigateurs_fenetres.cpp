#include "../labels/SpoolDeTest.h"
#include "BaseDeTest.h"
#include "DonneesNavigateurs.h"
#include "browsers/ui/BranchementsNavigateurs.h"
#include "browsers/ui/FichierArticle.h"
#include "browsers/ui/Journal.h"
#include "terminal/ui/BranchementsTerminal.h"
#include "ui/main/FenetrePrincipale.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using namespace tarvo;
using namespace tarvo::navigateurs;
using namespace tarvo::test;
using namespace Qt::StringLiterals;

namespace {

// The tool tips of the toolbar, the drop-down's face included, then its
// entries.
QStringList boutons(const FenetreNavigation& f) {
    QStringList textes;
    for (QAction* a : f.findChild<QToolBar*>(u"barreOutils"_s)->actions()) {
        if (auto* deroulant = qobject_cast<QToolButton*>(
                f.findChild<QToolBar*>(u"barreOutils"_s)->widgetForAction(a));
            deroulant && deroulant->menu()) {
            textes << deroulant->defaultAction()->toolTip();
            for (QAction* entree : deroulant->menu()->actions())
                textes << u"> "_s + entree->text();
        } else {
            textes << a->toolTip();
        }
    }
    return textes;
}

void declencher(const FenetreNavigation& f, const QString& nom) {
    QAction* action = f.findChild<QAction*>(nom);
    QVERIFY2(action != nullptr, qPrintable(nom));
    action->trigger();
}

QStringList colonne(const FenetreNavigation& f, int c) {
    QStringList valeurs;
    for (int l = 0; l < f.modele().rowCount(); ++l)
        valeurs << f.modele().index(l, c).data().toString();
    return valeurs;
}

void cliquer(const FenetreNavigation& f, int ligne, int c) {
    QTableView* grille = f.grille();
    const QModelIndex index = f.modele().index(ligne, c);
    grille->scrollTo(index);
    QTest::mouseClick(grille->viewport(), Qt::LeftButton, {}, grille->visualRect(index).center());
}

} // namespace

class TestNavigateursFenetres : public QObject {
    Q_OBJECT
private slots:
    // The main window's entries open each window once, with its own
    // toolbar.
    void ouverture() {
        BaseDeTest t;
        t.creerBase();
        remplirJournal(*t.ctx);
        remplirArticles(*t.ctx);
        ui::FenetrePrincipale fenetre(*t.ctx);
        ui::brancherTerminal(fenetre);
        ui::brancherNavigateurs(fenetre);
        fenetre.action(u"mnuJournal"_s)->trigger();
        auto* journal = qobject_cast<Journal*>(fenetre.fenetreOuverte(u"Journal"_s));
        QVERIFY(journal != nullptr);
        fenetre.action(u"mnuJournal"_s)->trigger();
        QCOMPARE(fenetre.fenetreOuverte(u"Journal"_s), journal);
        QCOMPARE(journal->windowTitle(), u"Journal des saisies de données SCANPAL2"_s);
        // The journal's rows are integrated ones: its exclusion keeps the
        // empty cells and it can be reloaded; the article file's cannot.
        QVERIFY(boutons(*journal).contains(u"> Filtre hors sélection"_s));
        QVERIFY(boutons(*journal).contains(u"Actualiser"_s));
        QCOMPARE(journal->modele().rowCount(), 8);
        QCOMPARE(journal->modele().index(2, 4).data().toString(), u"12,5"_s);

        fenetre.action(u"mnuFichierArticle"_s)->trigger();
        auto* articles = qobject_cast<FichierArticle*>(fenetre.fenetreOuverte(u"FichierArticle"_s));
        QVERIFY(articles != nullptr);
        QCOMPARE(articles->windowTitle(), u"Fichier Article"_s);
        QVERIFY(boutons(*articles).contains(u"> Filtre hors champ"_s));
        QVERIFY(!boutons(*articles).contains(u"Actualiser"_s));
        // 4000 twips on opening.
        QCOMPARE(articles->grille()->columnWidth(1), 4000 * articles->logicalDpiX() / 1440);

        // The generation is the main window's own confirmed command.
        t.prompts.reponses << false;
        articles->findChild<QPushButton*>(u"BtGenerer"_s)->click();
        QCOMPARE(t.prompts.boites.size(), 1);
        QCOMPARE(t.prompts.boites.at(0).texte, u"Générer le fichier Article pour le SCANPAL 2 ?"_s);
    }

    // Filter, sort and search as the journal's toolbar takes them.
    void etapesJournal() {
        BaseDeTest t;
        t.creerBase();
        remplirJournal(*t.ctx);
        Journal journal(*t.ctx);
        QAbstractItemModelTester testeur(&journal.modele(),
                                         QAbstractItemModelTester::FailureReportingMode::QtTest);
        journal.show();
        cliquer(journal, 0, 0);
        declencher(journal, u"tbFiltrer"_s);
        QCOMPARE(colonne(journal, 0), QStringList(4, u"{EXPFA}"_s));
        journal.grille()->setCurrentIndex(journal.modele().index(0, 1));
        declencher(journal, u"mnuFiltreHorsSel"_s);
        QCOMPARE(colonne(journal, 1), (QStringList{u"7"_s, QString()}));
        declencher(journal, u"tbTriAsc"_s);
        declencher(journal, u"mnuSupprimerFiltres"_s);
        QCOMPARE(colonne(journal, 1), (QStringList{QString(), u"7"_s, u"7"_s, u"7"_s, u"12"_s,
                                                   u"12"_s, u"12"_s, u"12"_s}));

        // A number that is no number: the view stays, the status says why.
        t.prompts.saisies << u"douze"_s;
        declencher(journal, u"tbRechercher"_s);
        QCOMPARE(t.feedback.statuts.last(),
                 u"Recherche impossible : « douze » n'est pas un nombre pour [No Expédition]."_s);
        QCOMPARE(journal.modele().vue().tri->champ.nom, u"No Expédition"_s);

        journal.grille()->setCurrentIndex(journal.modele().index(0, 2));
        t.prompts.saisies << u"<To"_s;
        declencher(journal, u"tbRechercher"_s);
        QCOMPARE(journal.grille()->currentIndex().row(), 1);
        QCOMPARE(journal.grille()->currentIndex().column(), 2);
        // Only the input box, with the column's name; no box after it, but
        // the status says nothing matched and how to look for a part.
        t.prompts.vider();
        t.prompts.saisies << u"ABSENT"_s;
        declencher(journal, u"tbRechercher"_s);
        QVERIFY(!journal.grille()->currentIndex().isValid());
        QCOMPARE(t.prompts.boites.size(), 1);
        QCOMPARE(t.prompts.boites.at(0).titre, u"Rechercher une valeur"_s);
        QCOMPARE(t.prompts.boites.at(0).texte, u"Entrez une valeur pour [No Colis] : "_s);
        QCOMPARE(t.feedback.statuts.last(),
                 u"Aucun enregistrement ne correspond à « ABSENT ». Pour chercher une partie du "
                 "texte, utilisez % (exemple : %plaid%)."_s);
        // With no row current, the next step stays on the column. Rows
        // integrated meanwhile appear on "Actualiser" only.
        ajouterSaisie(*t.ctx, u"{EXPFA}"_s, 99);
        declencher(journal, u"tbTriDesc"_s);
        QCOMPARE(journal.modele().vue().tri->champ.nom, u"No Colis"_s);
        QCOMPARE(journal.modele().rowCount(), 8);
        declencher(journal, u"tbActualiser"_s);
        QCOMPARE(journal.modele().rowCount(), 9);
        QVERIFY(!journal.modele().vue().tri);
    }

    // The article browser filters on the text the mouse chose; before any
    // click the value is empty and every labelled article stays.
    void selectionArticles() {
        SpoolDeTest spool({u"ZEBRA-ART"_s});
        BaseDeTest t;
        t.creerBase();
        remplirArticles(*t.ctx);
        FichierArticle articles(*t.ctx, [] {});
        QAbstractItemModelTester testeur(&articles.modele(),
                                         QAbstractItemModelTester::FailureReportingMode::QtTest);
        articles.show();
        articles.grille()->setCurrentIndex(articles.modele().index(2, 1));
        declencher(articles, u"mnuFiltreSel"_s);
        QCOMPARE(articles.modele().rowCount(), 5);
        QCOMPARE(articles.grille()->columnWidth(1), 8000 * articles.logicalDpiX() / 1440);
        cliquer(articles, 1, 2);
        QCOMPARE(articles.selection(), u"ROUGE"_s);
        declencher(articles, u"tbFiltrer"_s);
        QCOMPARE(colonne(articles, 2),
                 (QStringList{u"ROUGE"_s, u"ROUGE FONCÉ"_s, u"BORDEAUX ROUGEATRE"_s}));

        // Part of a text, selected in the cell's read-only field.
        articles.grille()->setCurrentIndex(articles.modele().index(1, 2));
        articles.grille()->edit(articles.modele().index(1, 2));
        auto* champ = articles.grille()->viewport()->findChild<QLineEdit*>();
        QVERIFY(champ != nullptr && champ->isReadOnly());
        champ->setSelection(0, 4);
        QCOMPARE(articles.selection(), u"ROUG"_s);
        // A click that leaves nothing selected gives back the whole cell.
        QTest::mouseClick(champ, Qt::LeftButton, {}, champ->rect().center());
        QVERIFY(!champ->hasSelectedText());
        QCOMPARE(articles.selection(), u"ROUGE FONCÉ"_s);
        champ->setSelection(0, 4);
        champ->deselect();
        QCOMPARE(articles.selection(), u"ROUGE FONCÉ"_s);

        // "Etiquette" prints the current article through the label routine.
        articles.grille()->setCurrentIndex(articles.modele().index(0, 2));
        t.prompts.saisies << u"2"_s;
        articles.findChild<QPushButton*>(u"BtEtiquette"_s)->click();
        const QList<QByteArray> travaux = spool.travaux(u"ZEBRA-ART"_s);
        QCOMPARE(travaux.size(), 1);
        QVERIFY(travaux.at(0).contains("0002"));
        QVERIFY(travaux.at(0).contains("P2"));
    }

    // The article file's columns are named by their captions; a bare file
    // name gets its extension, and the status counts the rows in French.
    void legendesEtExportArticles() {
        BaseDeTest t;
        t.creerBase();
        remplirArticles(*t.ctx);
        FichierArticle articles(*t.ctx, [] {});
        articles.grille()->setCurrentIndex(articles.modele().index(0, 3));
        t.prompts.saisies << u"COT%"_s;
        declencher(articles, u"tbRechercher"_s);
        QCOMPARE(t.prompts.boites.at(0).texte, u"Entrez une valeur pour [Ref] : "_s);
        QCOMPARE(articles.grille()->currentIndex().row(), 1);

        QString propose;
        articles.choisirFichierExport = [&t, &propose](QWidget*, const QString& nom) {
            propose = nom;
            return t.chemin(u"articles"_s);
        };
        declencher(articles, u"tbExporter"_s);
        // The name offered says which browser the rows come from.
        QCOMPARE(propose, u"Fichier Article.csv"_s);
        QCOMPARE(lireCsv(t.chemin(u"articles.csv"_s)).size(), 7);
        QVERIFY(!QFile::exists(t.chemin(u"articles"_s)));
        QCOMPARE(t.feedback.statuts.last(),
                 u"6 lignes exportées dans "_s + t.chemin(u"articles.csv"_s));

        articles.show();
        cliquer(articles, 0, 3);
        declencher(articles, u"mnuFiltreSel"_s);
        QCOMPARE(articles.modele().rowCount(), 1);
        declencher(articles, u"tbExporter"_s);
        QCOMPARE(t.feedback.statuts.last(),
                 u"1 ligne exportée dans "_s + t.chemin(u"articles.csv"_s));

        // Filters that leave nothing: the status names those in force.
        const QString ref = articles.modele().index(0, 3).data().toString();
        articles.grille()->setCurrentIndex(articles.modele().index(0, 3));
        declencher(articles, u"mnuFiltreHorsSel"_s);
        QCOMPARE(articles.modele().rowCount(), 0);
        QCOMPARE(t.feedback.statuts.last(),
                 u"Aucune ligne ne répond aux filtres actifs : « Ref » contient « %1 » et « Ref » "
                 "différent de « %1 »."_s.arg(ref));

        // "Exporter" shows its name; "Filtre hors champ" explains itself.
        auto* barre = articles.findChild<QToolBar*>(u"barreOutils"_s);
        auto* bouton = qobject_cast<QToolButton*>(
            barre->widgetForAction(articles.findChild<QAction*>(u"tbExporter"_s)));
        QVERIFY(bouton);
        QCOMPARE(bouton->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
        QCOMPARE(bouton->text(), u"Exporter"_s);
        auto* hors = articles.findChild<QAction*>(u"mnuFiltreHorsSel"_s);
        QCOMPARE(hors->text(), u"Filtre hors champ"_s);
        QVERIFY(hors->toolTip().startsWith(u"Cache les lignes qui ont"_s));
    }

    // "Exporter" writes every row the grid shows, in its order.
    void exporter() {
        BaseDeTest t;
        t.creerBase();
        for (int i = 0; i < 300; ++i)
            ajouterSaisie(*t.ctx, u"{EXPFA}"_s, i);
        remplirJournal(*t.ctx);
        Journal journal(*t.ctx);
        journal.grille()->setCurrentIndex(journal.modele().index(0, 1));
        declencher(journal, u"tbTriDesc"_s);
        const QString fichier = t.chemin(u"vue.csv"_s);
        QString propose;
        journal.choisirFichierExport = [&fichier, &propose](QWidget*, const QString& nom) {
            propose = nom;
            return fichier;
        };
        declencher(journal, u"tbExporter"_s);
        QCOMPARE(propose, u"Journal des saisies de données SCANPAL2.csv"_s);
        const QList<QStringList> lignes = lireCsv(fichier);
        QCOMPARE(lignes.size(), 309);
        journal.modele().atteindre(307);
        for (int l = 0; l < 308; ++l)
            QCOMPARE(lignes.at(l + 1).at(1), journal.modele().index(l, 1).data().toString());
    }
};

QTEST_MAIN(TestNavigateursFenetres)
#include "test_navigateurs_fenetres.moc"
