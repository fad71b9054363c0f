#include "FenetreSuivi.h"

#include "FenetreALaPlace.h"
#include "FenetreLignesExpedition.h"
#include "LigneTotaux.h"
#include "ModeleSuivi.h"
#include "TriSuivi.h"
#include "app/Contexte.h"
#include "db/Base.h"
#include "suivi/LignesExpedition.h"
#include "ui/main/Garde.h"
#include "ui/main/Sablier.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace tarvo::suivi {

FenetreSuivi::FenetreSuivi(Contexte& ctx, int intervalleMs, QWidget* parent)
    : QWidget(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("SuiviPrep"));
    setWindowTitle(QStringLiteral("Suivi des préparations"));
    construire();
    resize(1100, 520);
    charger();
    minuterie_ = new QTimer(this);
    minuterie_->setInterval(intervalleMs);
    connect(minuterie_, &QTimer::timeout, this, &FenetreSuivi::verifierIntegration);
    minuterie_->start();
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
    connect(colonneFiltre_, &QComboBox::currentIndexChanged, this, &FenetreSuivi::filtrer);
    connect(filtre_, &QLineEdit::textChanged, this, &FenetreSuivi::filtrer);

    auto* actualiser = new QPushButton(QStringLiteral("Actualiser"), this);
    actualiser->setObjectName(QStringLiteral("BtActualiser"));
    connect(actualiser, &QPushButton::clicked, this, [this] {
        if (charger())
            minuterie_->start();
    });

    auto* haut = new QHBoxLayout;
    haut->addWidget(closes_);
    haut->addSpacing(16);
    haut->addWidget(new QLabel(QStringLiteral("Filtrer :"), this));
    haut->addWidget(colonneFiltre_);
    haut->addWidget(filtre_, 1);
    haut->addWidget(actualiser);

    modele_ = new ModeleSuivi(this);
    trie_ = new TriSuivi(modele_, this);

    liste_ = new QTableView(this);
    liste_->setObjectName(QStringLiteral("ListeSuivi"));
    liste_->setModel(trie_);
    liste_->setSortingEnabled(true);
    liste_->sortByColumn(0, Qt::AscendingOrder);
    liste_->setSelectionBehavior(QAbstractItemView::SelectRows);
    liste_->setSelectionMode(QAbstractItemView::SingleSelection);
    liste_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    liste_->verticalHeader()->hide();
    liste_->verticalHeader()->setDefaultSectionSize(liste_->fontMetrics().height() + 6);
    connect(liste_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& i) {
        if (i.isValid())
            ouvrirLignes(modele_->ligne(trie_->mapToSource(i).row()).noExpedition);
    });

    // The totals row sits under the list, column under column.
    // Numbers to the right as in the list; the count of shipments under the
    // label to the left.
    QList<Qt::Alignment> alignements;
    for (int c = 0; c < modele_->columnCount(); ++c)
        alignements << alignement(c);
    totaux_ = new LigneTotaux(liste_->horizontalHeader(), std::move(alignements), this);
    totaux_->setObjectName(QStringLiteral("Totaux"));

    // Whatever changes the rows listed changes their totals.
    connect(trie_, &QAbstractItemModel::modelReset, this, &FenetreSuivi::afficherTotaux);
    connect(trie_, &QAbstractItemModel::rowsInserted, this, &FenetreSuivi::afficherTotaux);
    connect(trie_, &QAbstractItemModel::rowsRemoved, this, &FenetreSuivi::afficherTotaux);
    connect(trie_, &QAbstractItemModel::layoutChanged, this, &FenetreSuivi::afficherTotaux);

    auto* aide = new QLabel(QStringLiteral("Double-clic sur une expédition : ses lignes et ses "
                                           "colis suspects."),
                            this);

    auto* disposition = new QVBoxLayout(this);
    disposition->addLayout(haut);
    disposition->addWidget(liste_, 1);
    disposition->addWidget(totaux_);
    disposition->addWidget(aide);
    afficherTotaux();
}

bool FenetreSuivi::charger() {
    return relire(false);
}

bool FenetreSuivi::relire(bool ouvertesSeulement) {
    std::optional<qint32> courante;
    if (const QModelIndex i = liste_->currentIndex(); i.isValid())
        courante = modele_->ligne(trie_->mapToSource(i).row()).noExpedition;
    QList<LigneSuivi> lignes;
    MarqueIntegration marque;
    const ui::Sablier sablier;
    const bool lu = ui::garde(ctx_, [&] {
        tolerance_ = TolerancePoids(ctx_);
        const db::Base base(ctx_.cnx.get());
        // The mark before the rows: a run that ends in between brings one
        // more reload, never a missed one.
        marque = LireMarqueIntegration(base);
        if (closes_->isChecked() && ouvertesSeulement)
            if (auto fusion =
                    RafraichirOuvertes(modele_->lignes(), LireSuivi(base, false, tolerance_))) {
                lignes = std::move(*fusion);
                return;
            }
        lignes = LireSuivi(base, closes_->isChecked(), tolerance_);
    });
    if (!lu)
        return false;
    marque_ = marque;
    // The reload must not move the list under the clerk's eyes: making the
    // shipment current again scrolls to its first column.
    const int horizontal = liste_->horizontalScrollBar()->value();
    const int vertical = liste_->verticalScrollBar()->value();
    modele_->remplir(std::move(lignes));
    ajusterTotaux();
    if (courante)
        for (int r = 0; r < trie_->rowCount(); ++r)
            if (modele_->ligne(trie_->mapToSource(trie_->index(r, 0)).row()).noExpedition ==
                *courante) {
                liste_->setCurrentIndex(trie_->index(r, 0));
                break;
            }
    // The scroll bars' ranges follow the new rows first.
    liste_->doItemsLayout();
    liste_->horizontalScrollBar()->setValue(horizontal);
    liste_->verticalScrollBar()->setValue(vertical);
    return true;
}

bool FenetreSuivi::verifierIntegration() {
    MarqueIntegration marque;
    if (!ui::garde(ctx_, [&] { marque = LireMarqueIntegration(db::Base(ctx_.cnx.get())); })) {
        minuterie_->stop();
        return false;
    }
    if (marque == marque_)
        return false;
    if (!relire(true))
        minuterie_->stop();
    return true;
}

void FenetreSuivi::filtrer() {
    // The first choice is every column.
    trie_->filtrer(FiltreSuivi(filtre_->text(), colonneFiltre_->currentIndex() - 1));
}

void FenetreSuivi::afficherTotaux() {
    QList<LigneSuivi> listees;
    listees.reserve(trie_->rowCount());
    for (int r = 0; r < trie_->rowCount(); ++r)
        listees.append(modele_->ligne(trie_->mapToSource(trie_->index(r, 0)).row()));
    totaux_->setTextes(TextesTotaux(Totaliser(listees)));
}

void FenetreSuivi::ajusterTotaux() {
    liste_->resizeColumnsToContents();
    QHeaderView* entete = liste_->horizontalHeader();
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
