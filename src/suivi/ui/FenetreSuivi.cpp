#include "FenetreSuivi.h"

#include "FenetreALaPlace.h"
#include "FenetreLignesExpedition.h"
#include "LigneTotaux.h"
#include "ModeleSuivi.h"
#include "app/Contexte.h"
#include "db/Base.h"
#include "db/Connexion.h"
#include "suivi/LignesExpedition.h"
#include "ui/main/BandeauAttente.h"
#include "ui/main/Garde.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace tarvo::suivi {
namespace {

// Long enough for a word typed in one go, short enough to feel at once.
constexpr int PauseFrappeMs = 200;

} // namespace

FenetreSuivi::FenetreSuivi(Contexte& ctx, int intervalleMs, QWidget* parent)
    : QWidget(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("SuiviPrep"));
    setWindowTitle(QStringLiteral("Suivi des préparations"));
    minuterie_ = new QTimer(this);
    minuterie_->setObjectName(QStringLiteral("Sonde"));
    minuterie_->setInterval(intervalleMs);
    connect(minuterie_, &QTimer::timeout, this, &FenetreSuivi::verifierIntegration);
    construire();
    resize(1100, 520);
    minuterie_->start();
    charger();
}

FenetreSuivi::~FenetreSuivi() = default;

void FenetreSuivi::construire() {
    closes_ = new QCheckBox(QStringLiteral("Afficher les expéditions closes"), this);
    closes_->setObjectName(QStringLiteral("AffClot"));
    connect(closes_, &QCheckBox::toggled, this, &FenetreSuivi::charger);

    colonneFiltre_ = new QComboBox(this);
    colonneFiltre_->setObjectName(QStringLiteral("ColonneFiltre"));
    colonneFiltre_->addItem(QStringLiteral("Toutes les colonnes"));
    colonneFiltre_->addItems(ColonnesSuivi());
    filtre_ = new QLineEdit(this);
    filtre_->setObjectName(QStringLiteral("Filtre"));
    filtre_->setPlaceholderText(QStringLiteral("Texte cherché"));
    filtre_->setClearButtonEnabled(true);
    frappe_ = new QTimer(this);
    frappe_->setSingleShot(true);
    frappe_->setInterval(PauseFrappeMs);
    connect(frappe_, &QTimer::timeout, this, &FenetreSuivi::lister);
    connect(colonneFiltre_, &QComboBox::currentIndexChanged, this, &FenetreSuivi::lister);
    connect(filtre_, &QLineEdit::textChanged, frappe_, qOverload<>(&QTimer::start));

    auto* actualiser = new QPushButton(QStringLiteral("Actualiser"), this);
    actualiser->setObjectName(QStringLiteral("BtActualiser"));
    connect(actualiser, &QPushButton::clicked, this, &FenetreSuivi::charger);

    auto* haut = new QHBoxLayout;
    haut->addWidget(closes_);
    haut->addSpacing(16);
    haut->addWidget(new QLabel(QStringLiteral("Filtrer :"), this));
    haut->addWidget(colonneFiltre_);
    haut->addWidget(filtre_, 1);
    haut->addWidget(actualiser);

    attente_ = new ui::BandeauAttente(this);
    connect(attente_, &ui::BandeauAttente::annule, this, &FenetreSuivi::renoncer);

    modele_ = new ModeleSuivi(this);
    vue_ = new QTableView(this);
    vue_->setObjectName(QStringLiteral("ListeSuivi"));
    vue_->setModel(modele_);
    connect(modele_, &ModeleSuivi::triDemande, this, &FenetreSuivi::lister);
    vue_->setSortingEnabled(true);
    vue_->sortByColumn(0, Qt::AscendingOrder);
    vue_->setSelectionBehavior(QAbstractItemView::SelectRows);
    vue_->setSelectionMode(QAbstractItemView::SingleSelection);
    vue_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    vue_->verticalHeader()->hide();
    // Widths fitted to the rows in view and a sample around them: measuring
    // 200,000 rows' cells would hold the window.
    vue_->horizontalHeader()->setResizeContentsPrecision(100);
    vue_->verticalHeader()->setDefaultSectionSize(vue_->fontMetrics().height() + 6);
    connect(vue_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& i) {
        if (i.isValid())
            ouvrirLignes(modele_->ligne(i.row()).noExpedition);
    });

    // The totals row sits under the list, column under column.
    // Numbers to the right as in the list; the count of shipments under the
    // label to the left.
    QList<Qt::Alignment> alignements;
    for (int c = 0; c < modele_->columnCount(); ++c)
        alignements << alignement(c);
    totaux_ = new LigneTotaux(vue_->horizontalHeader(), std::move(alignements), this);
    totaux_->setObjectName(QStringLiteral("Totaux"));
    totaux_->setTextes(TextesTotaux({}));

    auto* aide = new QLabel(QStringLiteral("Double-clic sur une expédition : ses lignes et ses "
                                           "colis suspects."),
                            this);

    auto* disposition = new QVBoxLayout(this);
    disposition->addLayout(haut);
    disposition->addWidget(attente_);
    disposition->addWidget(vue_, 1);
    disposition->addWidget(totaux_);
    disposition->addWidget(aide);
}

