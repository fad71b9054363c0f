#include "CommandesExpeditions.h"

#include "app/Contexte.h"
#include "shipments/ControleCommandes.h"
#include "shipments/CreationExpeditions.h"
#include "shipments/RechercheCommande.h"

#include <QTextStream>

namespace tarvo::ctl {
namespace {

using expeditions::CommandesRetenues;
using expeditions::Rattachements;
using expeditions::SignalerRefus;

int creerExpeditions(Contexte& ctx, const QStringList& arguments) {
    if (arguments.size() < 2 || (arguments.first() != QStringLiteral("auto") &&
                                 arguments.first() != QStringLiteral("manuel")))
        throw ErreurUsage(
            QStringLiteral("creer-expeditions attend auto ou manuel, puis les commandes."));
    const bool automatique = arguments.first() == QStringLiteral("auto");
    const CommandesRetenues tri = expeditions::RetenirPourCreation(
        ctx, arguments.mid(1),
        automatique ? expeditions::Lieu::Quelconque : expeditions::Lieu::Commun);
    SignalerRefus(ctx, tri.refusees);
    if (tri.retenues.isEmpty())
        return 1;
    QTextStream sortie(stdout);
    Rattachements faits;
    if (automatique) {
        // Each number as its shipment is committed: a failure further on must
        // not hide the shipments that already exist.
        faits = expeditions::CreerExpAuto(ctx, tri.retenues, [&sortie](qint32 numero) {
            sortie << numero << '\n';
            sortie.flush();
        });
    } else {
        faits = expeditions::CreerExpManuel(ctx, tri.retenues);
        for (const qint32 numero : faits.expeditions)
            sortie << numero << '\n';
    }
    // Orders another workstation attached since they were checked above.
    SignalerRefus(ctx, faits.refusees);
    return faits.expeditions.isEmpty() ? 1 : 0;
}

int ajouterCommandes(Contexte& ctx, const QStringList& arguments) {
    if (arguments.size() < 2)
        throw ErreurUsage(
            QStringLiteral("ajouter-commandes attend EXPEDITION puis les commandes."));
    const int expedition = entierOuUsage(arguments.first(), QStringLiteral("EXPEDITION"));
    const CommandesRetenues tri = expeditions::RetenirPourAjout(ctx, expedition, arguments.mid(1));
    SignalerRefus(ctx, tri.refusees);
    if (tri.retenues.isEmpty())
        return 1;
    if (!expeditions::ConfirmerAjout(ctx, expedition)) {
        ctx.prompts.exclamation(
            QStringLiteral("Ajout de commande à une expédition"),
            QStringLiteral("Aucune commande n'a été ajoutée à l'expédition close N° %1. Relancez "
                           "avec --oui pour confirmer l'ajout.")
                .arg(expedition));
        return 1;
    }
    const Rattachements faits = expeditions::AddCdeExp(ctx, expedition, tri.retenues);
    QTextStream sortie(stdout);
    for (const QString& commande : faits.commandes)
        sortie << commande << '\n';
    SignalerRefus(ctx, faits.refusees);
    return faits.commandes.isEmpty() ? 1 : 0;
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
         QStringLiteral("crée les expéditions des commandes disponibles (une par commande en "
                        "mode auto, une pour toutes, d'un même lieu de livraison, en mode "
                        "manuel) et affiche leurs numéros"),
         Prealable::Base, creerExpeditions},
        {QStringLiteral("ajouter-commandes"), QStringLiteral("EXPEDITION COMMANDE..."),
         QStringLiteral("ajoute des commandes disponibles du lieu de livraison d'une "
                        "expédition et affiche celles ajoutées (--oui pour une expédition "
                        "close)"),
         Prealable::Base, ajouterCommandes},
        {QStringLiteral("recherche"), QStringLiteral("COMMANDE"),
         QStringLiteral("affiche le numéro de l'expédition qui contient une commande"),
         Prealable::Base, recherche},
    };
}

} // namespace tarvo::ctl
