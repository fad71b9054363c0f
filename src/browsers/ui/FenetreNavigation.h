#pragma once

#include "browsers/ModeleNavigation.h"

#include <QWidget>
#include <functional>

class QTableView;
class QToolBar;
class QToolButton;
class QMenu;

namespace tarvo {
struct Contexte;
}

namespace tarvo::navigateurs {

// What the two record browsers share: the toolbar whose buttons are told
// apart by their tool tips, the grid over a table of any size, and the
// routines that turn the person's steps into the grid's view. A step that
// cannot apply leaves the view as it was and says why in the status bar.
class FenetreNavigation : public QWidget {
    Q_OBJECT
public:
    // Where the export is written, offering a name: a save dialog unless
    // replaced (tests).
    std::function<QString(QWidget*, const QString&)> choisirFichierExport;

    ModeleNavigation& modele() const { return *modele_; }
    QTableView* grille() const { return grille_; }

    void RechData();
    void FiltreSel();
    void FiltreHorsSel();
    void SupprimerFiltres();
    void RefreshData();
    void TriAsc();
    void TriDesc();
    void Exporter();

protected:
    // Loads the first rows of `table`; raises ErreurTarvo when it cannot.
    FenetreNavigation(Contexte& ctx, const TableNavigable& table, Comparaison comparaison,
                      QWidget* parent);

    // Adds the "Filtrer" drop-down with `entreeHorsSel` as the caption of its
    // "hors" entry, then the sort and export buttons.
    void construireBarre(const QString& entreeHorsSel);
    QToolBar* barre() const { return barre_; }
    Contexte& ctx() const { return ctx_; }
    // The text of the grid's selection value (the article browser's rule).
    virtual QString selection() const { return QString(); }
    // Sizes the columns once rows are shown.
    virtual void ajusterColonnes();
    // Shows `vue`; a failure leaves the grid as it was and names `etape`.
    bool afficher(Vue vue, const QString& etape);
    int colonneCourante() const;

private:
    QAction* bouton(const QString& nom, const QString& infoBulle, int icone);
    void ajouterFiltre(const std::function<Critere(const Champ&, const QModelIndex&)>& critere);
    void trier(bool descendant);
    void signaler(const QString& etape, const QString& raison);

    Contexte& ctx_;
    Comparaison comparaison_;
    ModeleNavigation* modele_;
    QToolBar* barre_;
    QTableView* grille_;
    int derniereColonne_ = 0;
};

} // namespace tarvo::navigateurs
