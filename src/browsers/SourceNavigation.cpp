#include "SourceNavigation.h"

namespace tarvo::navigateurs {

SourceNavigation::SourceNavigation(Connexion* cnx, const TableNavigable& table)
    : base_(cnx), table_(table) {}

TraductionSql SourceNavigation::traduction() const {
    return TraductionSql(table_, base_.moteur(), borne_);
}

db::Requete SourceNavigation::preparer(const SqlLie& lie) const {
    db::Requete requete = base_.preparer(db::TexteSql(lie.texte));
    for (const auto& [nom, valeur] : lie.valeurs)
        requete.lier(nom, valeur);
    return requete;
}

void SourceNavigation::figer() {
    if (!table_.instantane)
        return;
    db::Requete requete = preparer(TraductionSql(table_, base_.moteur()).derniereCle());
    // An empty table still gets a bound, so that later rows stay out.
    borne_ = requete.suivante() && !requete.estNul(0) ? QVariant(requete.entier(0))
                                                      : QVariant(qint64{0});
    requete.terminer();
}

qint64 SourceNavigation::compter(const Vue& vue) const {
    db::Requete requete = preparer(traduction().comptage(vue));
    const qint64 nombre = requete.suivante() ? requete.entier(0) : 0;
    requete.terminer();
    return nombre;
}

std::vector<LigneNavigation> SourceNavigation::lignes(const SqlLie& lie, int nombre) const {
    db::Requete requete = preparer(lie);
    const int colonnes = static_cast<int>(table_.champs.size());
    std::vector<LigneNavigation> lignes;
    lignes.reserve(static_cast<std::size_t>(nombre));
    while (requete.suivante()) {
        LigneNavigation ligne{requete.valeur(0), {}};
        ligne.valeurs.reserve(colonnes);
        for (int c = 1; c <= colonnes; ++c)
            ligne.valeurs.append(requete.valeur(c));
        lignes.push_back(std::move(ligne));
    }
    return lignes;
}

std::vector<LigneNavigation> SourceNavigation::lire(const Vue& vue, qint64 debut,
                                                    int nombre) const {
    return lignes(traduction().page(vue, debut, nombre), nombre);
}

std::vector<LigneNavigation>
SourceNavigation::lireApres(const Vue& vue, const LigneNavigation& precedente, int nombre) const {
    QVariant valeurTri;
    if (vue.tri)
        for (int c = 0; c < table_.champs.size(); ++c)
            if (table_.champs.at(c).nom == vue.tri->champ.nom)
                valeurTri = precedente.valeurs.at(c);
    const TraductionSql traduction = this->traduction();
    std::vector<LigneNavigation> suivantes =
        lignes(traduction.pageApres(vue, valeurTri, precedente.cle, nombre), nombre);
    const int manquantes = nombre - static_cast<int>(suivantes.size());
    if (manquantes > 0 && TraductionSql::videsApres(vue, valeurTri))
        for (LigneNavigation& vide : lignes(traduction.pageVides(vue, manquantes), manquantes))
            suivantes.push_back(std::move(vide));
    return suivantes;
}

std::optional<qint64> SourceNavigation::chercher(const Vue& vue, const Critere& critere) const {
    const TraductionSql traduction = this->traduction();
    db::Requete premiere = preparer(traduction.premiere(vue, critere));
    if (!premiere.suivante())
        return std::nullopt;
    const QVariant valeurTri = premiere.valeur(0);
    const QVariant cle = premiere.valeur(1);
    premiere.terminer();
    db::Requete rang = preparer(traduction.rangAvant(vue, valeurTri, cle));
    const qint64 position = rang.suivante() ? rang.entier(0) : 0;
    rang.terminer();
    return position;
}

void SourceNavigation::parcourir(const Vue& vue,
                                 const std::function<void(const db::Requete&)>& ligne) const {
    db::Requete requete = preparer(traduction().lignes(vue));
    while (requete.suivante())
        ligne(requete);
}

} // namespace tarvo::navigateurs
