#include "CreationExpeditions.h"

#include "CatalogueExpeditions.h"
#include "Requete.h"
#include "app/Connexion.h"
#include "app/Contexte.h"
#include "app/Erreur.h"

#include <QSqlQuery>
#include <QVariant>
#include <cmath>

namespace tarvo {
namespace {

using expeditions::executer;
using expeditions::Transaction;

// The first [Info Commande] row of an order, values as the database gave
// them: they are copied unchanged, NULLs included.
struct InfoCommande {
    QVariant DO_Piece, DO_Ref, DO_Date, DO_DateLivr, DO_Tiers, DO_Langue, LI_No, LI_Intitule,
        LI_Ville;
};

std::optional<InfoCommande> lireInfoCommande(Contexte& ctx, const QString& commande) {
    QSqlQuery q = executer(ctx, SqlExpeditions::infoCommande(), {commande.trimmed()});
    if (!q.next())
        return std::nullopt;
    return InfoCommande{q.value(0), q.value(1), q.value(2), q.value(3), q.value(4),
                        q.value(5), q.value(6), q.value(7), q.value(8)};
}

// Reads every order before any write: the writing transaction then stays
// short and never waits on a read.
QList<InfoCommande> lireInfosCommandes(Contexte& ctx, const QStringList& commandes) {
    QList<InfoCommande> infos;
    const qsizetype total = commandes.size();
    for (qsizetype k = 0; k < total; ++k) {
        ctx.afficheProgression(static_cast<int>(std::lround(100.0 * (k + 1) / total)));
        if (std::optional<InfoCommande> info = lireInfoCommande(ctx, commandes.at(k)))
            infos.append(*info);
    }
    ctx.afficheProgression(100);
    return infos;
}

qint32 insererExpedition(Contexte& ctx, const InfoCommande& info) {
    const db::Moteur moteur = ctx.cnx->moteur();
    QSqlQuery q = executer(ctx, SqlExpeditions::insertionExpedition(moteur),
                           {info.LI_Intitule, info.LI_Ville, info.LI_No, info.DO_Langue});
    return SqlExpeditions::identiteInseree(q, moteur);
}

void insererListeCommande(Contexte& ctx, qint32 noExpedition, const InfoCommande& info) {
    executer(ctx, SqlExpeditions::insertionListeCommande(),
             {noExpedition, info.DO_Piece, info.DO_Ref, info.DO_DateLivr, info.DO_Langue,
              info.DO_Tiers, info.DO_Date, info.LI_No});
}

} // namespace

QList<qint32> CreerExpAuto(Contexte& ctx, const QStringList& commandes) {
    QList<qint32> creees;
    const qsizetype total = commandes.size();
    for (qsizetype k = 0; k < total; ++k) {
        ctx.afficheProgression(static_cast<int>(std::lround(100.0 * (k + 1) / total)));
        const std::optional<InfoCommande> info = lireInfoCommande(ctx, commandes.at(k));
        if (!info)
            continue;
        Transaction transaction(ctx);
        const qint32 numero = insererExpedition(ctx, *info);
        insererListeCommande(ctx, numero, *info);
        transaction.valider();
        creees.append(numero);
    }
    ctx.afficheProgression(100);
    return creees;
}

std::optional<qint32> CreerExpManuel(Contexte& ctx, const QStringList& commandes) {
    const QList<InfoCommande> infos = lireInfosCommandes(ctx, commandes);
    if (infos.isEmpty())
        return std::nullopt;
    Transaction transaction(ctx);
    const qint32 numero = insererExpedition(ctx, infos.first());
    for (const InfoCommande& info : infos)
        insererListeCommande(ctx, numero, info);
    transaction.valider();
    return numero;
}

QStringList AddCdeExp(Contexte& ctx, qint32 noExpCible, const QStringList& commandes) {
    const QList<InfoCommande> infos = lireInfosCommandes(ctx, commandes);
    QStringList ajoutees;
    if (infos.isEmpty())
        return ajoutees;
    // Orders attached to a shipment that no longer exists would be lost to
    // every window.
    if (!executer(ctx, SqlExpeditions::expedition(), {noExpCible}).next())
        throw ErreurTarvo(NumeroErreur::DonneeInvalide, QStringLiteral("Expéditions"),
                          QStringLiteral("L'expédition N° %1 n'existe pas.").arg(noExpCible));
    Transaction transaction(ctx);
    for (const InfoCommande& info : infos) {
        insererListeCommande(ctx, noExpCible, info);
        ajoutees.append(info.DO_Piece.toString());
    }
    transaction.valider();
    return ajoutees;
}

} // namespace tarvo
