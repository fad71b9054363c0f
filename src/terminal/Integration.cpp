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
    // A run's lines name a few hundred articles many times over, and the
    // table does not change under it: one look-up each, not one a line
    // (on the server, a round trip).
    const auto deja = articlesVus_.constFind(codeBarres);
    if (deja != articlesVus_.constEnd())
        return *deja;
    db::Requete& r = requete(ArticleConnu);
    r.lier(u":codeBarres", codeBarres);
    const bool connu = r.suivante();
    r.terminer();
    articlesVus_.insert(codeBarres, connu);
    return connu;
}

} // namespace tarvo::terminal
