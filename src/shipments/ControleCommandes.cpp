#include "ControleCommandes.h"

#include "RechercheCommande.h"
#include "SqlExpeditions.h"
#include "app/Contexte.h"
#include "base/Erreur.h"
#include "db/Base.h"

#include <QSet>
#include <optional>

namespace tarvo::expeditions {
namespace {

QString texteLieu(const QVariant& lieu) {
    return lieu.isNull() ? QStringLiteral("aucun") : QStringLiteral("N° ") + lieu.toString();
}

// Reads, order by order, whether it is offered and where it goes, and why
// it is not when it is not.
class Examen {
public:
    Examen(Contexte& ctx, const db::Base& base)
        : ctx_(ctx), dispo_(base.preparer(sql::CommandeDispo)),
          info_(base.preparer(sql::InfoCommande)) {}

    // The order's delivery place when it is offered; otherwise the refusal.
    std::optional<QVariant> lieuSiOfferte(const QString& commande, QString& raison) {
        if (dispo_.lier(u":commande", commande).suivante()) {
            const QVariant lieu = dispo_.valeur(0);
            dispo_.terminer();
            return lieu;
        }
        raison = pourquoiPasOfferte(commande);
        return std::nullopt;
    }

private:
    QString pourquoiPasOfferte(const QString& commande) {
        const bool connue = info_.lier(u":commande", commande).suivante();
        info_.terminer();
        if (!connue)
            return QStringLiteral("La commande %1 n'existe pas.").arg(commande);
        return RaisonCommandeNonOfferte(commande, ExpeditionsDeCommande(ctx_, commande));
    }

    Contexte& ctx_;
    db::Requete dispo_;
    db::Requete info_;
};

// With `parLieu`, every order retained goes to `lieu`, which the first
// order retained sets when it is not given. An order without a place is
// never retained there, as the windows' lists of one place never show it.
CommandesRetenues retenir(Contexte& ctx, const db::Base& base, const QStringList& commandes,
                          bool parLieu, std::optional<QVariant> lieu) {
    Examen examen(ctx, base);
    CommandesRetenues resultat;
    QSet<QString> vues;
    for (const QString& saisie : commandes) {
        const QString commande = saisie.trimmed();
        QString raison;
        if (vues.contains(commande)) {
            raison = QStringLiteral("La commande %1 est indiquée plusieurs fois : elle n'est "
                                    "prise qu'une fois.")
                         .arg(commande);
        } else if (const std::optional<QVariant> sonLieu = examen.lieuSiOfferte(commande, raison);
                   sonLieu && parLieu) {
            if (sonLieu->isNull())
                raison =
                    QStringLiteral("La commande %1 n'a pas de lieu de livraison.").arg(commande);
            else if (!lieu)
                lieu = *sonLieu;
            else if (lieu->isNull() || lieu->toLongLong() != sonLieu->toLongLong())
                raison = QStringLiteral("La commande %1 est livrée à un autre lieu (%2) que "
                                        "l'expédition (%3).")
                             .arg(commande, texteLieu(*sonLieu), texteLieu(*lieu));
        }
        vues.insert(commande);
        if (raison.isEmpty())
            resultat.retenues << commande;
        else
            resultat.refusees << CommandeRefusee{commande, raison};
    }
    return resultat;
}

} // namespace

QString RaisonCommandeNonOfferte(const QString& commande, const QList<qint32>& expeditions) {
    if (expeditions.size() == 1)
        return QStringLiteral("La commande %1 est déjà dans l'expédition N° %2.")
            .arg(commande, QString::number(expeditions.first()));
    if (expeditions.size() > 1) {
        QStringList numeros;
        for (const qint32 numero : expeditions)
            numeros << QString::number(numero);
        return QStringLiteral("La commande %1 est déjà dans les expéditions N° %2.")
            .arg(commande, numeros.join(QStringLiteral(", ")));
    }
    return QStringLiteral("La commande %1 n'est pas disponible pour l'expédition.").arg(commande);
}

void SignalerRefus(Contexte& ctx, const QList<CommandeRefusee>& refusees) {
    if (refusees.isEmpty())
        return;
    QStringList raisons;
    for (const CommandeRefusee& refus : refusees)
        raisons << refus.raison;
    ctx.prompts.exclamation(QStringLiteral("Commandes refusées"),
                            raisons.join(QStringLiteral("\r\n")));
}

CommandesRetenues RetenirPourCreation(Contexte& ctx, const QStringList& commandes, Lieu lieu) {
    const db::Base base(ctx.cnx.get());
    return retenir(ctx, base, commandes, lieu == Lieu::Commun, std::nullopt);
}

CommandesRetenues RetenirPourAjout(Contexte& ctx, qint32 noExp, const QStringList& commandes) {
    const ExpeditionCible cible = LireExpeditionCible(ctx, noExp);
    const db::Base base(ctx.cnx.get());
    return retenir(ctx, base, commandes, true, cible.noLieu);
}

ExpeditionCible LireExpeditionCible(Contexte& ctx, qint32 noExp) {
    const db::Base base(ctx.cnx.get());
    db::Requete q = base.preparer(sql::Expedition);
    // Orders attached to a shipment that no longer exists would be lost to
    // every window.
    if (!q.lier(u":noExpedition", noExp).suivante())
        throw ErreurTarvo(NumeroErreur::DonneeInvalide, QStringLiteral("Expéditions"),
                          QStringLiteral("L'expédition N° %1 n'existe pas.").arg(noExp));
    ExpeditionCible cible{q.valeur(3), !q.estNul(5)};
    q.terminer();
    return cible;
}

bool ConfirmerAjout(Contexte& ctx, qint32 noExp) {
    if (!LireExpeditionCible(ctx, noExp).close)
        return true;
    return ctx.prompts.question(
        Prompts::Icone::Question, QStringLiteral("Ajout de commande à une expédition"),
        QStringLiteral("L'expédition N° %1 est close : ses commandes ne sont plus envoyées aux "
                       "terminaux.\r\n\r\nAjouter quand même la(les) commande(s) ?")
            .arg(noExp),
        false);
}

} // namespace tarvo::expeditions
