#include "CommandesTerminal.h"

#include "terminal/EssaiIntegration.h"
#include "terminal/GenFichierArticle.h"
#include "terminal/GenFichierExpedition.h"
#include "terminal/IntegData.h"

namespace tarvo::ctl {
namespace {

// Running the command is the confirmation: no question is asked.
Commande commande(const QString& nom, const QString& description, bool (*routine)(Contexte&)) {
    return {nom, QString(), description, Prealable::Base,
            [nom, routine](Contexte& ctx, const QStringList& arguments) {
                if (!arguments.isEmpty())
                    throw ErreurUsage(nom + QStringLiteral(" n'attend pas d'argument."));
                return routine(ctx) ? 0 : 1;
            }};
}

} // namespace

QList<Commande> commandesTerminal() {
    return {
        commande(QStringLiteral("fichier-article"),
                 QStringLiteral("écrit le fichier Article des terminaux SCANPAL 2"),
                 terminal::GenFichierArticle),
        commande(QStringLiteral("fichier-expedition"),
                 QStringLiteral("écrit le fichier Expédition des terminaux SCANPAL 2"),
                 terminal::GenFichierExpedition),
        {QStringLiteral("integration"), QStringLiteral("[--essai]"),
         QStringLiteral("intègre le fichier de données des terminaux SCANPAL 2 ; avec --essai, "
                        "dit ce que l'intégration ferait sans rien écrire"),
         Prealable::Base,
         [](Contexte& ctx, const QStringList& arguments) {
             QStringList reste = arguments;
             const bool essai = extraireDrapeau(reste, QStringLiteral("--essai"));
             if (!reste.isEmpty())
                 throw ErreurUsage(QStringLiteral("integration n'attend que --essai."));
             if (essai)
                 return terminal::VerifData(ctx, 0) ? 0 : 1;
             return terminal::IntegData(ctx) ? 0 : 1;
         }},
    };
}

} // namespace tarvo::ctl
