#include "BranchementsExpeditions.h"

#include "ExpModif.h"
#include "ExpNewAuto.h"
#include "ExpNewManuel.h"
#include "OutilsFenetres.h"
#include "app/Contexte.h"
#include "shipments/RechercheCommande.h"
#include "ui/main/CadreCommandes.h"
#include "ui/main/Garde.h"

namespace tarvo::ui {

using expeditions::ExpModif;
using expeditions::ExpNewAuto;
using expeditions::ExpNewManuel;

void brancherExpeditions(CadreCommandes& fenetre) {
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
                return new ExpModif(fenetre.contexte(), &fenetre);
            }));
    };
    const auto rechercher = [&fenetre, ouvrirModif] {
        std::optional<qint32> expedition;
        if (!garde(fenetre.contexte(),
                   [&] { expedition = expeditions::RechercheCommande(fenetre.contexte()); }) ||
            !expedition)
            return;
        if (ExpModif* modif = ouvrirModif())
            modif->montrerExpeditionTrouvee(*expedition);
    };

    fenetre.brancher(Entree::mnuCreaExpAuto, ouvrirAuto);
    fenetre.brancher(Entree::tbModeAuto, ouvrirAuto);
    fenetre.brancher(Entree::mnuCreaExpManuel, ouvrirManuel);
    fenetre.brancher(Entree::tbModeManuel, ouvrirManuel);
    fenetre.brancher(Entree::tbCreerExp, ouvrirManuel);
    fenetre.brancher(Entree::mnuModifExp, [ouvrirModif] { ouvrirModif(); });
    fenetre.brancher(Entree::tbModifExp, [ouvrirModif] { ouvrirModif(); });
    fenetre.brancher(Entree::mnuRechExp, rechercher);
    fenetre.brancher(Entree::tbRechercher, rechercher);
}

} // namespace tarvo::ui
