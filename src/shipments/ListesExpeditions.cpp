#include "ListesExpeditions.h"

#include "SqlExpeditions.h"
#include "app/Contexte.h"
#include "db/Base.h"

#include <QDateTime>

namespace tarvo::expeditions {
namespace {

using db::Genre;
using db::JeuEnregistrements;
using db::Requete;

constexpr int LignesParStatut = 2000;

// Reads the records forward only, each row taken as it comes: a forward-only
// read does not know the record count, so the progress bar goes from 0
// straight to 100, and the status bar counts the rows as they come in.
template <typename Liaisons, typename Ligne>
JeuEnregistrements charger(Contexte& ctx, QList<db::Colonne> colonnes, const db::TexteSql& sql,
                           Liaisons lier, Ligne ajouter) {
    ctx.afficheProgression(0);
    JeuEnregistrements jeu(std::move(colonnes));
    try {
        const db::Base base(ctx.cnx.get());
        Requete requete = base.preparer(sql);
        lier(requete);
        while (requete.suivante()) {
            ajouter(jeu, requete);
            if (jeu.nombreLignes() % LignesParStatut == 0)
                ctx.feedback.statut(
                    QStringLiteral("Chargement de la liste : %1 lignes…").arg(jeu.nombreLignes()));
        }
    } catch (...) {
        ctx.afficheProgression(100);
        ctx.feedback.statut(QString());
        throw;
    }
    ctx.afficheProgression(100);
    if (jeu.nombreLignes() >= LignesParStatut)
        ctx.feedback.statut(QString());
    return jeu;
}

void sansParametre(Requete&) {}

// The order number leads every order query.
void ajouterCommande(JeuEnregistrements& jeu, const Requete& q) {
    jeu.ajouter(q, q.texte(0));
}

} // namespace

JeuEnregistrements ChargeListCde(Contexte& ctx) {
    return charger(ctx, ColonnesListeCde(), sql::CommandesDispo, sansParametre, ajouterCommande);
}

JeuEnregistrements ChargeListCde(Contexte& ctx, LieuLivraison lieu) {
    return charger(
        ctx, ColonnesListeCde(), sql::CommandesDispoLieu,
        [lieu](Requete& r) { r.lier(u":noLieu", lieu.LI_No); }, ajouterCommande);
}

JeuEnregistrements ChargeListCde(Contexte& ctx, NumeroExpedition expedition) {
    return charger(
        ctx, ColonnesListeCde(), sql::CommandesExpedition,
        [expedition](Requete& r) { r.lier(u":noExpedition", expedition.NoExp); }, ajouterCommande);
}

JeuEnregistrements ChargeListClient(Contexte& ctx) {
    // The place number follows the six columns shown.
    return charger(ctx, ColonnesListeClient(), sql::ClientsEnCommande, sansParametre,
                   [](JeuEnregistrements& jeu, const Requete& q) { jeu.ajouter(q, q.entier(6)); });
}

JeuEnregistrements ChargeListExp(Contexte& ctx, bool affClot) {
    const QDateTime depuis = ctx.horloge.maintenant().addYears(-3);
    return charger(
        ctx, ColonnesListeExp(), sql::ListeExpeditions,
        [&](Requete& r) { r.lier(u":depuis", depuis).lier(u":avecCloses", affClot ? 1 : 0); },
        [](JeuEnregistrements& jeu, const Requete& q) {
            jeu.ajouter(q, q.entier(0), !q.estNul(4));
        });
}

QList<db::Colonne> ColonnesListeCde() {
    return {{QStringLiteral("N° Commande"), Genre::Texte},
            {QStringLiteral("Référence"), Genre::Texte},
            {QStringLiteral("Date"), Genre::Date},
            {QStringLiteral("Date livraison"), Genre::Date},
            {QStringLiteral("Client"), Genre::Texte},
            {QStringLiteral("Ville"), Genre::Texte},
            {QStringLiteral("Pays"), Genre::Texte}};
}

QList<db::Colonne> ColonnesListeClient() {
    return {{QStringLiteral("N° Client"), Genre::Texte},
            {QStringLiteral("Client"), Genre::Texte},
            {QStringLiteral("Lieu de livraison"), Genre::Texte},
            {QStringLiteral("Ville"), Genre::Texte},
            {QStringLiteral("Pays"), Genre::Texte},
            {QStringLiteral("Nombre de commande"), Genre::Nombre}};
}

QList<db::Colonne> ColonnesListeExp() {
    return {{QStringLiteral("N° Expédition"), Genre::Nombre},
            {QStringLiteral("Libellé 1"), Genre::Texte},
            {QStringLiteral("Libellé 2"), Genre::Texte},
            {QStringLiteral("Date création"), Genre::Date},
            {QStringLiteral("Date cloture"), Genre::Date}};
}

} // namespace tarvo::expeditions
