#include "Branchements.h"

#include "browsers/ui/BranchementsNavigateurs.h"
#include "catalogue/ui/BranchementsCatalogue.h"
#include "colisage/ui/BranchementsColisage.h"
#include "labels/ui/BranchementsEtiquettes.h"
#include "shipments/ui/BranchementsExpeditions.h"
#include "suivi/ui/BranchementsSuivi.h"
#include "terminal/ui/BranchementsTerminal.h"

namespace tarvo::ui {

void brancherCommandes(CadreCommandes& fenetre) {
    brancherTerminal(fenetre);
    brancherExpeditions(fenetre);
    brancherSuivi(fenetre);
    brancherColisage(fenetre);
    brancherEtiquettes(fenetre);
    brancherCatalogue(fenetre);
    brancherNavigateurs(fenetre);
}

} // namespace tarvo::ui