bool FenetreSuivi::occupee() const {
    return lecture_.enCours() || liste_.enCours() || frappe_->isActive();
}

void FenetreSuivi::charger() {
    lire(false);
}

void FenetreSuivi::verifierIntegration() {
    if (!occupee())
        lire(true);
}

Presentation FenetreSuivi::presentation() const {
    const QHeaderView* entete = vue_->horizontalHeader();
    // The first choice is every column.
    return {FiltreSuivi(filtre_->text(), colonneFiltre_->currentIndex() - 1),
            entete->sortIndicatorSection(), entete->sortIndicatorOrder() == Qt::DescendingOrder};
}

void FenetreSuivi::lire(bool sonde) {
    DemandeSuivi demande;
    ParametresConnexion parametres;
    if (!ui::garde(ctx_, [&] {
            // Raises when the window's connection is gone: the work opens
            // its own with the same settings.
            const db::Base ouverte(ctx_.cnx.get());
            parametres = ctx_.cnx->parametres();
            tolerance_ = TolerancePoids(ctx_);
        }))
        return;
    demande.closes = closes_->isChecked();
    demande.tolerance = tolerance_;
    if (sonde) {
        demande.siAutreQue = marque_;
        if (closesLues_)
            demande.affichees = modele_->lues();
    }
    demande.presentation = presentation();
    const int version = versionPresentation_;
    // The read lists the rows as the window asks now.
    liste_.annuler();
    if (!sonde)
        attente_->montrer(QStringLiteral("Lecture des expéditions…"));
    lecture_.lancer([parametres, demande](
                        std::stop_token arret) { return ChargerSuivi(parametres, demande, arret); },
                    [this, version, sonde, closes = demande.closes](ChargementSuivi chargement) {
                        attente_->hide();
                        marque_ = chargement.marque;
                        minuterie_->start();
                        if (!chargement.lignes)
                            return;
                        closesLues_ = closes;
                        montrer(std::move(chargement.lignes), std::move(chargement.liste));
                        // The poll's reload keeps the widths the clerk left.
                        if (!sonde)
                            ajusterTotaux();
                        if (version != versionPresentation_)
                            lister();
                        emit lignesLues();
                    },
                    [this](std::exception_ptr erreur) {
                        attente_->hide();
                        minuterie_->stop();
                        ui::garde(ctx_, [erreur] { std::rethrow_exception(erreur); });
                    });
}

void FenetreSuivi::lister() {
    ++versionPresentation_;
    frappe_->stop();
    // The read under way lists its rows again when it lands.
    if (lecture_.enCours())
        return;
    std::shared_ptr<const QList<LigneSuivi>> lignes = modele_->lues();
    liste_.lancer(
        [lignes,
         presentation = presentation()](std::stop_token arret) -> std::optional<ListeSuivi> {
            ListeSuivi liste = Lister(*lignes, presentation, arret);
            if (arret.stop_requested())
                return std::nullopt;
            return liste;
        },
        [this, lignes](ListeSuivi liste) { montrer(lignes, std::move(liste)); },
        [this](std::exception_ptr erreur) {
            ui::garde(ctx_, [erreur] { std::rethrow_exception(erreur); });
        });
}

void FenetreSuivi::montrer(std::shared_ptr<const QList<LigneSuivi>> lignes, ListeSuivi liste) {
    std::optional<qint32> courante;
    if (const QModelIndex i = vue_->currentIndex(); i.isValid())
        courante = modele_->ligne(i.row()).noExpedition;
    // The new rows must not move the list under the clerk's eyes: making the
    // shipment current again scrolls to its first column.
    const int horizontal = vue_->horizontalScrollBar()->value();
    const int vertical = vue_->verticalScrollBar()->value();
    modele_->presenter(std::move(lignes), std::move(liste.rangs));
    totaux_->setTextes(TextesTotaux(liste.totaux));
    if (courante)
        if (const int r = modele_->rangDe(*courante); r >= 0)
            vue_->setCurrentIndex(modele_->index(r, 0));
    // The scroll bars' ranges follow the new rows first.
    vue_->doItemsLayout();
    vue_->horizontalScrollBar()->setValue(horizontal);
    vue_->verticalScrollBar()->setValue(vertical);
}

void FenetreSuivi::renoncer() {
    lecture_.annuler();
    // The box says what the list shows.
    const QSignalBlocker bloque(closes_);
    closes_->setChecked(closesLues_);
}

void FenetreSuivi::ajusterTotaux() {
    vue_->resizeColumnsToContents();
    QHeaderView* entete = vue_->horizontalHeader();
    for (int c = 0; c < entete->count(); ++c)
        // Wide enough for the totals too.
        if (entete->sectionSize(c) < totaux_->largeurVoulue(c))
            entete->resizeSection(c, totaux_->largeurVoulue(c));
}

void FenetreSuivi::ouvrirLignes(qint32 noExp) {
    DetailExpedition detail;
    if (!ui::garde(ctx_, [&] {
            detail = LignesDeLExpedition(db::Base(ctx_.cnx.get()), noExp, tolerance_);
        }))
        return;
    montrerALaPlace(new FenetreLignesExpedition(ctx_, noExp, std::move(detail), this),
                    QString::number(noExp));
}

} // namespace tarvo::suivi
