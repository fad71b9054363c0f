#include "FenetreNavigation.h"

#include "app/Contexte.h"
#include "base/Erreur.h"
#include "base/FormesMessages.h"
#include "browsers/ExportCsv.h"
#include "ui/main/DialoguesFichiers.h"
#include "ui/main/Garde.h"
#include "ui/main/Sablier.h"

#include <QAction>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMenu>
#include <QStyle>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace tarvo::navigateurs {
FenetreNavigation::FenetreNavigation(Contexte& ctx, const TableNavigable& table,
                                     Comparaison comparaison, QWidget* parent)
    : QWidget(parent), ctx_(ctx), comparaison_(comparaison),
      modele_(new ModeleNavigation(std::make_unique<SourceNavigation>(ctx.cnx.get(), table), this)),
      barre_(new QToolBar(this)), grille_(new QTableView(this)) {
    choisirFichierExport = [](QWidget* proprietaire, const QString& nom) {
        return ui::choisirFichierEnregistrement(proprietaire, QStringLiteral("Exporter"),
                                                ui::GenreFichier::Csv, nom);
    };
    barre_->setObjectName(QStringLiteral("barreOutils"));
    grille_->setObjectName(QStringLiteral("grille"));
    grille_->setModel(modele_);
    // A filter that leaves no row keeps the column the person was in.
    connect(grille_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& courant) {
                if (courant.isValid())
                    derniereColonne_ = courant.column();
            });
    grille_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grille_->setSelectionMode(QAbstractItemView::SingleSelection);
    grille_->verticalHeader()->setDefaultSectionSize(grille_->fontMetrics().height() + 6);
    grille_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    connect(modele_, &ModeleNavigation::erreurLecture, this,
            [this](const QString& texte) { signaler(QStringLiteral("Lecture"), texte); });

    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->setSpacing(0);
    disposition->addWidget(barre_);
    disposition->addWidget(grille_, 1);

    const ui::Sablier sablier;
    modele_->actualiser(Vue{});
    // As in any grid, a cell is current from the start.
    if (modele_->rowCount() > 0)
        grille_->setCurrentIndex(modele_->index(0, 0));
}

QAction* FenetreNavigation::bouton(const QString& nom, const QString& infoBulle, int icone) {
    auto* action = new QAction(style()->standardIcon(static_cast<QStyle::StandardPixmap>(icone)),
                               infoBulle, this);
    action->setObjectName(nom);
    action->setToolTip(infoBulle);
    return action;
}

void FenetreNavigation::construireBarre(const QString& entreeHorsSel) {
    QAction* rechercher = bouton(QStringLiteral("tbRechercher"), QStringLiteral("Rechercher"),
                                 QStyle::SP_FileDialogContentsView);
    ui::connecterGarde(ctx_, rechercher, &QAction::triggered, this, &FenetreNavigation::RechData);
    barre_->addAction(rechercher);

    QAction* filtrer = bouton(QStringLiteral("tbFiltrer"), QStringLiteral("Filtrer"),
                              QStyle::SP_FileDialogListView);
    ui::connecterGarde(ctx_, filtrer, &QAction::triggered, this, &FenetreNavigation::FiltreSel);
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("mnuFiltrer"));
    QAction* sel = menu->addAction(QStringLiteral("Filtre sur sélection"));
    sel->setObjectName(QStringLiteral("mnuFiltreSel"));
    ui::connecterGarde(ctx_, sel, &QAction::triggered, this, &FenetreNavigation::FiltreSel);
    QAction* hors = menu->addAction(entreeHorsSel);
    hors->setObjectName(QStringLiteral("mnuFiltreHorsSel"));
    hors->setToolTip(
        QStringLiteral("Cache les lignes qui ont, dans la colonne de la cellule "
                       "choisie, la même valeur qu'elle (les autres filtres restent)."));
    menu->setToolTipsVisible(true);
    ui::connecterGarde(ctx_, hors, &QAction::triggered, this, &FenetreNavigation::FiltreHorsSel);
    QAction* aucun = menu->addAction(QStringLiteral("Supprimer tous les filtres"));
    aucun->setObjectName(QStringLiteral("mnuSupprimerFiltres"));
    ui::connecterGarde(ctx_, aucun, &QAction::triggered, this,
                       &FenetreNavigation::SupprimerFiltres);
    auto* deroulant = new QToolButton(barre_);
    deroulant->setObjectName(QStringLiteral("btFiltrer"));
    deroulant->setDefaultAction(filtrer);
    deroulant->setMenu(menu);
    deroulant->setPopupMode(QToolButton::MenuButtonPopup);
    barre_->addWidget(deroulant);

    QAction* asc =
        bouton(QStringLiteral("tbTriAsc"), QStringLiteral("Trier ascendant"), QStyle::SP_ArrowUp);
    ui::connecterGarde(ctx_, asc, &QAction::triggered, this, &FenetreNavigation::TriAsc);
    barre_->addAction(asc);
    QAction* desc = bouton(QStringLiteral("tbTriDesc"), QStringLiteral("Trier descendant"),
                           QStyle::SP_ArrowDown);
    ui::connecterGarde(ctx_, desc, &QAction::triggered, this, &FenetreNavigation::TriDesc);
    barre_->addAction(desc);

    QAction* exporter = bouton(QStringLiteral("tbExporter"), QStringLiteral("Exporter"),
                               QStyle::SP_DialogSaveButton);
    ui::connecterGarde(ctx_, exporter, &QAction::triggered, this, &FenetreNavigation::Exporter);
    barre_->addAction(exporter);
    // The one button whose icon says too little: it shows its name.
    if (auto* bouton = qobject_cast<QToolButton*>(barre_->widgetForAction(exporter)))
        bouton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
}

