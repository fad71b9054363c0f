#include "BranchementsCatalogue.h"

#include "InfoSoc.h"
#include "app/Contexte.h"
#include "catalogue/Synchronisation.h"
#include "ui/main/CadreCommandes.h"

namespace tarvo::ui {

void brancherCatalogue(CadreCommandes& fenetre) {
    Contexte& ctx = fenetre.contexte();
    fenetre.brancher(Entree::mnuToolSynchroArticle, [&fenetre, &ctx] {
        fenetre.commandeConfirmee(
            QStringLiteral("Mise à jour du fichier Article"),
            QStringLiteral("Lancer la synchronisation du fichier Article avec la Gestion "
                           "Commerciale SAGE ?"),
            [&ctx] { return catalogue::SynchroArticle(ctx, true).has_value(); });
    });
    fenetre.brancher(Entree::mnuInfoSoc, [&fenetre, &ctx] {
        fenetre.ouvrirFenetre(QStringLiteral("InfoSoc"),
                              [&ctx] { return new catalogue::InfoSoc(ctx); });
    });
}

} // namespace tarvo::ui
