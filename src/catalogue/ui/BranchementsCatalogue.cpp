#include "BranchementsCatalogue.h"

#include "InfoSoc.h"
#include "app/Contexte.h"
#include "catalogue/Synchronisation.h"
#include "ui/main/FenetrePrincipale.h"

namespace tarvo::ui {

void brancherCatalogue(FenetrePrincipale& fenetre) {
    Contexte& ctx = fenetre.contexte();
    fenetre.brancher(QStringLiteral("mnuToolSynchroArticle"), [&fenetre, &ctx] {
        fenetre.commandeConfirmee(
            QStringLiteral("Mise à jour du fichier Article"),
            QStringLiteral("Lancer la synchronisation du fichier Article avec la Gestion "
                           "Commerciale SAGE ?"),
            [&ctx] { return catalogue::SynchroArticle(ctx, true).has_value(); });
    });
    fenetre.brancher(QStringLiteral("mnuInfoSoc"), [&fenetre, &ctx] {
        fenetre.ouvrirFenetre(QStringLiteral("InfoSoc"),
                              [&ctx] { return new catalogue::InfoSoc(ctx); });
    });
}

} // namespace tarvo::ui
