#include "BranchementsCatalogue.h"

#include "InfoSoc.h"
#include "app/Contexte.h"
#include "catalogue/Synchronisation.h"
#include "ui/main/CadreCommandes.h"

namespace tarvo::ui {

void brancherCatalogue(CadreCommandes& fenetre) {
    Contexte& ctx = fenetre.contexte();
    fenetre.brancher(Entree::mnuToolSynchroArticle, [&fenetre, &ctx] {
        fenetre.commandeConfirmeeAvecBilan(
            QStringLiteral("Mise à jour du fichier Article"),
            QStringLiteral("Lancer la synchronisation du fichier Article avec la Gestion "
                           "Commerciale SAGE ?"),
            [&ctx]() -> std::optional<QString> {
                const std::optional<catalogue::BilanSynchro> bilan =
                    catalogue::SynchroArticle(ctx, true);
                if (!bilan)
                    return std::nullopt;
                QStringList lignes = catalogue::LignesBilanSynchro(*bilan);
                if (const qint64 gardes = catalogue::ObsoletesGardes(*bilan); gardes > 0)
                    lignes << QStringLiteral("Articles obsolètes gardés : %1").arg(gardes);
                return lignes.join(QStringLiteral("\r\n"));
            });
    });
    fenetre.brancher(Entree::mnuInfoSoc, [&fenetre, &ctx] {
        fenetre.ouvrirFenetre(QStringLiteral("InfoSoc"),
                              [&ctx] { return new catalogue::InfoSoc(ctx); });
    });
}

} // namespace tarvo::ui
