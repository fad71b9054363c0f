#pragma once

#include "ModeleRapport.h"

#include <QTreeView>

namespace tarvo::expeditions {

// A report-style list of the shipment windows: one row per record, optional
// check boxes, and, when `triable`, a click on a header sorts by that column's
// values, the order switching at every click whatever the column.
class ListeRapport : public QTreeView {
    Q_OBJECT
public:
    ListeRapport(const QString& nom, QList<db::Colonne> colonnes, bool casesACocher, bool triable,
                 QWidget* parent = nullptr);

    ModeleRapport* modele() const { return modele_; }
    // Shows the records, each column sized to its texts.
    void remplir(db::JeuEnregistrements jeu);
    void vider();
    int nombreLignes() const { return modele_->rowCount(); }
    // The text a row shows in a column.
    QString texte(int rang, int colonne = 0) const;
    // The record a row stands for.
    QVariant cle(int rang) const { return modele_->cle(rang); }
    // The current row, -1 when there is none.
    int ligneCourante() const;
    // Scrolls the row into view, selects it and makes it current.
    void choisirLigne(int rang);
    // The keys of the checked rows as text, in list order.
    QStringList clesCochees() const;

    Qt::SortOrder ordreTri() const { return ordreTri_; }

signals:
    // The list got the focus by a click, the keyboard or the program.
    void focusRecu();

protected:
    void focusInEvent(QFocusEvent* evenement) override;

private:
    static constexpr int LargeurMinimale = 60;
    static constexpr int LargeurMaximale = 420;

    void cliquerEntete(int colonne);
    void ajusterColonnes();

    ModeleRapport* modele_;
    Qt::SortOrder ordreTri_ = Qt::AscendingOrder;
};

} // namespace tarvo::expeditions
