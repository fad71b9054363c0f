#include "FenetrePrincipale.h"

#include "APropos.h"
#include "CommandeDeFond.h"
#include "EtatVerrous.h"
#include "Garde.h"
#include "Geometrie.h"
#include "Logo.h"
#include "SequenceDemarrage.h"
#include "app/Contexte.h"
#include "base/FormesMessages.h"
#include "base/Ini.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace tarvo::ui {
namespace {

const QString TexteTermine = QStringLiteral("Traitement terminé.");
const QString TextePret = QStringLiteral("Prêt");
// The first run's size: room for the shipment windows side by side with
// their lists.
constexpr int LargeurPremierLancement = 1024;
constexpr int HauteurPremierLancement = 720;
// The window's own margins around the toolbar band.
constexpr int MargesBande = 40;

// Lets the window repaint during a long command without letting the person
// start another one.
void rafraichir() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QLabel* panneau(QStatusBar* barre, const QString& nom, const QString& texte, int etirement) {
    auto* label = new QLabel(texte, barre);
    label->setObjectName(nom);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setContentsMargins(4, 0, 4, 0);
    if (etirement > 0)
        barre->addWidget(label, etirement);
    else
        barre->addPermanentWidget(label);
    return label;
}

// The child windows that are neither hidden nor minimised, in stacking order.
QList<QMdiSubWindow*> fenetresVisibles(QMdiArea* zone) {
    QList<QMdiSubWindow*> liste;
    for (QMdiSubWindow* f : zone->subWindowList(QMdiArea::StackingOrder))
        if (f->isVisible() && !f->isMinimized())
            liste << f;
    return liste;
}

// One above the other when `horizontale`, side by side otherwise.
void mosaique(QMdiArea* zone, bool horizontale) {
    const QList<QMdiSubWindow*> liste = fenetresVisibles(zone);
    if (liste.isEmpty())
        return;
    const QRect cadre = zone->viewport()->rect();
    const int n = static_cast<int>(liste.size());
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* f = liste[i];
        f->showNormal();
        if (horizontale) {
            const int haut = cadre.height() * i / n;
            f->setGeometry(0, haut, cadre.width(), cadre.height() * (i + 1) / n - haut);
        } else {
            const int gauche = cadre.width() * i / n;
            f->setGeometry(gauche, 0, cadre.width() * (i + 1) / n - gauche, cadre.height());
        }
    }
}

// Where `cadre` goes to lie whole inside `place`; a frame larger than the
// place keeps its title bar in sight.
QPoint dansLaZone(const QRect& cadre, const QRect& place) {
    const int x = std::max(place.left(), std::min(cadre.left(), place.right() - cadre.width() + 1));
    const int y = std::max(place.top(), std::min(cadre.top(), place.bottom() - cadre.height() + 1));
    return {x, y};
}

// Each window one title bar lower and to the right of the one below it. The
// platform's cascade would give each its preferred size, far too small for
// the lists of the working windows: here a window keeps its size, less only
// what would stick out of the area, and never less than its controls need.
void cascade(QMdiArea* zone) {
    const QList<QMdiSubWindow*> liste = fenetresVisibles(zone);
    if (liste.isEmpty())
        return;
    const QRect place = zone->viewport()->rect();
    const QStyle* style = liste.first()->style();
    const int pas =
        std::max(style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, liste.first()), 16);
    int decalage = 0;
    for (QMdiSubWindow* f : liste) {
        f->showNormal();
        const QRect reste = place.adjusted(decalage, decalage, 0, 0);
        const QSize taille = f->size().boundedTo(reste.size()).expandedTo(f->minimumSizeHint());
        f->resize(taille);
        f->move(dansLaZone(QRect(reste.topLeft(), taille), place));
        // Many windows start again from the top-left corner rather than pile
        // up in the opposite one.
        decalage += pas;
        if (decalage > std::min(place.width(), place.height()) / 2)
            decalage = 0;
    }
}

// Lines the minimised child windows up along the bottom edge.
void arrangerIcones(QMdiArea* zone) {
    const QRect cadre = zone->viewport()->rect();
    int x = 0;
    int bas = cadre.height();
    for (QMdiSubWindow* f : zone->subWindowList(QMdiArea::CreationOrder)) {
        if (!f->isMinimized())
            continue;
        if (x > 0 && x + f->width() > cadre.width()) {
            x = 0;
            bas -= f->height();
        }
        f->move(x, bas - f->height());
        x += f->width();
    }
}

} // namespace

