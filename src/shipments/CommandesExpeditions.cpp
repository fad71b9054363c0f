#include "CreationExpeditions.h"
#include "RechercheCommande.h"
#include "cli/Commandes.h"

#include <QTextStream>

namespace tarvo::ctl {
namespace {

int creerExpeditions(Contexte& ctx, const QStringList& arguments) {
    if (arguments.size() < 2 || (arguments.first() != QStringLiteral("auto") &&
                                 arguments.first() != QStringLiteral("manuel")))
        throw ErreurUsage(
            QStringLiteral("creer-expeditions attend auto ou manuel, puis les commandes."));
    const QStringList commandes = arguments.mid(1);
    QTextStream sortie(stdout);
    if (arguments.first() == QStringLiteral("auto")) {
        // Each number as its shipment is committed: a failure further on must
        // not hide the shipments that already exist.
        expeditions::CreerExpAuto(ctx, commandes, [&sortie](qint32 numero) {
            sortie << numero << '\n';
            sortie.flush();
        });
    } else if (const std::optional<qint32> numero = expeditions::CreerExpManuel(ctx, commandes)) {
        sortie << *numero << '\n';
    }
    return 0;
}

int ajouterCommandes(Contexte& ctx, const QStringList& arguments) {
    if (arguments.size() < 2)
        throw ErreurUsage(
            QStringLiteral("ajouter-commandes attend EXPEDITION puis les commandes."));
    const int expedition = entierOuUsage(arguments.first(), QStringLiteral("EXPEDITION"));
    QTextStream sortie(stdout);
    for (const QString& commande : expeditions::AddCdeExp(ctx, expedition, arguments.mid(1)))
        sortie << commande << '\n';
    return 0;
}

int recherche(Contexte& ctx, const QStringList& arguments) {
    if (arguments.size() != 1)
        throw ErreurUsage(QStringLiteral("recherche attend un numéro de commande."));
    const std::optional<qint32> expedition = expeditions::RechercheCommande(ctx, arguments.first());
    if (!expedition)
        return 1;
    QTextStream(stdout) << *expedition << '\n';
    return 0;
}

} // namespace

QList<Commande> commandesExpeditions() {
    return {
        {QStringLiteral("creer-expeditions"), QStringLiteral("auto|manuel COMMANDE..."),
         QStringLiteral("crée les expéditions des commandes (une par commande en mode auto, une "
                        "pour toutes en mode manuel) et affiche leurs numéros"),
         Prealable::Base, creerExpeditions},
        {QStringLiteral("ajouter-commandes"), QStringLiteral("EXPEDITION COMMANDE..."),
         QStringLiteral("ajoute des commandes à une expédition et affiche celles ajoutées"),
         Prealable::Base, ajouterCommandes},
        {QStringLiteral("recherche"), QStringLiteral("COMMANDE"),
         QStringLiteral("affiche le numéro de l'expédition qui contient une commande"),
         Prealable::Base, recherche},
    };
}

} // namespace tarvo::ctl
