#include "CommandesTerminal.h"

#include "GenFichierArticle.h"
#include "GenFichierExpedition.h"
#include "IntegData.h"

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
        commande(QStringLiteral("integration"),
                 QStringLiteral("intègre le fichier de données des terminaux SCANPAL 2"),
                 terminal::IntegData),
    };
}

} // namespace tarvo::ctl