FenetrePrincipale::FenetrePrincipale(Contexte& ctx, QWidget* parent)
    : QMainWindow(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Gestionnaire des expéditions"));
    setWindowIcon(QIcon(logoTarvo(64)));

    auto* centre = new QWidget(this);
    auto* disposition = new QVBoxLayout(centre);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->setSpacing(0);
    setCentralWidget(centre);

    construireMenus();
    construireBarresOutils();

    zone_ = new QMdiArea(centre);
    zone_->setObjectName(QStringLiteral("zoneTravail"));
    zone_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    zone_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    disposition->addWidget(zone_, 1);

    pgBar_ = new QProgressBar(centre);
    pgBar_->setObjectName(QStringLiteral("PgBar"));
    pgBar_->setRange(0, 100);
    auto* annuler = new QPushButton(QStringLiteral("Annuler"), centre);
    annuler->setObjectName(QStringLiteral("BtAnnulerFond"));
    fond_ = std::make_unique<CommandeDeFond>(ctx_, this, *this, annuler);
    auto* progression = new QHBoxLayout;
    progression->addWidget(pgBar_, 1);
    progression->addWidget(annuler);
    disposition->addLayout(progression);

    construireBarreEtat();

    AfficheProgression(100);
    restaurerGeometrie();
}

FenetrePrincipale::~FenetrePrincipale() = default;

bool FenetrePrincipale::commandeDeFond(const TravailHorsFenetre& travail) {
    return fond_->lancer(travail);
}

bool FenetrePrincipale::commandeDeFondEnCours() const {
    return fond_->enCours();
}

QAction* FenetrePrincipale::creerEntree(QMenu* menu, Entree entree) {
    const DescriptionEntree d = description(entree);
    auto* action = new QAction(d.libelle.toString(), this);
    action->setObjectName(d.nomControle.toString());
    action->setEnabled(false);
    if (menu)
        menu->addAction(action);
    actions_.insert(action->objectName(), action);
    return action;
}

QMenu* FenetrePrincipale::creerMenu(QMenu* parent, const QString& nom, const QString& texte) {
    QMenu* menu = parent ? parent->addMenu(texte) : menuBar()->addMenu(texte);
    menu->setObjectName(nom);
    menu->menuAction()->setObjectName(nom);
    actions_.insert(nom, menu->menuAction());
    return menu;
}

