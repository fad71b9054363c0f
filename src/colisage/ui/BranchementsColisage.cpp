#include "BranchementsColisage.h"

#include "FenetreColisage.h"
#include "ui/main/CadreCommandes.h"

namespace tarvo::ui {

void brancherColisage(CadreCommandes& fenetre) {
    const auto ouvrir = [&fenetre] {
        fenetre.ouvrirFenetre(QStringLiteral("PosteColisage"), [&fenetre] {
            return new colisage::FenetreColisage(fenetre.contexte());
        });
    };
    fenetre.brancher(Entree::mnuPosteColisage, ouvrir);
    fenetre.brancher(Entree::tbPosteColisage, ouvrir);
}

} // namespace tarvo::ui
