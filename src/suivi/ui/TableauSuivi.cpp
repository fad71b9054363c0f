#include "TableauSuivi.h"

#include <QHeaderView>
#include <QTableWidget>

namespace tarvo::suivi {

QTableWidget* tableau(QWidget* parent, const QString& nom, const QStringList& colonnes) {
    auto* grille = new QTableWidget(0, static_cast<int>(colonnes.size()), parent);
    grille->setObjectName(nom);
    grille->setHorizontalHeaderLabels(colonnes);
    grille->verticalHeader()->hide();
    grille->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grille->setSelectionBehavior(QAbstractItemView::SelectRows);
    grille->setSelectionMode(QAbstractItemView::SingleSelection);
    grille->setWordWrap(false);
    grille->horizontalHeader()->setStretchLastSection(true);
    return grille;
}

void ajouterLigne(QTableWidget* grille, const QStringList& textes, const QList<int>& nombres,
                  const QColor& couleur, bool italique) {
    const int rang = grille->rowCount();
    grille->insertRow(rang);
    for (int c = 0; c < textes.size(); ++c) {
        auto* cellule = new QTableWidgetItem(textes.at(c));
        if (couleur.isValid())
            cellule->setForeground(couleur);
        if (italique) {
            QFont police = grille->font();
            police.setItalic(true);
            cellule->setFont(police);
        }
        if (nombres.contains(c))
            cellule->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grille->setItem(rang, c, cellule);
    }
}

} // namespace tarvo::suivi
