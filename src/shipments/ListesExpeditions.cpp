#include "ListesExpeditions.h"

#include "CatalogueExpeditions.h"
#include "Requete.h"
#include "TexteCellules.h"
#include "app/Connexion.h"
#include "app/Contexte.h"

#include <QDateTime>
#include <QSqlRecord>
#include <QVariant>

namespace tarvo {
namespace {

using expeditions::executer;
using expeditions::TexteCellules;

// Reads the records forward only, turning each into its row as it comes: a
// forward-only read does not know the record count, so the progress bar goes
// from 0 straight to 100 (the whole load is short).
template <typename Ligne>
LignesListe charger(Contexte& ctx, const QString& sql, const QVariantList& valeurs, Ligne ligne) {
    ctx.afficheProgression(0);
    LignesListe lignes;
    try {
        QSqlQuery requete = executer(ctx, sql, valeurs);
        TexteCellules textes;
        while (requete.next())
            lignes.append(ligne(requete, textes));
    } catch (...) {
        ctx.afficheProgression(100);
        throw;
    }
    ctx.afficheProgression(100);
    return lignes;
}

LigneListe ligneCommandeDispo(const QSqlQuery& q, TexteCellules& t) {
    return {{t.valeur(q.value(0)), t.valeur(q.value(1)), t.date(q.value(2)), t.date(q.value(3)),
             t.valeur(q.value(4)), t.valeur(q.value(5)), t.valeur(q.value(6))},
            0,
            false};
}

} // namespace

LignesListe ChargeListCde(Contexte& ctx) {
    return charger(ctx, SqlExpeditions::commandesDispo(ctx.cnx->moteur()), {}, ligneCommandeDispo);
}

LignesListe ChargeListCde(Contexte& ctx, LieuLivraison lieu) {
    return charger(ctx, SqlExpeditions::commandesDispoLieu(ctx.cnx->moteur()), {lieu.LI_No},
                   ligneCommandeDispo);
}

LignesListe ChargeListCde(Contexte& ctx, NumeroExpedition expedition) {
    return charger(ctx, SqlExpeditions::commandesExpedition(), {expedition.NoExp},
                   ligneCommandeDispo);
}

LignesListe ChargeListClient(Contexte& ctx) {
    return charger(ctx, SqlExpeditions::clientsEnCommande(ctx.cnx->moteur()), {},
                   [](const QSqlQuery& q, TexteCellules& t) {
                       return LigneListe{{t.valeur(q.value(0)), t.valeur(q.value(1)),
                                          t.valeur(q.value(3)), t.valeur(q.value(4)),
                                          t.valeur(q.value(5)), t.valeur(q.value(6))},
                                         q.value(2).toInt(),
                                         false};
                   });
}

LignesListe ChargeListExp(Contexte& ctx, bool affClot) {
    const QString depuis =
        ctx.horloge.maintenant().addYears(-3).toString(Dialecte::FormatDateHeure);
    return charger(ctx, SqlExpeditions::listeExpeditions(ctx.cnx->moteur(), affClot), {depuis},
                   [](const QSqlQuery& q, TexteCellules& t) {
                       const bool close = !q.value(4).isNull();
                       return LigneListe{{t.valeur(q.value(0)), t.valeur(q.value(1)),
                                          t.valeur(q.value(2)), t.date(q.value(3)),
                                          t.date(q.value(4))},
                                         q.value(0).toInt(),
                                         close};
                   });
}

QStringList EntetesListeCde() {
    return {QStringLiteral("N° Commande"), QStringLiteral("Référence"),
            QStringLiteral("Date"),        QStringLiteral("Date livraison"),
            QStringLiteral("Client"),      QStringLiteral("Ville"),
            QStringLiteral("Pays")};
}

QStringList EntetesListeClient() {
    return {QStringLiteral("N° Client"),
            QStringLiteral("Client"),
            QStringLiteral("Lieu de livraison"),
            QStringLiteral("Ville"),
            QStringLiteral("Pays"),
            QStringLiteral("Nombre de commande")};
}

QStringList EntetesListeExp() {
    return {QStringLiteral("N° Expédition"), QStringLiteral("Libellé 1"),
            QStringLiteral("Libellé 2"), QStringLiteral("Date création"),
            QStringLiteral("Date cloture")};
}

} // namespace tarvo
