#include "BranchementsEtiquettes.h"

#include "ArtEdEtiq.h"
#include "ui/main/CadreCommandes.h"

namespace tarvo::ui {

void brancherEtiquettes(CadreCommandes& fenetre) {
    const auto ouvrir = [&fenetre] {
        etiquettes::ArtEdEtiq dialogue(fenetre.contexte(), fenetre.fenetre());
        dialogue.exec();
    };
    fenetre.brancher(Entree::mnuEditEtiqCodeBarre, ouvrir);
    fenetre.brancher(Entree::tbEtiqArticle, ouvrir);
}

} // namespace tarvo::ui
