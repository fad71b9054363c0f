#pragma once

#include "FenetreNavigation.h"

class QPushButton;

namespace tarvo::navigateurs {

// "Fichier Article": the article table, with the terminal article file and
// the article label at hand.
class FichierArticle : public FenetreNavigation {
    Q_OBJECT
public:
    // `genererFichier`: the main window's command that confirms and writes
    // the terminal article file. Raises ErreurTarvo when the articles cannot
    // be read.
    FichierArticle(Contexte& ctx, std::function<void()> genererFichier, QWidget* parent = nullptr);

    // The selection value: the text selected with the mouse in a cell's text
    // field (a double click opens it, read-only), or else the whole text of
    // the cell last clicked; empty until then.
    QString selection() const override { return selection_; }
    void ImprimerEtiquette();

protected:
    void ajusterColonnes() override;

private:
    std::function<void()> genererFichier_;
    QString selection_;
    // The label column's width in twips: 4000 on opening, 8000 afterwards.
    int largeurLibelle_ = 4000;
};

} // namespace tarvo::navigateurs