void FenetrePrincipale::construireMenus() {
    menuBar()->setObjectName(QStringLiteral("menuPrincipal"));

    QMenu* fichier = creerMenu(nullptr, QStringLiteral("mnuFile"), QStringLiteral("&Fichier"));
    creerEntree(fichier, Entree::mnuFichierArticle);
    creerEntree(fichier, Entree::mnuFichierExp);
    fichier->addSeparator();
    // Checking the terminals' file comes before integrating it.
    creerEntree(fichier, Entree::mnuVerifData);
    creerEntree(fichier, Entree::mnuIntegData);
    creerEntree(fichier, Entree::mnuJournal);
    fichier->addSeparator();
    creerEntree(fichier, Entree::mnuFileExit);

    QMenu* exp = creerMenu(nullptr, QStringLiteral("mnuExp"), QStringLiteral("Expéditions"));
    QMenu* creation = creerMenu(exp, QStringLiteral("mnuCreationExp"),
                                QStringLiteral("Création des expéditions"));
    creerEntree(creation, Entree::mnuCreaExpAuto);
    creerEntree(creation, Entree::mnuCreaExpManuel);
    creerEntree(exp, Entree::mnuModifExp);
    creerEntree(exp, Entree::mnuSuiviPrep);
    creerEntree(exp, Entree::mnuRechExp);

    QMenu* etiq = creerMenu(nullptr, QStringLiteral("mnuEtiq"), QStringLiteral("Etiquettes"));
    creerEntree(etiq, Entree::mnuEditEtiqCodeBarre);

    QMenu* terminaux =
        creerMenu(nullptr, QStringLiteral("mnuTerminaux"), QStringLiteral("Terminaux"));
    creerEntree(terminaux, Entree::mnuPosteColisage);

    QMenu* outils = creerMenu(nullptr, QStringLiteral("mnuToolS"), QStringLiteral("&Outils"));
    creerEntree(outils, Entree::mnuToolSynchroArticle);
    outils->addSeparator();
    creerEntree(outils, Entree::mnuInfoSoc);

    mnuWindow_ = creerMenu(nullptr, QStringLiteral("mnuWindow"), QStringLiteral("Fe&nêtre"));
    creerEntree(mnuWindow_, Entree::mnuWindowCascade);
    creerEntree(mnuWindow_, Entree::mnuWindowTileHorizontal);
    creerEntree(mnuWindow_, Entree::mnuWindowTileVertical);
    creerEntree(mnuWindow_, Entree::mnuWindowArrangeIcons);
    connect(mnuWindow_, &QMenu::aboutToShow, this, &FenetrePrincipale::remplirMenuFenetre);

    QMenu* aide = creerMenu(nullptr, QStringLiteral("mnuHelp"), QStringLiteral("&?"));
    creerEntree(aide, Entree::mnuHelpAbout);

    // Never in the menu bar: the shipment modification window pops it up.
    mnuEditionExp_ = new QMenu(QStringLiteral("Editions Expéditions"), this);
    mnuEditionExp_->setObjectName(QStringLiteral("mnuEditionExp"));
    mnuEditionExp_->menuAction()->setObjectName(QStringLiteral("mnuEditionExp"));
    actions_.insert(QStringLiteral("mnuEditionExp"), mnuEditionExp_->menuAction());
    creerEntree(mnuEditionExp_, Entree::mnuBonExp);
    creerEntree(mnuEditionExp_, Entree::mnuEdEtiqExp);
    creerEntree(mnuEditionExp_, Entree::mnuEdListeArticleExp);
    creerEntree(mnuEditionExp_, Entree::mnuEdEtatControle);
    creerEntree(mnuEditionExp_, Entree::mnuEdEtatControleArt);
    creerEntree(mnuEditionExp_, Entree::mnuEdListeColisage);

    // Quitting is the close of the window itself, which saves the geometry.
    QAction* quitter = action(Entree::mnuFileExit);
    connect(quitter, &QAction::triggered, this, &QWidget::close);
    quitter->setEnabled(true);
    brancher(Entree::mnuWindowCascade, [this] { cascade(zone_); });
    brancher(Entree::mnuWindowTileHorizontal, [this] { mosaique(zone_, true); });
    brancher(Entree::mnuWindowTileVertical, [this] { mosaique(zone_, false); });
    brancher(Entree::mnuWindowArrangeIcons, [this] { arrangerIcones(zone_); });
    brancher(Entree::mnuHelpAbout, [this] {
        FenetreAPropos apropos(ctx_, this);
        apropos.exec();
    });
}

