#include "LecteursExpedition.h"

#include "SqlExpeditions.h"
#include "db/Base.h"

namespace tarvo::expeditions {

std::optional<EnTeteExpedition> LireEnTeteExpedition(const db::Base& base, qint32 noExpedition) {
    db::Requete q = base.preparer(sql::Expedition);
    if (!q.lier(u":noExpedition", noExpedition).suivante())
        return std::nullopt;
    const auto entier = [&q](int colonne) { return static_cast<qint32>(q.entier(colonne)); };
    EnTeteExpedition e;
    e.noExpedition = entier(0);
    e.libelle1 = q.texte(1);
    e.libelle2 = q.texte(2);
    if (!q.estNul(3))
        e.noLieuLivraison = entier(3);
    e.nbColisTheorique = entier(6);
    e.nbColisReel = entier(7);
    return e;
}

std::optional<AdresseDeLivraison> LireAdresseDeLivraison(const db::Base& base, qint32 noLieu) {
    db::Requete q = base.preparer(sql::AdresseLivraison);
    if (!q.lier(u":noLieu", noLieu).suivante())
        return std::nullopt;
    return AdresseDeLivraison{q.texte(0), q.texte(1), q.texte(2),
                              q.texte(3), q.texte(4), q.texte(5)};
}

QList<CommandeDeLExpedition> LireCommandesExpedition(const db::Base& base, qint32 noExpedition) {
    db::Requete q = base.preparer(sql::CommandesExpedition);
    q.lier(u":noExpedition", noExpedition);
    QList<CommandeDeLExpedition> commandes;
    while (q.suivante())
        commandes.append({q.texte(0), q.texte(1), q.dateHeure(2), q.dateHeure(3), q.texte(4),
                          q.texte(5), q.texte(6)});
    return commandes;
}

const db::TexteSql& InstructionCommandesExpedition() {
    return sql::CommandesExpedition;
}

} // namespace tarvo::expeditions
