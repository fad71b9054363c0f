#include "FichierArticle.h"

#include "app/Contexte.h"
#include "base/Erreur.h"
#include "browsers/Tables.h"
#include "labels/EtiquettesArticle.h"
#include "labels/ImprEtiq.h"
#include "labels/PrinterSystem.h"
#include "ui/main/Garde.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

namespace tarvo::navigateurs {
namespace {

// The text field a double click opens on a cell: read-only, it lets the
// person select part of the text; the selection becomes the window's, and
// the whole text again once nothing is selected.
class ChampLecture : public QStyledItemDelegate {
public:
    ChampLecture(std::function<void(const QString&)> selection, QObject* parent)
        : QStyledItemDelegate(parent), selection_(std::move(selection)) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        auto* champ = new QLineEdit(parent);
        champ->setReadOnly(true);
        connect(champ, &QLineEdit::selectionChanged, champ, [this, champ] {
            selection_(champ->hasSelectedText() ? champ->selectedText() : champ->text());
        });
        return champ;
    }
    void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override {}

private:
    std::function<void(const QString&)> selection_;
};

} // namespace

FichierArticle::FichierArticle(Contexte& ctx, std::function<void()> genererFichier, QWidget* parent)
    : FenetreNavigation(ctx, TableArticle(), Comparaison::ParMotif, parent),
      genererFichier_(std::move(genererFichier)) {
    setObjectName(QStringLiteral("FichierArticle"));
    setWindowTitle(QStringLiteral("Fichier Article"));
    construireBarre(QStringLiteral("Filtre hors champ"));

    auto* etiquette = new QPushButton(QStringLiteral("Etiquette"), this);
    etiquette->setObjectName(QStringLiteral("BtEtiquette"));
    etiquette->setToolTip(QStringLiteral("Imprimer étiquette code barres"));
    ui::connecterGarde(ctx, etiquette, &QPushButton::clicked, this,
                       &FichierArticle::ImprimerEtiquette);
    auto* generer = new QPushButton(QStringLiteral("Générer fichier pour SCANPAL2"), this);
    generer->setObjectName(QStringLiteral("BtGenerer"));
    ui::connecterGarde(ctx, generer, &QPushButton::clicked, this, [this] { genererFichier_(); });
    auto* fermer = new QPushButton(QStringLiteral("&Fermer"), this);
    fermer->setObjectName(QStringLiteral("BtFermer"));
    connect(fermer, &QPushButton::clicked, this, &QWidget::close);
    auto* boutons = new QHBoxLayout;
    boutons->setContentsMargins(6, 6, 6, 6);
    boutons->addWidget(etiquette);
    boutons->addWidget(generer);
    boutons->addStretch(1);
    boutons->addWidget(fermer);
    static_cast<QVBoxLayout*>(layout())->addLayout(boutons);

    // The mouse makes the selection value; the keyboard only moves.
    connect(grille(), &QTableView::pressed, this, [this](const QModelIndex& index) {
        selection_ = index.data(Qt::DisplayRole).toString();
    });
    modele().setTexteSelectionnable(true);
    grille()->setEditTriggers(QAbstractItemView::DoubleClicked);
    grille()->setItemDelegate(
        new ChampLecture([this](const QString& texte) { selection_ = texte; }, grille()));
    ajusterColonnes();
    resize(1000, 560);
}

void FichierArticle::ajusterColonnes() {
    FenetreNavigation::ajusterColonnes();
    grille()->setColumnWidth(1, largeurLibelle_ * logicalDpiX() / 1440);
    largeurLibelle_ = 8000;
}

void FichierArticle::ImprimerEtiquette() {
    const QModelIndex courant = grille()->currentIndex();
    if (!courant.isValid()) {
        ctx().afficheStatut(QStringLiteral("Etiquette impossible : aucun article choisi."));
        return;
    }
    const etiquettes::ArticleEtiquette article{
        modele().index(courant.row(), 0).data(ModeleNavigation::RoleValeur).toString(),
        modele().index(courant.row(), 1).data(ModeleNavigation::RoleValeur).toString()};
    const auto systeme = etiquettes::systemeImpression();
    etiquettes::ImprEtiqArticle(ctx(), *systeme, article);
}

} // namespace tarvo::navigateurs