void FenetrePrincipale::construireBarresOutils() {
    auto* bande = new QWidget(centralWidget());
    bande->setObjectName(QStringLiteral("CoolBar1"));
    auto* disposition = new QHBoxLayout(bande);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->setSpacing(2);

    const auto barre = [&](const QString& nom) {
        auto* b = new QToolBar(nom, bande);
        b->setObjectName(nom);
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setMovable(false);
        b->setFloatable(false);
        disposition->addWidget(b);
        return b;
    };
    const auto bouton = [&](Entree entree, QStyle::StandardPixmap icone) {
        QAction* a = creerEntree(nullptr, entree);
        a->setIcon(style()->standardIcon(icone));
        return a;
    };
    const auto deroulant = [&](QToolBar* b, QAction* face, const QList<QAction*>& entrees) {
        auto* outil = new QToolButton(b);
        outil->setObjectName(QStringLiteral("bouton_") + face->objectName());
        outil->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        outil->setPopupMode(QToolButton::MenuButtonPopup);
        outil->setDefaultAction(face);
        auto* menu = new QMenu(outil);
        menu->addActions(entrees);
        outil->setMenu(menu);
        b->addWidget(outil);
    };

    QToolBar* barre1 = barre(QStringLiteral("Toolbar1"));
    QAction* creer = bouton(Entree::tbCreerExp, QStyle::SP_FileDialogNewFolder);
    QAction* auto_ = creerEntree(nullptr, Entree::tbModeAuto);
    QAction* manuel = creerEntree(nullptr, Entree::tbModeManuel);
    deroulant(barre1, creer, {auto_, manuel});
    barre1->addAction(bouton(Entree::tbModifExp, QStyle::SP_FileDialogDetailedView));
    barre1->addAction(bouton(Entree::tbSuiviPrep, QStyle::SP_FileDialogInfoView));
    barre1->addAction(bouton(Entree::tbRechercher, QStyle::SP_FileDialogContentsView));
    barre1->addAction(bouton(Entree::tbEtiqArticle, QStyle::SP_FileIcon));

    QToolBar* barre2 = barre(QStringLiteral("Toolbar2"));
    QAction* transfert = bouton(Entree::tbTransfert, QStyle::SP_DriveNetIcon);
    QAction* fichArticle = creerEntree(nullptr, Entree::tbFichierArticle);
    QAction* fichExp = creerEntree(nullptr, Entree::tbFichierExp);
    QAction* verif = creerEntree(nullptr, Entree::tbVerifData);
    QAction* integ = creerEntree(nullptr, Entree::tbIntegData);
    // The packing bench stands for a terminal: it goes with the terminals'
    // commands, where the band has no room for one more button.
    QAction* banc = creerEntree(nullptr, Entree::tbPosteColisage);
    deroulant(barre2, transfert, {fichArticle, fichExp, verif, integ, banc});
    disposition->addStretch(1);
    static_cast<QVBoxLayout*>(centralWidget()->layout())->addWidget(bande);

    // The face of "Créer expédition" does what "Mode Manuel" of the menu does;
    // the face of "Transfert fichier" does nothing. Each face stays usable as
    // long as its arrow offers something.
    QAction* menuManuel = action(Entree::mnuCreaExpManuel);
    renvoiCreerExp_ = connect(creer, &QAction::triggered, menuManuel, [menuManuel] {
        if (menuManuel->isEnabled())
            menuManuel->trigger();
    });
    suivreActivation(creer, {menuManuel, auto_, manuel});
    // "Vérifier" of the toolbar runs the menu's, wired with the integration.
    QAction* menuVerif = action(Entree::mnuVerifData);
    connect(verif, &QAction::triggered, menuVerif, [menuVerif] {
        if (menuVerif->isEnabled())
            menuVerif->trigger();
    });
    suivreActivation(verif, {menuVerif});
    suivreActivation(transfert, {fichArticle, fichExp, verif, integ});
}

void FenetrePrincipale::suivreActivation(QAction* bouton, const QList<QAction*>& entrees) {
    const auto maj = [bouton, entrees] {
        bool actif = false;
        for (QAction* e : entrees)
            actif = actif || e->isEnabled();
        bouton->setEnabled(actif);
    };
    for (QAction* e : entrees)
        connect(e, &QAction::enabledChanged, bouton, maj);
    maj();
}

void FenetrePrincipale::construireBarreEtat() {
    QStatusBar* barre = statusBar();
    barre->setObjectName(QStringLiteral("sbStatusBar"));
    barre->setSizeGripEnabled(true);
    panneauStatut_ = panneau(barre, QStringLiteral("panneauStatut"), QStringLiteral("État"), 1);
    panneauDate_ = panneau(barre, QStringLiteral("panneauDate"), QString(), 0);
    panneauHeure_ = panneau(barre, QStringLiteral("panneauHeure"), QString(), 0);
    panneauMaj_ = panneau(barre, QStringLiteral("panneauMaj"), QStringLiteral("Maj"), 0);
    panneauNum_ = panneau(barre, QStringLiteral("panneauNum"), QStringLiteral("Num"), 0);
    mettreAJourHorloge();
    auto* minuterie = new QTimer(this);
    connect(minuterie, &QTimer::timeout, this, &FenetrePrincipale::mettreAJourHorloge);
    minuterie->start(1000);
}

void FenetrePrincipale::mettreAJourHorloge() {
    const QDateTime maintenant = ctx_.horloge.maintenant();
    const QString date = maintenant.date().toString(QStringLiteral("dd/MM/yyyy"));
    const QString heure = maintenant.time().toString(QStringLiteral("HH:mm"));
    if (panneauDate_->text() != date)
        panneauDate_->setText(date);
    if (panneauHeure_->text() != heure)
        panneauHeure_->setText(heure);
    // Lit when the lock is on; hidden where the platform does not tell, rather
    // than always lit.
    const std::optional<Verrous> verrous = lireVerrous();
    panneauMaj_->setVisible(verrous.has_value());
    panneauNum_->setVisible(verrous.has_value());
    if (verrous) {
        panneauMaj_->setEnabled(verrous->majuscules);
        panneauNum_->setEnabled(verrous->numerique);
    }
}

