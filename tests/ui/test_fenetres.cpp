#include "BaseDeTest.h"
#include "base/Erreur.h"
#include "base/Francais.h"
#include "base/Ini.h"
#include "base/Version.h"
#include "db/Base.h"
#include "db/Connexion.h"
#include "db/TexteCellules.h"
#include "labels/ImprEtiq.h"
#include "labels/ImpressionDossier.h"
#include "reports/ui/ApercuEtat.h"
#include "shipments/ui/ListeRapport.h"
#include "ui/main/APropos.h"
#include "ui/main/ApplicationTarvo.h"
#include "ui/main/Branchements.h"
#include "ui/main/DialoguesFichiers.h"
#include "ui/main/FenetrePrincipale.h"
#include "ui/main/Garde.h"
#include "ui/main/Geometrie.h"
#include "ui/main/Login.h"
#include "ui/main/SequenceDemarrage.h"
#include "ui/main/Splash.h"
#include "ui/main/Traductions.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSet>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

using namespace tarvo;
using namespace tarvo::test;
using namespace Qt::StringLiterals;
using tarvo::ui::ArretProgramme;
using tarvo::ui::FenetrePrincipale;

namespace {

using Icone = Prompts::Icone;

// Every entry of a later command set: present, disabled until wired.
const QStringList EntreesAttendantLeurCommande =
    u"mnuFichierArticle mnuFichierExp mnuIntegData mnuJournal mnuCreaExpAuto mnuCreaExpManuel "
    "mnuModifExp mnuSuiviPrep mnuRechExp mnuEditEtiqCodeBarre mnuToolSynchroArticle mnuInfoSoc "
    "mnuBonExp mnuEdEtiqExp mnuEdListeArticleExp mnuEdEtatControle mnuEdEtatControleArt "
    "mnuEdListeColisage tbCreerExp tbModeAuto tbModeManuel tbModifExp tbSuiviPrep tbRechercher "
    "tbEtiqArticle tbTransfert tbFichierArticle tbFichierExp tbIntegData mnuPosteColisage "
    "tbPosteColisage"_s.split(u' ');

QStringList nomsDesEntrees(const QList<QAction*>& actions) {
    QStringList noms;
    for (QAction* a : actions)
        noms << (a->isSeparator() ? u"-"_s : a->objectName());
    return noms;
}

QString texteDuPanneau(const FenetrePrincipale& f, const char* nom) {
    auto* label = f.findChild<QLabel*>(QString::fromLatin1(nom));
    return label ? label->text() : u"<absent>"_s;
}

QToolButton* boutonDe(const FenetrePrincipale& f, const char* nomAction) {
    for (auto* b : f.findChildren<QToolButton*>())
        if (b->defaultAction() && b->defaultAction()->objectName() == QLatin1String(nomAction))
            return b;
    return nullptr;
}

// Runs `geste` on the top-level window `nom` as soon as it shows (for the
// modal dialogs, whose exec() does not return until it acts).
void quandFenetre(const QString& nom, const std::function<void(QWidget*)>& geste) {
    auto* sonde = new QTimer;
    sonde->setInterval(10);
    QObject::connect(sonde, &QTimer::timeout, [sonde, nom, geste] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == nom && w->isVisible()) {
                sonde->stop();
                sonde->deleteLater();
                geste(w);
                return;
            }
    });
    sonde->start();
}

QVariant reglage(const char* cle) {
    QSettings s(u"Tarvo"_s, u"Tarvo"_s);
    return s.value(u"Settings/"_s + QLatin1String(cle));
}

void effacerReglages() {
    QSettings s(u"Tarvo"_s, u"Tarvo"_s);
    s.clear();
    s.sync();
}

QSize pixelsDe(const ui::Resolution& r, float largeur, float hauteur) {
    return {r.pixelsX(largeur), r.pixelsY(hauteur)};
}

} // namespace

class TestFenetres : public QObject {
    Q_OBJECT

