#include "Branchements.h"

namespace tarvo::ui {

void brancherCommandes(FenetrePrincipale& fenetre) {
    brancherTerminal(fenetre);
    brancherExpeditions(fenetre);
    brancherEtiquettes(fenetre);
}

} // namespace tarvo::ui