void FenetrePrincipale::remplirMenuFenetre() {
    const QList<QAction*> anciennes = mnuWindow_->actions();
    for (QAction* a : anciennes)
        if (!actions_.contains(a->objectName())) {
            mnuWindow_->removeAction(a);
            a->deleteLater();
        }
    const QList<QMdiSubWindow*> liste = zone_->subWindowList(QMdiArea::CreationOrder);
    if (liste.isEmpty())
        return;
    mnuWindow_->addSeparator();
    int numero = 0;
    for (QMdiSubWindow* f : liste) {
        ++numero;
        QAction* a =
            mnuWindow_->addAction(QStringLiteral("&%1 %2").arg(numero).arg(f->windowTitle()));
        a->setCheckable(true);
        a->setChecked(f == zone_->activeSubWindow());
        connect(a, &QAction::triggered, f, [this, f] {
            if (f->isMinimized())
                f->showNormal();
            zone_->setActiveSubWindow(f);
        });
    }
}

QAction* FenetrePrincipale::action(const QString& nomControle) const {
    return actions_.value(nomControle, nullptr);
}

QAction* FenetrePrincipale::action(Entree entree) const {
    return action(description(entree).nomControle.toString());
}

void FenetrePrincipale::brancher(Entree entree, const std::function<void()>& commande) {
    QAction* a = action(entree);
    // Wiring the face of "Créer expédition" on its own replaces its default.
    if (entree == Entree::tbCreerExp)
        disconnect(renvoiCreerExp_);
    connect(a, &QAction::triggered, this, [this, commande] { executerCommande(commande); });
    a->setEnabled(true);
}

void FenetrePrincipale::executerCommande(const std::function<void()>& commande) {
    // One command at a time: a repaint during a long command must not start another.
    if (occupe_)
        return;
    occupe_ = true;
    // What the previous command left in the status bar (the printer a label
    // went to, a count) is about that command, not this one. Shown without
    // processing events: nothing may run before the command itself.
    panneauStatut_->setText(TextePret);
    struct Liberation {
        bool& drapeau;
        ~Liberation() { drapeau = false; }
    } liberation{occupe_};
    garde(ctx_, commande);
}

void FenetrePrincipale::arreterProgramme(int code) {
    arret_ = true;
    hide();
    QCoreApplication::exit(code);
}

QWidget* FenetrePrincipale::ouvrirFenetre(const QString& nom,
                                          const std::function<QWidget*()>& fabrique) {
    if (QWidget* ouverte = fenetreOuverte(nom)) {
        auto* cadre = qobject_cast<QMdiSubWindow*>(ouverte->parentWidget());
        if (cadre) {
            if (cadre->isMinimized())
                cadre->showNormal();
            zone_->setActiveSubWindow(cadre);
        }
        return ouverte;
    }
    QWidget* fenetre = fabrique();
    if (!fenetre)
        return nullptr;
    if (fenetre->objectName().isEmpty())
        fenetre->setObjectName(nom);
    fenetre->setAttribute(Qt::WA_DeleteOnClose);
    // The size the window asked for with resize(); the frame would otherwise
    // take only its layout's minimum, too small to show its lists.
    const QSize voulue = fenetre->testAttribute(Qt::WA_Resized) ? fenetre->size() : QSize();
    // Over a maximised window the new one opens maximised too. The area would
    // maximise it as it is shown, before it has its size: sized afterwards, it
    // would stay small while counted as maximised, without its title bar. It
    // is shown at its size first, then maximised: restored, it has that size.
    const QMdiSubWindow* active = zone_->activeSubWindow();
    const bool agrandie = active != nullptr && active->isMaximized();
    zone_->setOption(QMdiArea::DontMaximizeSubWindowOnActivation, agrandie);
    QMdiSubWindow* cadre = zone_->addSubWindow(fenetre);
    cadre->setAttribute(Qt::WA_DeleteOnClose);
    // A window that closes itself takes its frame along. Queued, so that the
    // call is dropped when the frame is the one being destroyed.
    connect(fenetre, &QObject::destroyed, cadre, &QMdiSubWindow::close, Qt::QueuedConnection);
    fenetre->show();
    const QRect place = zone_->viewport()->rect();
    if (voulue.isValid()) {
        QSize taille = voulue + (cadre->size() - fenetre->size());
        if (!place.isEmpty())
            taille = taille.boundedTo(place.size());
        cadre->resize(taille.expandedTo(cadre->minimumSizeHint()));
    }
    // The area placed the frame by the size it had when shown; grown since,
    // it may stick out of the area, out of sight behind the scroll bars.
    if (!place.isEmpty())
        cadre->move(dansLaZone(cadre->geometry(), place));
    zone_->setActiveSubWindow(cadre);
    zone_->setOption(QMdiArea::DontMaximizeSubWindowOnActivation, false);
    if (agrandie)
        cadre->showMaximized();
    fenetres_.insert(nom, fenetre);
    return fenetre;
}

