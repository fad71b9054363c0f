#include "JeuEnregistrements.h"

#include "Requete.h"

namespace tarvo::db {

JeuEnregistrements::JeuEnregistrements(QList<Colonne> colonnes) : colonnes_(std::move(colonnes)) {}

std::size_t JeuEnregistrements::position(int ligne, int colonne) const {
    return static_cast<std::size_t>(ligne) * static_cast<std::size_t>(colonnes_.size()) +
           static_cast<std::size_t>(colonne);
}

void JeuEnregistrements::ajouter(const QVariantList& valeurs, const QVariant& cle, bool marque) {
    for (int c = 0; c < nombreColonnes(); ++c)
        valeurs_.push_back(valeurs.value(c));
    cles_.push_back(cle);
    marques_.push_back(marque ? 1 : 0);
}

void JeuEnregistrements::ajouter(const Requete& requete, const QVariant& cle, bool marque) {
    for (int c = 0; c < nombreColonnes(); ++c)
        valeurs_.push_back(requete.valeur(c));
    cles_.push_back(cle);
    marques_.push_back(marque ? 1 : 0);
}

const QVariant& JeuEnregistrements::valeur(int ligne, int colonne) const {
    return valeurs_.at(position(ligne, colonne));
}

void JeuEnregistrements::changerValeur(int ligne, int colonne, const QVariant& valeur) {
    valeurs_.at(position(ligne, colonne)) = valeur;
}

void JeuEnregistrements::permuter(const std::vector<int>& ordre) {
    std::vector<QVariant> valeurs;
    std::vector<QVariant> cles;
    std::vector<char> marques;
    valeurs.reserve(valeurs_.size());
    cles.reserve(ordre.size());
    marques.reserve(ordre.size());
    for (const int source : ordre) {
        for (int c = 0; c < nombreColonnes(); ++c)
            valeurs.push_back(std::move(valeurs_[position(source, c)]));
        cles.push_back(std::move(cles_[static_cast<std::size_t>(source)]));
        marques.push_back(marques_[static_cast<std::size_t>(source)]);
    }
    valeurs_ = std::move(valeurs);
    cles_ = std::move(cles);
    marques_ = std::move(marques);
}

} // namespace tarvo::db
