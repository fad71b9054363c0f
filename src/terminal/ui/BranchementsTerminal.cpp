#include "BranchementsTerminal.h"

#include "app/Contexte.h"
#include "terminal/EssaiIntegration.h"
#include "terminal/GenFichierArticle.h"
#include "terminal/GenFichierExpedition.h"
#include "terminal/IntegData.h"
#include "ui/main/CadreCommandes.h"

namespace tarvo::ui {

void brancherTerminal(CadreCommandes& fenetre) {
    Contexte& ctx = fenetre.contexte();
    const auto fichierExpedition = [&fenetre, &ctx] {
        fenetre.commandeConfirmee(
            QStringLiteral("Génération du fichier Expédition"),
            QStringLiteral("Générer le fichier Expédition pour le SCANPAL 2 ?"),
            [&ctx] { return terminal::GenFichierExpedition(ctx); });
    };
    fenetre.brancher(Entree::mnuFichierExp, fichierExpedition);
    fenetre.brancher(Entree::tbFichierExp, fichierExpedition);
    fenetre.brancher(Entree::tbFichierArticle, [&fenetre, &ctx] {
        fenetre.commandeConfirmee(QStringLiteral("Génération du fichier Article"),
                                  QStringLiteral("Générer le fichier Article pour le SCANPAL 2 ?"),
                                  [&ctx] { return terminal::GenFichierArticle(ctx); });
    });
    // The integration asks nothing first and shows its own completion box.
    // It runs off the window's thread: it may wait seconds for another
    // workstation's run or for a terminal still writing, and a large file
    // takes long; the window answers meanwhile and « Annuler » stops it
    // before its commit.
    const auto integration = [&fenetre] {
        const bool lancee = fenetre.commandeDeFond([](Contexte& travail, std::stop_token arret) {
            terminal::ReglagesIntegration reglages;
            reglages.arret = std::move(arret);
            try {
                const terminal::ResultatIntegration r =
                    terminal::IntegrerFichierData(travail, reglages);
                return Conclusion([r](Contexte& fin) { terminal::SignalerIntegration(fin, r); });
            } catch (const terminal::ErreurIntegration& e) {
                return Conclusion(
                    [e](Contexte& fin) { terminal::SignalerEchecIntegration(fin, e); });
            }
        });
        if (!lancee)
            fenetre.contexte().prompts.exclamation(
                QStringLiteral("Intégration des lignes"),
                QStringLiteral("Une intégration est déjà en cours."));
    };
    fenetre.brancher(Entree::mnuIntegData, integration);
    fenetre.brancher(Entree::tbIntegData, integration);
    // A box taller than the screen would hide its button; tarvoctl shows all.
    fenetre.brancher(Entree::mnuVerifData, [&ctx] { terminal::VerifData(ctx, 25); });
}

} // namespace tarvo::ui