QWidget* FenetrePrincipale::fenetreOuverte(const QString& nom) const {
    return fenetres_.value(nom).data();
}

void FenetrePrincipale::commandeConfirmee(const QString& titre, const QString& question,
                                          const std::function<bool()>& commande) {
    commandeConfirmeeAvecBilan(titre, question, [&commande]() -> std::optional<QString> {
        if (!commande())
            return std::nullopt;
        return QString();
    });
}

void FenetrePrincipale::commandeConfirmeeAvecBilan(
    const QString& titre, const QString& question,
    const std::function<std::optional<QString>()>& commande) {
    if (!ctx_.prompts.question(Prompts::Icone::Question, titre, question, true))
        return;
    const std::optional<QString> bilan = commande();
    if (!bilan)
        return;
    ctx_.prompts.information(titre, bilan->isEmpty()
                                        ? TexteTermine
                                        : TexteTermine + QStringLiteral("\r\n\r\n") + *bilan);
}

void FenetrePrincipale::AfficheStatut(const QString& texte) {
    const QString affiche = texte.isEmpty() ? TextePret : texte;
    if (panneauStatut_->text() == affiche)
        return;
    panneauStatut_->setText(affiche);
    rafraichir();
}

void FenetrePrincipale::AfficheProgression(int pourcentage) {
    const int valeur = std::clamp(pourcentage, 0, 100);
    const bool visible = valeur != 100;
    // Integration calls this for every line: repaint only what changed.
    if (pgBar_->value() == valeur && pgBar_->isVisibleTo(this) == visible)
        return;
    pgBar_->setValue(valeur);
    pgBar_->setVisible(visible);
    rafraichir();
}

void FenetrePrincipale::closeEvent(QCloseEvent* evenement) {
    if (occupe_ && !arret_) {
        evenement->ignore();
        return;
    }
    // Leaving would stop the run before its commit: the person chooses.
    if (fond_->enCours() && !arret_) {
        ctx_.prompts.exclamation(QStringLiteral("Intégration des lignes"),
                                 QStringLiteral("Une intégration est en cours : attendez sa fin "
                                                "ou annulez-la avant de quitter."));
        evenement->ignore();
        return;
    }
    if (arret_) {
        zone_->closeAllSubWindows();
        evenement->accept();
        return;
    }
    // A working window may keep the program open: a shipment whose edits the
    // person chose to keep rather than save or drop.
    for (QMdiSubWindow* fenetre : zone_->subWindowList())
        if (!fenetre->close()) {
            evenement->ignore();
            return;
        }
    if (!isMinimized())
        enregistrerGeometrie();
    evenement->accept();
}

void FenetrePrincipale::restaurerGeometrie() {
    const GeometrieTwips g = lireGeometrie();
    const Resolution r = resolutionEcran(this);
    move(r.pixelsX(g.gauche), r.pixelsY(g.haut));
    QSize taille(r.pixelsX(g.largeur), r.pixelsY(g.hauteur));
    // The first run opens wide enough for the whole toolbar band and for the
    // shipment windows, within the screen; later runs keep the person's size.
    if (!g.enregistree) {
        const QWidget* bande = findChild<QWidget*>(QStringLiteral("CoolBar1"));
        taille = taille.expandedTo(
            QSize(std::max(bande->sizeHint().width() + MargesBande, LargeurPremierLancement),
                  HauteurPremierLancement));
        if (const QScreen* ecran = screen())
            taille = taille.boundedTo(ecran->availableSize());
    }
    resize(taille);
}

void FenetrePrincipale::enregistrerGeometrie() {
    const Resolution r = resolutionEcran(this);
    ecrireGeometrie({r.twipsX(x()), r.twipsY(y()), r.twipsX(width()), r.twipsY(height())});
}

} // namespace tarvo::ui
