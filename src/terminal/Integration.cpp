#include "Integration.h"

#include "SqlTerminal.h"

namespace tarvo::terminal {

Integration::Integration(const db::Base& base, QString dateIntegration)
    : base_(base), dateIntegration_(std::move(dateIntegration)) {}

db::Requete& Integration::requete(Preparee p) {
    static const std::array<const db::TexteSql*, NombreRequetes> textes = {
        &sql::JournalArticle,        &sql::JournalPoids,
        &sql::DateClotureExpedition, &sql::CreerColisSansPoids,
        &sql::CreerColisAvecPoids,   &sql::PeserColis,
        &sql::ColisExiste,           &sql::SupprimerColisExpedition,
        &sql::SupprimerColis,        &sql::CreerColisage,
        &sql::AjouterAuColisage,     &sql::QuantiteColisageAnterieure,
        &sql::RetirerDuColisage,     &sql::SupprimerColisage,
        &sql::ArticleConnu,
    };
    std::optional<db::Requete>& r = requetes_[p];
    if (!r)
        r.emplace(base_.preparer(*textes[p]));
    return *r;
}

bool Integration::articleConnu(const QString& codeBarres) {
    db::Requete& r = requete(ArticleConnu);
    r.lier(u":codeBarres", codeBarres);
    const bool connu = r.suivante();
    r.terminer();
    return connu;
}

} // namespace tarvo::terminal
