#include "BranchementsTerminal.h"

#include "app/Contexte.h"
#include "terminal/GenFichierArticle.h"
#include "terminal/GenFichierExpedition.h"
#include "terminal/IntegData.h"
#include "ui/main/FenetrePrincipale.h"

namespace tarvo::ui {
namespace {

// The question first; the completion box only after a run that succeeded, as
// a failed one has shown its error box and did not do the work.
void commandeConfirmee(Contexte& ctx, const QString& titre, const QString& question,
                       bool (*commande)(Contexte&)) {
    if (!ctx.prompts.question(Prompts::Icone::Question, titre, question, true))
        return;
    if (commande(ctx))
        ctx.prompts.information(titre, QStringLiteral("Traitement terminé."));
}

} // namespace

void brancherTerminal(FenetrePrincipale& fenetre) {
    Contexte& ctx = fenetre.contexte();
    const auto fichierExpedition = [&ctx] {
        commandeConfirmee(ctx, QStringLiteral("Génération du fichier Expédition"),
                          QStringLiteral("Générer le fichier Expédition pour le SCANPAL 2 ?"),
                          terminal::GenFichierExpedition);
    };
    fenetre.brancher(QStringLiteral("mnuFichierExp"), fichierExpedition);
    fenetre.brancher(QStringLiteral("tbFichierExp"), fichierExpedition);
    fenetre.brancher(QStringLiteral("tbFichierArticle"), [&ctx] {
        commandeConfirmee(ctx, QStringLiteral("Génération du fichier Article"),
                          QStringLiteral("Générer le fichier Article pour le SCANPAL 2 ?"),
                          terminal::GenFichierArticle);
    });
    // The integration asks nothing first and shows its own completion box.
    const auto integration = [&ctx] { terminal::IntegData(ctx); };
    fenetre.brancher(QStringLiteral("mnuIntegData"), integration);
    fenetre.brancher(QStringLiteral("tbIntegData"), integration);
}

} // namespace tarvo::ui
