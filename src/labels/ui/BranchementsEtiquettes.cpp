#include "BranchementsEtiquettes.h"

#include "ArtEdEtiq.h"
#include "ui/main/FenetrePrincipale.h"

namespace tarvo::ui {

void brancherEtiquettes(FenetrePrincipale& fenetre) {
    const auto ouvrir = [&fenetre] {
        etiquettes::ArtEdEtiq dialogue(fenetre.contexte(), &fenetre);
        dialogue.exec();
    };
    fenetre.brancher(QStringLiteral("mnuEditEtiqCodeBarre"), ouvrir);
    fenetre.brancher(QStringLiteral("tbEtiqArticle"), ouvrir);
}

} // namespace tarvo::ui
