#pragma once

#include <QColor>
#include <QStringList>

class QTableWidget;
class QWidget;

namespace tarvo::suivi {

// A read-only grid of whole rows with these column captions, named `nom`.
QTableWidget* tableau(QWidget* parent, const QString& nom, const QStringList& colonnes);

// Appends a row of texts in colour `couleur` (the grid's own when invalid),
// the columns `nombres` aligned right.
void ajouterLigne(QTableWidget* grille, const QStringList& textes, const QList<int>& nombres,
                  const QColor& couleur = {}, bool italique = false);

} // namespace tarvo::suivi
