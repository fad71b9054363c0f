#include "ListeRapport.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <algorithm>

namespace tarvo::expeditions {

ListeRapport::ListeRapport(const QString& nom, QList<db::Colonne> colonnes, bool casesACocher,
                           bool triable, QWidget* parent)
    : QTreeView(parent), modele_(new ModeleRapport(std::move(colonnes), casesACocher, this)) {
    setObjectName(nom);
    setModel(modele_);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setStretchLastSection(true);
    header()->setDefaultSectionSize(110);
    header()->setSectionsMovable(false);
    header()->setSectionsClickable(triable);
    if (triable)
        connect(header(), &QHeaderView::sectionClicked, this, &ListeRapport::cliquerEntete);
}

void ListeRapport::remplir(db::JeuEnregistrements jeu) {
    modele_->remplir(std::move(jeu));
    ajusterColonnes();
}

void ListeRapport::ajusterColonnes() {
    // Each column as wide as its texts (the first thousand rows are measured,
    // the header's own precision), so that names are not cut where there is
    // room; a very long text does not push the others out of sight, and the
    // user can still drag any column wider.
    for (int c = 0; c + 1 < modele_->columnCount(); ++c) {
        resizeColumnToContents(c);
        setColumnWidth(c, std::clamp(columnWidth(c), LargeurMinimale, LargeurMaximale));
    }
}

void ListeRapport::vider() {
    modele_->remplir(db::JeuEnregistrements(modele_->jeu().colonnes()));
}

QString ListeRapport::texte(int rang, int colonne) const {
    return modele_->index(rang, colonne).data().toString();
}

int ListeRapport::ligneCourante() const {
    const QModelIndex courant = currentIndex();
    return courant.isValid() ? courant.row() : -1;
}

void ListeRapport::choisirLigne(int rang) {
    const QModelIndex index = modele_->index(rang, 0);
    scrollTo(index);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
}

QStringList ListeRapport::clesCochees() const {
    QStringList cles;
    for (int rang = 0; rang < modele_->rowCount(); ++rang)
        if (modele_->coche(rang))
            cles.append(modele_->cle(rang).toString());
    return cles;
}

void ListeRapport::focusInEvent(QFocusEvent* evenement) {
    QTreeView::focusInEvent(evenement);
    // Coming back from a box, a menu or another program is no new visit of
    // the list: what the person typed elsewhere in the window must survive.
    if (evenement->reason() != Qt::ActiveWindowFocusReason &&
        evenement->reason() != Qt::PopupFocusReason)
        emit focusRecu();
}

void ListeRapport::cliquerEntete(int colonne) {
    ordreTri_ = ordreTri_ == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    header()->setSortIndicatorShown(true);
    header()->setSortIndicator(colonne, ordreTri_);
    modele_->sort(colonne, ordreTri_);
}

} // namespace tarvo::expeditions