    QTemporaryDir reglages_;

private slots:
    // Qt's own buttons, numbers and dates speak French whatever the system's
    // language and locale.
    void francaisPartout() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY(ui::chargerTraductions(*qApp));
        adopterLocaleFrancaise();
        QDialogButtonBox boutons(QDialogButtonBox::Cancel | QDialogButtonBox::Close |
                                 QDialogButtonBox::Open);
        const auto texte = [&](QDialogButtonBox::StandardButton b) {
            return boutons.button(b)->text().remove(u'&');
        };
        QCOMPARE(texte(QDialogButtonBox::Cancel), u"Annuler"_s);
        QCOMPARE(texte(QDialogButtonBox::Close), u"Fermer"_s);
        QCOMPARE(texte(QDialogButtonBox::Open), u"Ouvrir"_s);
        db::TexteCellules cellules;
        QCOMPARE(cellules.valeur(0.5), u"0,5"_s);
        QCOMPARE(cellules.valeur(1234.25), u"1234,25"_s);
        QCOMPARE(cellules.date(u"2026-12-06 00:00:00"_s), u"06/12/2026"_s);
    }

    // The file dialogs are Qt's own, in French, with French dates and sizes.
    void dialoguesFichiersEnFrancais() {
        QVERIFY(ui::chargerTraductions(*qApp));
        ui::franciserDialoguesFichiers(*qApp);
        QTemporaryDir dossier;
        QVERIFY(QDir(dossier.path()).mkdir(u"sous-dossier"_s));
        QFile fichier(dossier.filePath(u"vue.csv"_s));
        QVERIFY(fichier.open(QIODevice::WriteOnly));
        QCOMPARE(fichier.write("0123456789ab"), qint64{12});
        fichier.close();
        QVERIFY(fichier.open(QIODevice::ReadWrite));
        QVERIFY(fichier.setFileTime(QDateTime(QDate(2026, 12, 7), QTime(9, 5)),
                                    QFileDevice::FileModificationTime));
        fichier.close();

        QFileDialog dialogue(nullptr, u"Ouvrir"_s, dossier.path());
        dialogue.setViewMode(QFileDialog::Detail);
        dialogue.show();
        auto* vue = dialogue.findChild<QTreeView*>(u"treeView"_s);
        QVERIFY(vue);
        const auto cellule = [vue](const QString& nom, int colonne) {
            const QAbstractItemModel* modele = vue->model();
            const QModelIndex racine = vue->rootIndex();
            for (int ligne = 0; ligne < modele->rowCount(racine); ++ligne)
                if (modele->index(ligne, 0, racine).data().toString() == nom)
                    return modele->index(ligne, colonne, racine).data().toString();
            return QString();
        };
        // The list is read by Qt's own thread.
        QTRY_COMPARE(cellule(u"vue.csv"_s, 3), u"07/12/2026 09:05"_s);
        QCOMPARE(cellule(u"vue.csv"_s, 1), u"12 octets"_s);
        QTRY_COMPARE(cellule(u"sous-dossier"_s, 2), u"Dossier"_s);
    }

    // A save dialog opens in the documents folder with the name proposed,
    // then in the folder last chosen for that kind of file; the preview's
    // "Enregistrer en PDF..." goes through it.
    void dossiersDesEnregistrements() {
        QTemporaryDir maison;
        QVERIFY(QDir(maison.path()).mkdir(u"Documents"_s));
        const QByteArray ancienneMaison = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(maison.path()));
        qunsetenv("XDG_CONFIG_HOME");
        struct Retour {
            QByteArray maison;
            ~Retour() { qputenv("HOME", maison); }
        } retour{ancienneMaison};
        const QString documents = maison.path() + u"/Documents"_s;
        QCOMPARE(ui::dossierEnregistrement(ui::GenreFichier::Pdf), documents);

        BaseDeTest t;
        editions::Document d;
        d.titre = u"Essai"_s;
        d.nomFichier = u"Bon d'expédition 102.pdf"_s;
        d.taille = QSizeF(editions::LargeurPage, editions::HauteurPage);
        d.pages.resize(1);
        editions::ApercuEtat apercu(*t.ctx, d);
        QTemporaryDir ailleurs;
        const QString choisi = ailleurs.path() + u"/Bon 102.pdf"_s;
        QString dossier;
        QString propose;
        QTimer::singleShot(0, this, [&] {
            auto* dialogue = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialogue);
            dossier = dialogue->directory().absolutePath();
            propose = dialogue->findChild<QLineEdit*>(u"fileNameEdit"_s)->text();
            dialogue->selectFile(choisi);
            static_cast<QDialog*>(dialogue)->accept();
        });
        apercu.findChild<QPushButton*>(u"BtPdf"_s)->click();
        QCOMPARE(dossier, documents);
        QCOMPARE(propose, u"Bon d'expédition 102.pdf"_s);
        QVERIFY(QFile(choisi).size() > 0);
        QVERIFY(t.prompts.boites.isEmpty());

        // Each kind its own folder; a folder since removed gives way again.
        QCOMPARE(ui::dossierEnregistrement(ui::GenreFichier::Pdf), ailleurs.path());
        QCOMPARE(ui::dossierEnregistrement(ui::GenreFichier::Csv), documents);
        QVERIFY(ailleurs.remove());
        QCOMPARE(ui::dossierEnregistrement(ui::GenreFichier::Pdf), documents);
        QVERIFY(QDir(documents).removeRecursively());
        QCOMPARE(ui::dossierEnregistrement(ui::GenreFichier::Csv), maison.path());
    }

    // A window opened while another is maximised opens maximised too,
    // filling the area over the others, with the size it asked for once
    // restored; the others keep theirs.
    void fenetreOuverteSurUneFenetreAgrandie() {
        BaseDeTest t;
        FenetrePrincipale f(*t.ctx);
        f.resize(1000, 720);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        auto* zone = f.findChild<QMdiArea*>();
        const auto fabrique = [](const QString& titre, QSize taille) {
            return [titre, taille] {
                auto* w = new QWidget;
                w->setWindowTitle(titre);
                w->resize(taille);
                return w;
            };
        };
        QWidget* a = f.ouvrirFenetre(u"A"_s, fabrique(u"A"_s, QSize(300, 200)));
        auto* ca = qobject_cast<QMdiSubWindow*>(a->parentWidget());
        const QSize tailleA = ca->size();
        ca->showMaximized();
        QWidget* b = f.ouvrirFenetre(u"B"_s, fabrique(u"B"_s, QSize(420, 260)));
        auto* cb = qobject_cast<QMdiSubWindow*>(b->parentWidget());
        QCOMPARE(zone->activeSubWindow(), cb);
        QVERIFY(cb->isMaximized());
        QCOMPARE(cb->geometry(), zone->viewport()->rect());
        QVERIFY(cb->isVisible());

        cb->showNormal();
        QCOMPARE(b->size(), QSize(420, 260));
        QVERIFY(zone->viewport()->rect().contains(cb->geometry()));
        ca->showNormal();
        QCOMPARE(ca->size(), tailleA);
    }

    void initTestCase() {
        // Keep the person's own settings out of reach.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, reglages_.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, reglages_.path());
        qputenv("USERNAME", "dupont");
    }
    void init() { effacerReglages(); }

    void menusEtLibelles() {
        BaseDeTest t;
        FenetrePrincipale f(*t.ctx);
        QCOMPARE(f.objectName(), u"frmMain"_s);
        QCOMPARE(f.windowTitle(), u"Gestionnaire des expéditions"_s);

        QCOMPARE(nomsDesEntrees(f.menuBar()->actions()),
                 QStringList({u"mnuFile"_s, u"mnuExp"_s, u"mnuEtiq"_s, u"mnuTerminaux"_s,
                              u"mnuToolS"_s, u"mnuWindow"_s, u"mnuHelp"_s}));
        // Every entry under its control's name and caption, without a
        // shortcut; the menus that hold them by their own.
        int entrees = 0;
        for (int e = static_cast<int>(ui::Entree::mnuFichierArticle);
             e <= static_cast<int>(ui::Entree::tbPosteColisage); ++e, ++entrees) {
            const ui::DescriptionEntree d = ui::description(static_cast<ui::Entree>(e));
            QAction* a = f.action(static_cast<ui::Entree>(e));
            QVERIFY2(a, qPrintable(d.nomControle.toString()));
            QCOMPARE(a->objectName(), d.nomControle.toString());
            QCOMPARE(a->text(), d.libelle.toString());
            QVERIFY2(a->shortcut().isEmpty(), qPrintable(a->objectName()));
        }
        const QStringList menus =
            u"mnuFile=&Fichier|mnuExp=Expéditions|mnuCreationExp=Création des expéditions|"
            "mnuEtiq=Etiquettes|mnuTerminaux=Terminaux|mnuToolS=&Outils|mnuWindow=Fe&nêtre|mnuHelp="
            "&?|"
            "mnuEditionExp=Editions Expéditions"_s.split(u'|');
        for (const QString& menu : menus)
            QCOMPARE(f.action(menu.section(u'=', 0, 0))->text(), menu.section(u'=', 1));
        QCOMPARE(f.nomsControles().size(), entrees + menus.size());

        // The order of each menu, separators included.
        QCOMPARE(nomsDesEntrees(f.findChild<QMenu*>(u"mnuFile"_s)->actions()),
                 QStringList({u"mnuFichierArticle"_s, u"mnuFichierExp"_s, u"-"_s, u"mnuVerifData"_s,
                              u"mnuIntegData"_s, u"mnuJournal"_s, u"-"_s, u"mnuFileExit"_s}));
        QCOMPARE(nomsDesEntrees(f.findChild<QMenu*>(u"mnuExp"_s)->actions()),
                 QStringList(
                     {u"mnuCreationExp"_s, u"mnuModifExp"_s, u"mnuSuiviPrep"_s, u"mnuRechExp"_s}));
        QCOMPARE(nomsDesEntrees(f.findChild<QMenu*>(u"mnuCreationExp"_s)->actions()),
                 QStringList({u"mnuCreaExpAuto"_s, u"mnuCreaExpManuel"_s}));
        QCOMPARE(nomsDesEntrees(f.findChild<QMenu*>(u"mnuToolS"_s)->actions()),
                 QStringList({u"mnuToolSynchroArticle"_s, u"-"_s, u"mnuInfoSoc"_s}));
        QCOMPARE(nomsDesEntrees(f.mnuEditionExp()->actions()),
                 QStringList({u"mnuBonExp"_s, u"mnuEdEtiqExp"_s, u"mnuEdListeArticleExp"_s,
                              u"mnuEdEtatControle"_s, u"mnuEdEtatControleArt"_s,
                              u"mnuEdListeColisage"_s}));
        QVERIFY(!f.menuBar()->actions().contains(f.mnuEditionExp()->menuAction()));

        // Both toolbars in the band, with their buttons in order.
        auto* bande = f.findChild<QWidget*>(u"CoolBar1"_s);
        QVERIFY(bande);
        auto* barre1 = bande->findChild<QToolBar*>(u"Toolbar1"_s);
        auto* barre2 = bande->findChild<QToolBar*>(u"Toolbar2"_s);
        QVERIFY(barre1 && barre2);
        QCOMPARE(boutonDe(f, "tbCreerExp")->popupMode(), QToolButton::MenuButtonPopup);
        QCOMPARE(nomsDesEntrees(boutonDe(f, "tbCreerExp")->menu()->actions()),
                 QStringList({u"tbModeAuto"_s, u"tbModeManuel"_s}));
        QCOMPARE(nomsDesEntrees(boutonDe(f, "tbTransfert")->menu()->actions()),
                 QStringList({u"tbFichierArticle"_s, u"tbFichierExp"_s, u"tbVerifData"_s,
                              u"tbIntegData"_s, u"tbPosteColisage"_s}));
        QCOMPARE(boutonDe(f, "tbTransfert")->parentWidget(), barre2);
        // The toolbar's "Vérifier" runs the menu's once it is wired.
        QAction* verif = f.action(u"tbVerifData"_s);
        QVERIFY(!verif->isEnabled());
        int verifications = 0;
        f.brancher(ui::Entree::mnuVerifData, [&verifications] { ++verifications; });
        QVERIFY(verif->isEnabled());
        verif->trigger();
        QCOMPARE(verifications, 1);
        for (const char* nom :
             {"tbCreerExp", "tbModifExp", "tbSuiviPrep", "tbRechercher", "tbEtiqArticle"}) {
            QToolButton* b = boutonDe(f, nom);
            QVERIFY2(b && b->parentWidget() == barre1, nom);
            QVERIFY2(!b->icon().isNull(), nom);
        }
    }

    void entreesInactivesJusquABranchement() {
        BaseDeTest t;
        FenetrePrincipale f(*t.ctx);
        for (const QString& nom : EntreesAttendantLeurCommande)
            QVERIFY2(!f.action(nom)->isEnabled(), qPrintable(nom));
        for (const char* nom : {"mnuFileExit", "mnuWindowCascade", "mnuWindowTileHorizontal",
                                "mnuWindowTileVertical", "mnuWindowArrangeIcons", "mnuHelpAbout"})
            QVERIFY2(f.action(QString::fromUtf8(nom))->isEnabled(), nom);

        int appels = 0;
        f.brancher(ui::Entree::mnuJournal, [&] { ++appels; });
        QVERIFY(f.action(u"mnuJournal"_s)->isEnabled());
        f.action(u"mnuJournal"_s)->trigger();
        QCOMPARE(appels, 1);

        // The drop-down buttons: disabled until one of their entries is wired.
        QToolButton* creer = boutonDe(f, "tbCreerExp");
        QToolButton* transfert = boutonDe(f, "tbTransfert");
        QVERIFY(!creer->isEnabled());
        QVERIFY(!transfert->isEnabled());

        QStringList ouvertes;
        f.brancher(ui::Entree::mnuCreaExpManuel, [&] { ouvertes << u"manuel"_s; });
        f.brancher(ui::Entree::mnuCreaExpAuto, [&] { ouvertes << u"auto"_s; });
        f.brancher(ui::Entree::tbModeAuto, [&] { ouvertes << u"tb-auto"_s; });
        QVERIFY(creer->isEnabled());
        creer->click();
        QCOMPARE(ouvertes, QStringList({u"manuel"_s}));
        creer->menu()->actions().first()->trigger();
        QCOMPARE(ouvertes, QStringList({u"manuel"_s, u"tb-auto"_s}));

        // The face of "Transfert fichier" only makes its arrow usable.
        int fichiers = 0;
        f.brancher(ui::Entree::tbFichierExp, [&] { ++fichiers; });
        QVERIFY(transfert->isEnabled());
        transfert->click();
        QCOMPARE(fichiers, 0);
        f.action(u"tbFichierExp"_s)->trigger();
        QCOMPARE(fichiers, 1);
        QCOMPARE(ouvertes.size(), 2);
        // Once the face of "Créer expédition" is wired itself, it runs alone.
        f.brancher(ui::Entree::tbCreerExp, [&] { ouvertes << u"face"_s; });
        creer->click();
        QCOMPARE(ouvertes, QStringList({u"manuel"_s, u"tb-auto"_s, u"face"_s}));
    }

    void statutEtProgression() {
        BaseDeTest t;
        FenetrePrincipale f(*t.ctx);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QCOMPARE(texteDuPanneau(f, "panneauStatut"), u"État"_s);
        f.AfficheStatut(QString());
        QCOMPARE(texteDuPanneau(f, "panneauStatut"), u"Prêt"_s);
        f.statut(u"Intégration en cours..."_s);
        QCOMPARE(texteDuPanneau(f, "panneauStatut"), u"Intégration en cours..."_s);

        auto* barre = f.findChild<QProgressBar*>(u"PgBar"_s);
        QVERIFY(barre);
        QCOMPARE(barre->minimum(), 0);
        QCOMPARE(barre->maximum(), 100);
        QVERIFY(!barre->isVisible());
        f.AfficheProgression(0);
        QVERIFY(barre->isVisible());
        QCOMPARE(barre->value(), 0);
        f.progression(42);
        QCOMPARE(barre->value(), 42);
        QVERIFY(barre->isVisible());
        f.AfficheProgression(100);
        QVERIFY(!barre->isVisible());
        f.AfficheProgression(150);
        QVERIFY(!barre->isVisible());

        // Five panels: status, date and time of the clock, then the two lock keys.
        QCOMPARE(f.statusBar()->objectName(), u"sbStatusBar"_s);
        QCOMPARE(f.statusBar()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly).size(), 5);
        QCOMPARE(texteDuPanneau(f, "panneauDate"), u"19/04/2012"_s);
        QCOMPARE(texteDuPanneau(f, "panneauHeure"), u"13:42"_s);
        QCOMPARE(texteDuPanneau(f, "panneauMaj"), u"Maj"_s);
        QCOMPARE(texteDuPanneau(f, "panneauNum"), u"Num"_s);
        t.horloge.regler(QDateTime(QDate(2012, 4, 20), QTime(8, 5, 0)));
        QTRY_COMPARE_WITH_TIMEOUT(texteDuPanneau(f, "panneauHeure"), u"08:05"_s, 10000);
        QCOMPARE(texteDuPanneau(f, "panneauDate"), u"20/04/2012"_s);
    }

    // What a command leaves in the status bar stays until the next command
    // starts: the printer a label print went to, then the next command's own.
    void statutJusquALaCommandeSuivante() {
        BaseDeTest t;
        QTemporaryDir spool;
        QVERIFY(QDir(spool.path()).mkdir(u"ZEBRA-ART"_s));
        etiquettes::ImpressionDossier imprimantes(spool.path());
        FeedbackRelais relais;
        Contexte ctx(t.dossier.path(), t.prompts, relais, t.horloge);
        FenetrePrincipale f(ctx);
        relais.cible = &f;
        f.show();
        f.AfficheStatut(QString());
        f.brancher(ui::Entree::mnuEditEtiqCodeBarre, [&] {
            QVERIFY(etiquettes::ImprimanteEtiquettes(ctx, imprimantes, u"NomImprimanteArt"_s));
        });
        QString pendant;
        f.brancher(ui::Entree::mnuJournal, [&] {
            pendant = texteDuPanneau(f, "panneauStatut");
            ctx.afficheStatut(u"Journal : 3 lignes"_s);
        });
        f.brancher(ui::Entree::mnuRechExp, [&] { pendant = texteDuPanneau(f, "panneauStatut"); });

        f.action(u"mnuEditEtiqCodeBarre"_s)->trigger();
        const QString imprimante = texteDuPanneau(f, "panneauStatut");
        QVERIFY2(imprimante.startsWith(u"ZEBRA-ART: "_s), qPrintable(imprimante));
        f.action(u"mnuJournal"_s)->trigger();
        QCOMPARE(pendant, u"Prêt"_s);
        QCOMPARE(texteDuPanneau(f, "panneauStatut"), u"Journal : 3 lignes"_s);
        f.action(u"mnuRechExp"_s)->trigger();
        QCOMPARE(pendant, u"Prêt"_s);
        QCOMPARE(texteDuPanneau(f, "panneauStatut"), u"Prêt"_s);
    }

    void commandeConfirmee() {
        BaseDeTest t;
        FenetrePrincipale f(*t.ctx);
        int faits = 0;
        const QString titre = u"Génération du fichier Expédition"_s;
        const QString question = u"Générer le fichier Expédition pour le SCANPAL 2 ?"_s;
        t.prompts.reponses << false << true;
        f.commandeConfirmee(titre, question, [&] { return ++faits > 0; });
        QCOMPARE(faits, 0);
        f.commandeConfirmee(titre, question, [&] { return ++faits > 0; });
        QCOMPARE(faits, 1);
        QCOMPARE(t.prompts.titresEtTextes(),
                 (QStringList{titre + u'|' + question, titre + u'|' + question,
                              titre + u"|Traitement terminé."_s}));
        QCOMPARE(t.prompts.boites[0].icone, Icone::Question);
        QCOMPARE(t.prompts.boites[2].icone, Icone::Information);

        // A command that failed has shown its box: nothing says it is done.
        t.prompts.vider();
        t.prompts.reponses << true;
        f.commandeConfirmee(titre, question, [] { return false; });
        QCOMPARE(t.prompts.boites.size(), 1);
    }

    void echecDeCommande() {
        BaseDeTest t;
        FenetrePrincipale f(*t.ctx);
        f.brancher(ui::Entree::mnuJournal,
                   [] { throw ErreurTarvo(3000, u"Journal"_s, u"table absente"_s); });
        f.action(u"mnuJournal"_s)->trigger();
        QCOMPARE(t.prompts.boites.size(), 1);
        QCOMPARE(t.prompts.boites[0].icone, Icone::Critique);
        QVERIFY(t.prompts.boites[0].texte.contains(u"table absente"_s));
        QVERIFY(!f.commandeEnCours());

        // A command may not start while another one runs.
        int imbriquees = 0;
        f.brancher(ui::Entree::mnuRechExp, [&] { ++imbriquees; });
        f.brancher(ui::Entree::mnuModifExp, [&] { f.action(u"mnuRechExp"_s)->trigger(); });
        f.action(u"mnuModifExp"_s)->trigger();
        QCOMPARE(imbriquees, 0);
    }

    void arretSansEnregistrer() {
        BaseDeTest t;
        FenetrePrincipale f(*t.ctx);
        f.show();
        f.brancher(ui::Entree::mnuInfoSoc, [] { throw ArretProgramme(); });
        QTimer::singleShot(0, &f, [&f] { f.action(u"mnuInfoSoc"_s)->trigger(); });
        QCOMPARE(QApplication::exec(), 1);
        QVERIFY(!f.isVisible());
        // An end of program raised in any other guarded handler ends it too,
        // with its status.
        f.show();
        QTimer::singleShot(0, &f, [&t] { ui::garde(*t.ctx, [] { throw ArretProgramme(3); }); });
        QCOMPARE(QApplication::exec(), 3);
        QVERIFY(!f.isVisible());
        f.close();
        QVERIFY(!reglage("MainLeft").isValid());
    }

    // A slot connected through the guard: a failure of the core shows its
    // box, whatever it raised, and the window goes on.
    void echecDansUneFenetre() {
        BaseDeTest t;
        t.creerBase();
        QPushButton bouton(u"Enregistrer"_s);
        std::function<void()> commande = [&t] {
            db::Base(t.ctx->cnx.get())
                .preparer(db::TexteSql{u"SELECT * FROM Absente"_s})
                .executer();
        };
        int finies = 0;
        ui::connecterGarde(*t.ctx, &bouton, &QPushButton::clicked, &bouton, [&] {
            commande();
            ++finies;
        });
        bouton.show();
        QTest::mouseClick(&bouton, Qt::LeftButton);
        QCOMPARE(t.prompts.boites.size(), 1);
        QCOMPARE(t.prompts.boites[0].titre, u"Erreur"_s);
        QCOMPARE(t.prompts.boites[0].icone, Icone::Critique);
        QVERIFY2(t.prompts.boites[0].texte.contains(u"Absente"_s),
                 qPrintable(t.prompts.boites[0].texte));
        QCOMPARE(finies, 0);

        commande = [] { throw std::runtime_error("plus de mémoire"); };
        QTest::mouseClick(&bouton, Qt::LeftButton);
        QCOMPARE(t.prompts.boites.size(), 2);
        QCOMPARE(t.prompts.boites[1].titre, u"Erreur"_s);
        QVERIFY(t.prompts.boites[1].texte.contains(u"plus de mémoire"_s));

        commande = [] {};
        QTest::mouseClick(&bouton, Qt::LeftButton);
        QCOMPARE(finies, 1);
        QCOMPARE(t.prompts.boites.size(), 2);
        QVERIFY(bouton.isVisible());

        // A section missing from TARVOX.ini: its box, then the end.
        commande = [] { throw SectionIniIntrouvable(u"[ZEBRA]"_s); };
        QTimer::singleShot(0, &bouton, [&bouton] { bouton.click(); });
        QCOMPARE(QApplication::exec(), 1);
        QCOMPARE(t.prompts.boites.size(), 3);
        QVERIFY(t.prompts.boites[2].texte.contains(u"[ZEBRA]"_s));
    }

    // Should a handler still miss its guard on a site, the application shows
    // the box rather than lose the program.
    void dernierRecoursHorsDebogage() {
#ifndef NDEBUG
        QSKIP("Une construction de mise au point s'arrête à la place.");
#else
        BaseDeTest t;
        auto* application = static_cast<ui::ApplicationTarvo*>(QCoreApplication::instance());
        application->setContexte(t.ctx.get());
        QPushButton bouton(u"Enregistrer"_s);
        QObject::connect(&bouton, &QPushButton::clicked, &bouton,
                         [] { throw ErreurTarvo(3000, u"Colis"_s, u"verrou"_s); });
        bouton.show();
        QTest::mouseClick(&bouton, Qt::LeftButton);
        application->setContexte(nullptr);
        QCOMPARE(t.prompts.boites.size(), 1);
        QCOMPARE(t.prompts.boites[0].titre, u"Erreur"_s);
        QVERIFY(t.prompts.boites[0].texte.contains(u"verrou"_s));
        QVERIFY(bouton.isVisible());
#endif
    }

    // In a debug build an exception that reaches the event loop is a fault
    // of the code: the program stops at once and names it. Run in a child
    // process, which is the one that stops.
    void exceptionNonGardeeArreteLeDebogage() {
#ifdef NDEBUG
        QSKIP("Une construction de production montre la boîte à la place.");
#else
        if (qEnvironmentVariableIsSet("TARVO_ENFANT_NON_GARDE")) {
            QPushButton bouton(u"Enregistrer"_s);
            QObject::connect(&bouton, &QPushButton::clicked, &bouton,
                             [] { throw ErreurTarvo(3000, u"Colis"_s, u"verrou"_s); });
            bouton.show();
            QTest::mouseClick(&bouton, Qt::LeftButton);
            QFAIL("le programme aurait dû s'arrêter");
        }
        QProcess enfant;
        QProcessEnvironment environnement = QProcessEnvironment::systemEnvironment();
        environnement.insert(u"TARVO_ENFANT_NON_GARDE"_s, u"1"_s);
        enfant.setProcessEnvironment(environnement);
        enfant.setProcessChannelMode(QProcess::MergedChannels);
        enfant.start(QCoreApplication::applicationFilePath(),
                     {u"exceptionNonGardeeArreteLeDebogage"_s});
        QVERIFY(enfant.waitForFinished(120000));
        const QByteArray sortie = enfant.readAll();
        QVERIFY2(enfant.exitStatus() == QProcess::CrashExit || enfant.exitCode() != 0,
                 sortie.constData());
        QVERIFY2(sortie.contains("Exception non gard") && sortie.contains("verrou"),
                 sortie.constData());
#endif
    }

    void fenetresUniques() {
        BaseDeTest t;
        FenetrePrincipale f(*t.ctx);
        f.show();
        int fabriquees = 0;
        const auto fabrique = [&] {
            ++fabriquees;
            auto* w = new QWidget;
            w->setWindowTitle(u"Journal"_s);
            return w;
        };
        QWidget* premiere = f.ouvrirFenetre(u"Journal"_s, fabrique);
        QCOMPARE(f.ouvrirFenetre(u"Journal"_s, fabrique), premiere);
        QCOMPARE(fabriquees, 1);
        QCOMPARE(f.fenetreOuverte(u"Journal"_s), premiere);

        // Listed at the bottom of the Window menu.
        auto* menu = f.findChild<QMenu*>(u"mnuWindow"_s);
        emit menu->aboutToShow();
        QCOMPARE(menu->actions().last()->text(), u"&1 Journal"_s);
        emit menu->aboutToShow();
        QCOMPARE(menu->actions().size(), 6);

        // Closed by its frame or by itself, it is gone with its frame.
        auto* zone = f.findChild<QMdiArea*>();
        premiere->parentWidget()->close();
        QTRY_COMPARE(f.fenetreOuverte(u"Journal"_s), nullptr);
        QWidget* seconde = f.ouvrirFenetre(u"Journal"_s, fabrique);
        QCOMPARE(fabriquees, 2);
        QCOMPARE(zone->subWindowList().size(), 1);
        seconde->close();
        QTRY_COMPARE(zone->subWindowList().size(), 0);
        QTRY_COMPARE(f.fenetreOuverte(u"Journal"_s), nullptr);
    }

    void arrangementDesFenetres() {
        BaseDeTest t;
        FenetrePrincipale f(*t.ctx);
        f.resize(900, 700);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QWidget* a = f.ouvrirFenetre(u"A"_s, [] { return new QWidget; });
        QWidget* b = f.ouvrirFenetre(u"B"_s, [] { return new QWidget; });
        QWidget* ca = a->parentWidget();
        QWidget* cb = b->parentWidget();

        f.action(u"mnuWindowTileVertical"_s)->trigger();
        QCOMPARE(ca->y(), cb->y());
        QCOMPARE(ca->height(), cb->height());
        QVERIFY(ca->x() != cb->x());
        f.action(u"mnuWindowTileHorizontal"_s)->trigger();
        QCOMPARE(ca->x(), cb->x());
        QCOMPARE(ca->width(), cb->width());
        QVERIFY(ca->y() != cb->y());
        f.action(u"mnuWindowCascade"_s)->trigger();
        QVERIFY(ca->pos() != cb->pos());

        cb->showMinimized();
        f.action(u"mnuWindowArrangeIcons"_s)->trigger();
        const QWidget* zone = f.findChild<QMdiArea*>()->viewport();
        QCOMPARE(cb->geometry().bottom(), zone->rect().bottom());
        QCOMPARE(cb->x(), 0);
    }

    void geometrieEnregistreeEtRelue() {
        BaseDeTest t;
        {
            FenetrePrincipale f(*t.ctx);
            f.show();
            f.move(120, 90);
            f.resize(640, 480);
            f.action(u"mnuFileExit"_s)->trigger();
            QVERIFY(!f.isVisible());
        }
        const ui::Resolution r = ui::resolutionEcran(nullptr);
        // Decimal text of the value in twips.
        for (const char* cle : {"MainLeft", "MainTop", "MainWidth", "MainHeight"})
            QVERIFY2(QRegularExpression(u"^[0-9]+(\\.[0-9]+)?$"_s)
                         .match(reglage(cle).toString())
                         .hasMatch(),
                     cle);
        QCOMPARE(reglage("MainLeft").toString().toFloat(), r.twipsX(120));
        QCOMPARE(reglage("MainTop").toString().toFloat(), r.twipsY(90));
        QCOMPARE(reglage("MainWidth").toString().toFloat(), r.twipsX(640));
        QCOMPARE(reglage("MainHeight").toString().toFloat(), r.twipsY(480));

        FenetrePrincipale g(*t.ctx);
        QCOMPARE(g.pos(), QPoint(120, 90));
        QCOMPARE(g.size(), QSize(640, 480));

        // Quitting while minimised keeps what the previous quit stored.
        g.show();
        g.move(300, 300);
        g.showMinimized();
        g.close();
        QCOMPARE(reglage("MainLeft").toString().toFloat(), r.twipsX(120));
    }

    // The first run shows the whole toolbar band; every shipment window opens
    // with its lists and buttons in sight and its columns as wide as their
    // texts (within a bound), on the demo data.
    void fenetresLisibles() {
        BaseDeTest t;
        t.creerBase(true);
        FenetrePrincipale f(*t.ctx);
        ui::brancherCommandes(f);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        for (auto* barre : f.findChildren<QToolBar*>()) {
            auto* chevron = barre->findChild<QToolButton*>(u"qt_toolbar_ext_button"_s);
            QVERIFY2(!chevron || !chevron->isVisible(), qPrintable(barre->objectName()));
        }
        for (const char* entree : {"mnuModifExp", "mnuCreaExpManuel", "mnuCreaExpAuto",
                                   "mnuJournal", "mnuFichierArticle", "mnuInfoSoc"}) {
            f.action(QString::fromUtf8(entree))->trigger();
            QWidget* fenetre = f.findChild<QMdiArea*>()->activeSubWindow()->widget();
            QTest::qWait(20);
            for (auto* bouton : fenetre->findChildren<QPushButton*>())
                if (bouton->isVisible())
                    QVERIFY2(fenetre->rect().contains(bouton->geometry()), entree);
            for (auto* vue : fenetre->findChildren<QAbstractItemView*>())
                if (vue->isVisible() && !qobject_cast<QHeaderView*>(vue))
                    QVERIFY2(vue->width() >= 480 && vue->height() >= 100,
                             qPrintable(QString::fromUtf8(entree) + u' ' + vue->objectName() +
                                        u' ' + QString::number(vue->width()) + u'x' +
                                        QString::number(vue->height())));
            for (auto* liste : fenetre->findChildren<expeditions::ListeRapport*>()) {
                QVERIFY2(liste->height() >= 3 * liste->sizeHintForRow(0), entree);
                const QFontMetrics fm(liste->font());
                for (int c = 0; c + 1 < liste->model()->columnCount(); ++c)
                    for (int r = 0; r < liste->nombreLignes(); ++r)
                        QVERIFY2(fm.horizontalAdvance(liste->texte(r, c)) <= liste->columnWidth(c),
                                 qPrintable(liste->objectName() + u' ' + liste->texte(r, c)));
            }
        }
    }

    // Cascading keeps every window at least as large as its controls need, and
    // each creation window opens whole inside the working area, whatever was
    // opened before it and however small the main window is.
    void fenetresEntieresEtUtilisables() {
        BaseDeTest t;
        t.creerBase(true);
        FenetrePrincipale f(*t.ctx);
        ui::brancherCommandes(f);
        f.resize(1024, 720);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        auto* zone = f.findChild<QMdiArea*>();
        const auto dedans = [zone](const char* entree) {
            const QMdiSubWindow* cadre = zone->activeSubWindow();
            return QString::fromUtf8(entree) + u' ' + cadre->widget()->objectName() + u' ' +
                   QString::number(cadre->x()) + u',' + QString::number(cadre->y()) + u' ' +
                   QString::number(cadre->width()) + u'x' + QString::number(cadre->height()) +
                   u" dans "_s + QString::number(zone->viewport()->width()) + u'x' +
                   QString::number(zone->viewport()->height());
        };
        for (const char* entree : {"mnuModifExp", "mnuJournal", "mnuCreaExpManuel", "mnuInfoSoc",
                                   "mnuCreaExpAuto", "mnuSuiviPrep"}) {
            f.action(QString::fromUtf8(entree))->trigger();
            QVERIFY2(zone->activeSubWindow(), entree);
            QVERIFY2(zone->viewport()->rect().contains(zone->activeSubWindow()->geometry()),
                     qPrintable(dedans(entree)));
        }

        f.action(u"mnuWindowCascade"_s)->trigger();
        QSet<std::pair<int, int>> coins;
        for (QMdiSubWindow* cadre : zone->subWindowList(QMdiArea::StackingOrder)) {
            const QString nom = cadre->widget()->objectName();
            QVERIFY2(cadre->width() >= cadre->minimumSizeHint().width() &&
                         cadre->height() >= cadre->minimumSizeHint().height(),
                     qPrintable(nom));
            QVERIFY2(zone->viewport()->rect().contains(cadre->geometry()), qPrintable(nom));
            for (auto* vue : cadre->widget()->findChildren<QAbstractItemView*>())
                if (vue->isVisible() && !qobject_cast<QHeaderView*>(vue))
                    QVERIFY2(vue->width() >= 480 && vue->height() >= 100,
                             qPrintable(nom + u' ' + QString::number(vue->width()) + u'x' +
                                        QString::number(vue->height())));
            coins.insert({cadre->x(), cadre->y()});
        }
        // Each one offset from the others, its title bar in sight.
        QCOMPARE(coins.size(), zone->subWindowList().size());

        // Closed, then opened again from a smaller main window with another
        // window before it.
        zone->closeAllSubWindows();
        QTRY_COMPARE(f.fenetreOuverte(u"ExpNewAuto"_s), nullptr);
        QTRY_COMPARE(f.fenetreOuverte(u"Journal"_s), nullptr);
        f.resize(800, 600);
        QTRY_VERIFY(zone->viewport()->height() < 600);
        for (const char* entree : {"mnuJournal", "mnuCreaExpAuto"}) {
            f.action(QString::fromUtf8(entree))->trigger();
            QVERIFY2(zone->activeSubWindow(), entree);
            QVERIFY2(zone->viewport()->rect().contains(zone->activeSubWindow()->geometry()),
                     qPrintable(dedans(entree)));
        }
    }

    // Nothing stored: the default place; unreadable values: their defaults.
    void geometriePremierLancementOuIllisible() {
        BaseDeTest t;
        FenetrePrincipale premier(*t.ctx);
        const ui::Resolution r = ui::resolutionEcran(&premier);
        QCOMPARE(premier.pos(), QPoint(r.pixelsX(1000), r.pixelsY(1000)));
        // Wide enough for the toolbar band, within the screen, never smaller
        // than the stored defaults.
        const QSize ecran = premier.screen()->availableSize();
        const int bande = premier.findChild<QWidget*>(u"CoolBar1"_s)->sizeHint().width();
        QVERIFY(premier.width() >= std::min(ecran.width(), bande));
        QCOMPARE(premier.size().boundedTo(ecran), premier.size());
        QCOMPARE(premier.size().expandedTo(pixelsDe(r, 6500, 6500).boundedTo(ecran)),
                 premier.size());
        {
            QSettings s(u"Tarvo"_s, u"Tarvo"_s);
            s.setValue(u"Settings/MainLeft"_s, u"n'importe quoi"_s);
            s.setValue(u"Settings/MainTop"_s, u"1500,0"_s);
            s.setValue(u"Settings/MainWidth"_s, u"1e30"_s);
        }
        const ui::GeometrieTwips g = ui::lireGeometrie();
        QCOMPARE(g.gauche, 1000.0f);
        QCOMPARE(g.haut, 1500.0f);
        QCOMPARE(g.hauteur, 6500.0f);
        FenetrePrincipale f(*t.ctx);
        QVERIFY(f.width() > 0 && f.width() <= QWIDGETSIZE_MAX);
    }

    void dialogueDeConnexionReessaie() {
        BaseDeTest t;
        t.creerBase();
        t.prompts.vider();
        t.ctx->modeSecurite = u"SQL"_s;
        ui::DialogueConnexion login(*t.ctx);
        QCOMPARE(login.objectName(), u"frmLogin"_s);
        QCOMPARE(login.windowTitle(), u"Ouverture de session"_s);
        QCOMPARE(login.txtUserName()->text(), u"dupont"_s);
        QCOMPARE(login.txtPassword()->echoMode(), QLineEdit::Password);
        QVERIFY(login.txtPassword()->text().isEmpty());
        auto* ok = login.findChild<QPushButton*>(u"cmdOK"_s);
        auto* annuler = login.findChild<QPushButton*>(u"cmdCancel"_s);
        QCOMPARE(ok->text(), u"OK"_s);
        QVERIFY(ok->isDefault());
        QCOMPARE(annuler->text(), u"Annuler"_s);
        QStringList libelles;
        for (auto* l : login.findChildren<QLabel*>())
            libelles << l->text();
        QVERIFY(libelles.contains(u"&Utilisateur:"_s));
        QVERIFY(libelles.contains(u"&Mot de passe:"_s));

        login.show();
        login.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&login));
        for (int essai = 1; essai <= 3; ++essai) {
            login.txtUserName()->setFocus();
            login.txtPassword()->setText(u"secret%1"_s.arg(essai));
            QCOMPARE(login.txtPassword()->displayText(), u"*******"_s);
            QTest::keyClick(&login, Qt::Key_Return);
            QCOMPARE(t.prompts.boites.size(), essai);
            QCOMPARE(t.prompts.boites.last().titre, u"Problème de connexion"_s);
            QVERIFY(login.isVisible());
            QVERIFY(!login.LoginOK());
            QCOMPARE(QApplication::focusWidget(), login.txtPassword());
            QCOMPARE(login.txtPassword()->selectedText(), u"secret%1"_s.arg(essai));
        }
        t.ctx->modeSecurite = u"INTEG"_s;
        ok->click();
        QCOMPARE(t.prompts.boites.size(), 3);
        QVERIFY(login.LoginOK());
        QCOMPARE(login.result(), int(QDialog::Accepted));
        QVERIFY(!login.isVisible());
        QVERIFY(t.ctx->cnx->estOuverte());
    }

    void dialogueDeConnexionAbandonne() {
        BaseDeTest t;
        ui::DialogueConnexion login(*t.ctx);
        login.show();
        login.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&login));
        QTest::keyClick(&login, Qt::Key_Escape);
        QVERIFY(!login.isVisible());
        QVERIFY(!login.LoginOK());
        QVERIFY(t.prompts.boites.isEmpty());

        // A configuration without [DB] ends the start-up from the dialog.
        t.ecrireIni("[Autre]\r\nCLE=1\r\n");
        ui::DialogueConnexion sansBase(*t.ctx);
        sansBase.valider();
        QVERIFY(sansBase.arretDemande());
        QVERIFY(!sansBase.LoginOK());
        QCOMPARE(t.prompts.boites.size(), 1);
    }

    void demarrageIntegreOuParDialogue() {
        BaseDeTest t;
        t.creerBase(true);
        t.ctx->cnx.reset();
        t.prompts.vider();
        t.ecrireIni(
            iniParDefaut(t.dossier.path()).replace("SECURITYMODE=INTEG", "SECURITYMODE=integ"));
        QStringList lances;
        std::unique_ptr<FenetrePrincipale> f = ui::Demarrer(*t.ctx, [&](const QString& c) {
            lances << c;
            return true;
        });
        QVERIFY(f);
        QVERIFY(f->isVisible());
        QCOMPARE(texteDuPanneau(*f, "panneauStatut"), u"Prêt"_s);
        QVERIFY(!f->findChild<QProgressBar*>(u"PgBar"_s)->isVisible());
        QVERIFY(t.ctx->cnx && t.ctx->cnx->estOuverte());
        QCOMPARE(t.ctx->modeSecurite, u"INTEG"_s);
        QVERIFY(t.ctx->controleParGamme);
        QVERIFY(t.prompts.boites.isEmpty());
        QVERIFY(lances.isEmpty());
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY(w->objectName() != u"frmSplash"_s);
        f.reset();

        // Through the dialog, wrong once, then accepted: the dialog stays
        // until the connection opens.
        t.ctx->cnx.reset();
        t.ecrireIni(iniParDefaut(t.dossier.path()).replace("SECURITYMODE=INTEG", "SECURITYMODE="));
        quandFenetre(u"frmLogin"_s, [&](QWidget* w) {
            auto* login = static_cast<ui::DialogueConnexion*>(w);
            QCOMPARE(t.ctx->modeSecurite, u"SQL"_s);
            login->valider();
            QVERIFY(login->isVisible());
            t.ctx->modeSecurite = u"INTEG"_s;
            login->findChild<QPushButton*>(u"cmdOK"_s)->click();
        });
        f = ui::Demarrer(*t.ctx, nullptr);
        QVERIFY(f && f->isVisible());
        QCOMPARE(t.prompts.boites.size(), 1);
        QCOMPARE(t.prompts.boites[0].titre, u"Problème de connexion"_s);
        f.reset();

        // Given up: the program ends quietly.
        t.ctx->cnx.reset();
        t.prompts.vider();
        quandFenetre(u"frmLogin"_s,
                     [](QWidget* w) { w->findChild<QPushButton*>(u"cmdCancel"_s)->click(); });
        try {
            ui::Demarrer(*t.ctx, nullptr);
            QFAIL("la connexion abandonnée doit arrêter le programme");
        } catch (const ArretProgramme& arret) {
            QCOMPARE(arret.code(), 0);
        }
        QVERIFY(t.prompts.boites.isEmpty());
        QVERIFY(!t.ctx->cnx || !t.ctx->cnx->estOuverte());
    }

    void demarrageInterrompu() {
        BaseDeTest t;
        t.ecrireFichier(u"version.ini"_s,
                        "[TARVOX]\r\nVersionRef=0.0.1\r\nUpdateFile=/opt/maj/installer -q\r\n");
        QStringList lances;
        const auto lanceur = [&](const QString& c) {
            lances << c;
            return true;
        };

        // Update accepted: it starts and the program ends before any login.
        t.prompts.reponses << true;
        QVERIFY_THROWS_EXCEPTION(ArretProgramme, ui::Demarrer(*t.ctx, lanceur));
        QCOMPARE(lances, QStringList({u"/opt/maj/installer -q"_s}));
        QCOMPARE(t.prompts.boites.size(), 1);
        QCOMPARE(t.prompts.boites[0].titre, u"Lancement interrompu - VERSION INCORRECTE"_s);

        // Refused, then confirmed twice: start-up goes on to the main window.
        t.prompts.vider();
        t.creerBase();
        t.ctx->cnx.reset();
        t.prompts.vider();
        t.prompts.reponses << false << true << true;
        std::unique_ptr<FenetrePrincipale> f = ui::Demarrer(*t.ctx, lanceur);
        QVERIFY(f && f->isVisible());
        QCOMPARE(t.prompts.boites.size(), 3);
        QCOMPARE(lances.size(), 1);
        f.reset();

        // No configuration file: one box, and nothing else happens.
        QFile::remove(t.chemin(u"TARVOX.ini"_s));
        t.prompts.vider();
        QVERIFY_THROWS_EXCEPTION(ArretProgramme, ui::Demarrer(*t.ctx, lanceur));
        QCOMPARE(t.prompts.titresEtTextes(),
                 QStringList{u"Lancement interrompu|Le fichier d'initialisation suivant est "
                             u"introuvable : TARVOX.ini"_s});
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY(!w->isVisible() || w->objectName() != u"frmSplash"_s);
    }

    void demarrageEtAPropos() {
        ui::FenetreDemarrage splash;
        QCOMPARE(splash.objectName(), u"frmSplash"_s);
        QCOMPARE(splash.findChild<QLabel*>(u"lblProductName"_s)->text(), u"Tarvo"_s);
        QCOMPARE(splash.findChild<QLabel*>(u"lblVersion"_s)->text(),
                 u"Version "_s + VersionCourante());
        QCOMPARE(splash.findChild<QLabel*>(u"lblCompany"_s)->text(), NomSociete());
        QCOMPARE(splash.findChild<QLabel*>(u"lblFileDescription"_s)->text(), DescriptionFichier());
        QVERIFY(DescriptionFichier().contains(u"barres.   Ce logiciel"_s));
        splash.afficher();
        QVERIFY(splash.isVisible());

        BaseDeTest t;
        ui::FenetreAPropos apropos(*t.ctx);
        QCOMPARE(apropos.objectName(), u"frmAbout"_s);
        QCOMPARE(apropos.windowTitle(), u"À propos de Tarvo"_s);
        QCOMPARE(apropos.findChild<QLabel*>(u"lblTitle"_s)->text(), u"Tarvo"_s);
        QCOMPARE(apropos.findChild<QLabel*>(u"lblVersion"_s)->text(),
                 splash.findChild<QLabel*>(u"lblVersion"_s)->text());
        QCOMPARE(apropos.findChild<QLabel*>(u"lblDescription"_s)->text(), DescriptionFichier());
        QVERIFY(!apropos.findChild<QLabel*>(u"picIcon"_s)->pixmap().isNull());
        QVERIFY(apropos.findChild<QFrame*>(u"Line1"_s) && apropos.findChild<QFrame*>(u"Line2"_s));
        auto* ok = apropos.findChild<QPushButton*>(u"cmdOK"_s);
        auto* systeme = apropos.findChild<QPushButton*>(u"cmdSysInfo"_s);
        QCOMPARE(ok->text(), u"OK"_s);
        QVERIFY(ok->isDefault());
        QCOMPARE(systeme->text(), u"Infos &système..."_s);

        apropos.show();
        apropos.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&apropos));
        systeme->click();
        QCOMPARE(
            t.prompts.titresEtTextes(),
            QStringList{u"|Les informations système ne sont pas disponibles pour l'instant"_s});
        QCOMPARE(t.prompts.boites[0].icone, Icone::Aucune);
        QVERIFY(apropos.isVisible());
        QTest::keyClick(&apropos, Qt::Key_Escape);
        QVERIFY(!apropos.isVisible());
    }

    void aProposDepuisLeMenu() {
        BaseDeTest t;
        FenetrePrincipale f(*t.ctx);
        f.show();
        QWidget* proprietaire = nullptr;
        bool modale = false;
        quandFenetre(u"frmAbout"_s, [&](QWidget* w) {
            proprietaire = w->parentWidget();
            modale = w->isModal();
            w->findChild<QPushButton*>(u"cmdOK"_s)->click();
        });
        f.action(u"mnuHelpAbout"_s)->trigger();
        QCOMPARE(proprietaire, &f);
        QVERIFY(modale);
    }
};

// The program's own application object, so that its safety net is tested too.
int main(int argc, char* argv[]) {
    ui::ApplicationTarvo application(argc, argv);
    TestFenetres essais;
    return QTest::qExec(&essais, argc, argv);
}
#include "test_fenetres.moc"
