#pragma once

#include "ModeleListe.h"

#include <QTreeView>

namespace tarvo::ui {

// A report-style list of the shipment windows: one row per record, optional
// check boxes, and, when `triable`, a click on a header sorts by that column,
// the order switching at every click whatever the column.
class ListeRapport : public QTreeView {
    Q_OBJECT
public:
    ListeRapport(const QString& nom, const QStringList& entetes, bool casesACocher, bool triable,
                 QWidget* parent = nullptr);

    ModeleListe* modele() const { return modele_; }
    void remplir(LignesListe lignes);
    void vider() { remplir({}); }
    int nombreLignes() const { return modele_->rowCount(); }
    QString texte(int rang, int colonne = 0) const;
    // The current row, -1 when there is none.
    int ligneCourante() const;
    // Scrolls the row into view, selects it and makes it current.
    void choisirLigne(int rang);
    // The trimmed row texts of the checked rows, in list order.
    QStringList textesCoches() const;

    Qt::SortOrder ordreTri() const { return ordreTri_; }

signals:
    // The list got the focus by a click, the keyboard or the program.
    void focusRecu();

protected:
    void focusInEvent(QFocusEvent* evenement) override;

private:
    void cliquerEntete(int colonne);

    ModeleListe* modele_;
    Qt::SortOrder ordreTri_ = Qt::AscendingOrder;
};

} // namespace tarvo::ui
