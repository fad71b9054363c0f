#include "RechercheCommande.h"

#include "ModificationExpedition.h"
#include "SqlExpeditions.h"
#include "app/Contexte.h"
#include "db/Base.h"
#include "db/Dialecte.h"

namespace tarvo::expeditions {

QList<qint32> ExpeditionsDeCommande(Contexte& ctx, const QString& commande) {
    return ExpeditionsDeCommande(db::Base(ctx.cnx.get()), commande);
}

QList<qint32> ExpeditionsDeCommande(const db::Base& base, const QString& commande) {
    db::Requete q = base.preparer(sql::RechercheCommande);
    q.lier(u":commande", commande);
    QList<qint32> numeros;
    while (q.suivante())
        numeros.append(static_cast<qint32>(q.entier(0)));
    return numeros;
}

std::optional<qint32> RechercheCommande(Contexte& ctx, const QString& saisie) {
    if (saisie.isEmpty())
        return std::nullopt;
    const QString commande = saisie.toUpper().trimmed();
    const QList<qint32> numeros = ExpeditionsDeCommande(ctx, commande);
    const QString saut = QStringLiteral("\r\n");
    if (numeros.isEmpty()) {
        ctx.prompts.information(QStringLiteral("Recherche de commande infructueuse"),
                                QStringLiteral("La commande N° [") + commande +
                                    QStringLiteral("] appartient à aucune expédition ou "
                                                   "n'existe pas."));
        return std::nullopt;
    }
    if (numeros.size() > 1) {
        QString liste;
        for (const qint32 numero : numeros)
            liste += QString::number(numero) + saut;
        ctx.prompts.exclamation(QStringLiteral("ANOMALIE : Recherche de commande"),
                                QStringLiteral("La commande N° [") + commande +
                                    QStringLiteral("] appartient à plusieurs expéditions.") + saut +
                                    saut + QStringLiteral("Liste des n° d'expédition :") + saut +
                                    liste);
    }
    return numeros.first();
}

const QString TitreExpeditionHorsListe = QStringLiteral("Recherche de commande");

QString TexteExpeditionHorsListe(Contexte& ctx, qint32 noExp) {
    const std::optional<DetailExpedition> detail = ChargeDetailExp(ctx, noExp);
    if (!detail)
        return QStringLiteral("La commande était dans l'expédition N° %1, qui vient d'être "
                              "supprimée sur un autre poste.")
            .arg(noExp);
    const QDateTime creation = db::Dialecte::lireDateHeure(detail->dateCreation);
    return QStringLiteral("La commande est dans l'expédition N° %1, créée le %2, que la liste "
                          "des expéditions ne montre pas : elle ne garde que les expéditions "
                          "créées depuis trois ans.")
        .arg(noExp)
        .arg(creation.toString(QStringLiteral("dd/MM/yyyy")));
}

std::optional<qint32> RechercheCommande(Contexte& ctx) {
    const std::optional<QString> saisie = ctx.prompts.saisie(
        QStringLiteral("Recherche d'une commande"), QStringLiteral("No commande :"), QString());
    if (!saisie)
        return std::nullopt;
    return RechercheCommande(ctx, *saisie);
}

} // namespace tarvo::expeditions
