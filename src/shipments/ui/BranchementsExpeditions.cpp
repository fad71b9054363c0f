#include "BranchementsExpeditions.h"

#include "ExpModif.h"
#include "ExpNewAuto.h"
#include "ExpNewManuel.h"
#include "OutilsFenetres.h"
#include "app/Contexte.h"
#include "shipments/RechercheCommande.h"
#include "ui/main/FenetrePrincipale.h"

namespace tarvo::ui {

using expeditions::ExpModif;
using expeditions::ExpNewAuto;
using expeditions::ExpNewManuel;

void brancherExpeditions(FenetrePrincipale& fenetre) {
    const auto ouvrirAuto = [&fenetre] {
        fenetre.ouvrirFenetre(QStringLiteral("ExpNewAuto"),
                              [&fenetre] { return new ExpNewAuto(fenetre.contexte()); });
    };
    const auto ouvrirManuel = [&fenetre] {
        fenetre.ouvrirFenetre(QStringLiteral("ExpNewManuel"),
                              [&fenetre] { return new ExpNewManuel(fenetre.contexte()); });
    };
    const auto ouvrirModif = [&fenetre] {
        return qobject_cast<ExpModif*>(
            fenetre.ouvrirFenetre(QStringLiteral("ExpModif"), [&fenetre] {
                return new ExpModif(fenetre.contexte(), fenetre.mnuEditionExp());
            }));
    };
    const auto rechercher = [&fenetre, ouvrirModif] {
        std::optional<qint32> expedition;
        if (!expeditions::sansPanne(
                fenetre.contexte(),
                [&] { expedition = expeditions::RechercheCommande(fenetre.contexte()); }) ||
            !expedition)
            return;
        if (ExpModif* modif = ouvrirModif())
            modif->montrerExpeditionTrouvee(*expedition);
    };

    fenetre.brancher(QStringLiteral("mnuCreaExpAuto"), ouvrirAuto);
    fenetre.brancher(QStringLiteral("tbModeAuto"), ouvrirAuto);
    fenetre.brancher(QStringLiteral("mnuCreaExpManuel"), ouvrirManuel);
    fenetre.brancher(QStringLiteral("tbModeManuel"), ouvrirManuel);
    fenetre.brancher(QStringLiteral("tbCreerExp"), ouvrirManuel);
    fenetre.brancher(QStringLiteral("mnuModifExp"), [ouvrirModif] { ouvrirModif(); });
    fenetre.brancher(QStringLiteral("tbModifExp"), [ouvrirModif] { ouvrirModif(); });
    fenetre.brancher(QStringLiteral("mnuRechExp"), rechercher);
    fenetre.brancher(QStringLiteral("tbRechercher"), rechercher);
}

} // namespace tarvo::ui
