#include "BranchementsSuivi.h"

#include "FenetreSuivi.h"
#include "ui/main/CadreCommandes.h"

namespace tarvo::ui {

void brancherSuivi(CadreCommandes& fenetre) {
    const auto ouvrir = [&fenetre] {
        fenetre.ouvrirFenetre(QStringLiteral("SuiviPrep"),
                              [&fenetre] { return new suivi::FenetreSuivi(fenetre.contexte()); });
    };
    fenetre.brancher(Entree::mnuSuiviPrep, ouvrir);
    fenetre.brancher(Entree::tbSuiviPrep, ouvrir);
}

} // namespace tarvo::ui