int FenetreNavigation::colonneCourante() const {
    const QModelIndex courant = grille_->currentIndex();
    return courant.isValid() ? courant.column() : derniereColonne_;
}

void FenetreNavigation::signaler(const QString& etape, const QString& raison) {
    ctx_.afficheStatut(etape + QStringLiteral(" impossible : ") + raison);
}

bool FenetreNavigation::afficher(Vue vue, const QString& etape) {
    const int colonne = colonneCourante();
    const ui::Sablier sablier;
    try {
        modele_->afficher(std::move(vue));
    } catch (const ErreurTarvo& e) {
        signaler(etape, e.erreur().description);
        return false;
    }
    ctx_.afficheStatut(QString());
    if (modele_->rowCount() > 0)
        grille_->setCurrentIndex(modele_->index(0, colonne));
    return true;
}

void FenetreNavigation::ajusterColonnes() {
    grille_->resizeColumnsToContents();
}

void FenetreNavigation::RechData() {
    const Champ& champ = modele_->champ(colonneCourante());
    const QString valeur = ctx_.prompts
                               .saisie(QStringLiteral("Rechercher une valeur"),
                                       QStringLiteral("Entrez une valeur pour [") + champ.titre +
                                           QStringLiteral("] : "),
                                       QString())
                               .value_or(QString());
    const int colonne = colonneCourante();
    std::optional<qint64> position;
    const ui::Sablier sablier;
    try {
        position = modele_->source().chercher(modele_->vue(),
                                              CritereRecherche(comparaison_, champ, valeur));
    } catch (const ErreurTarvo& e) {
        signaler(QStringLiteral("Recherche"), e.erreur().description);
        return;
    }
    ctx_.afficheStatut(QString());
    if (!position) {
        grille_->selectionModel()->clear();
        // Only whole values and patterns match: a part of a text finds
        // nothing unless it is written between "%".
        QString texte = QStringLiteral("Aucun enregistrement ne correspond à « ") + valeur +
                        QStringLiteral(" ».");
        if (champ.genre == db::Genre::Texte)
            texte += QStringLiteral(" Pour chercher une partie du texte, utilisez % (exemple : "
                                    "%plaid%).");
        ctx_.afficheStatut(texte);
        return;
    }
    modele_->atteindre(*position);
    const QModelIndex trouve = modele_->index(static_cast<int>(*position), colonne);
    grille_->setCurrentIndex(trouve);
    grille_->scrollTo(trouve, QAbstractItemView::PositionAtCenter);
}

void FenetreNavigation::ajouterFiltre(
    const std::function<Critere(const Champ&, const QModelIndex&)>& critere) {
    const QModelIndex courant = grille_->currentIndex();
    if (!courant.isValid()) {
        signaler(QStringLiteral("Filtre"), QStringLiteral("aucune cellule choisie."));
        return;
    }
    Vue vue = modele_->vue();
    try {
        vue.filtre.append(critere(modele_->champ(courant.column()), courant));
    } catch (const ErreurTarvo& e) {
        signaler(QStringLiteral("Filtre"), e.erreur().description);
        return;
    }
    const QList<Critere> filtre = vue.filtre;
    if (afficher(std::move(vue), QStringLiteral("Filtre")) && modele_->rowCount() == 0)
        ctx_.afficheStatut(QStringLiteral("Aucune ligne ne répond aux filtres actifs : ") +
                           DescriptionFiltre(filtre) + u'.');
    RefreshData();
}

void FenetreNavigation::FiltreSel() {
    ajouterFiltre([this](const Champ& champ, const QModelIndex& courant) {
        return CritereFiltreSel(comparaison_, champ, courant.data(ModeleNavigation::RoleValeur),
                                selection());
    });
}

void FenetreNavigation::FiltreHorsSel() {
    ajouterFiltre([](const Champ& champ, const QModelIndex& courant) {
        return CritereFiltreHorsSel(champ, courant.data(ModeleNavigation::RoleValeur));
    });
}

void FenetreNavigation::SupprimerFiltres() {
    Vue vue = modele_->vue();
    vue.filtre.clear();
    afficher(std::move(vue), QStringLiteral("Suppression des filtres"));
    RefreshData();
}

void FenetreNavigation::RefreshData() {
    ajusterColonnes();
}

void FenetreNavigation::trier(bool descendant) {
    Vue vue = modele_->vue();
    vue.tri = Tri{modele_->champ(colonneCourante()), descendant};
    afficher(std::move(vue), QStringLiteral("Tri"));
    RefreshData();
}

void FenetreNavigation::TriAsc() {
    trier(false);
}

void FenetreNavigation::TriDesc() {
    trier(true);
}

void FenetreNavigation::Exporter() {
    // The browser's own title names the file, as a report's names its PDF.
    const QString choisi = choisirFichierExport(this, windowTitle() + QStringLiteral(".csv"));
    if (choisi.isEmpty())
        return;
    const QString fichier = AvecExtensionCsv(choisi);
    try {
        const qint64 lignes =
            ExporterCsv(modele_->source(), modele_->vue(), fichier, ctx_.feedback);
        ctx_.afficheStatut(BilanExport(lignes, fichier));
    } catch (const ErreurTarvo& e) {
        ctx_.afficheProgression(100);
        ctx_.afficheStatut(QString());
        afficherErreurDetaillee(ctx_, QStringLiteral("Exporter"), e.erreur());
    }
}

} // namespace tarvo::navigateurs
