#pragma once

#include <QList>
#include <QString>
#include <QVariant>
#include <vector>

namespace tarvo::db {

class Requete;

// How a column's values are shown, compared and sorted.
enum class Genre { Texte, Nombre, Date };

struct Colonne {
    QString titre;
    Genre genre = Genre::Texte;
};

// Rows read from the database, with their typed values as the engine gave
// them. Each row also carries a key (the record it stands for: a shipment
// number, an order number, a delivery place) and a mark (a closed shipment),
// so that nothing is ever read back from the text a list shows.
class JeuEnregistrements {
public:
    JeuEnregistrements() = default;
    explicit JeuEnregistrements(QList<Colonne> colonnes);

    const QList<Colonne>& colonnes() const { return colonnes_; }
    int nombreColonnes() const { return static_cast<int>(colonnes_.size()); }
    int nombreLignes() const { return static_cast<int>(cles_.size()); }

    // One row: as many values as there are columns.
    void ajouter(const QVariantList& valeurs, const QVariant& cle = {}, bool marque = false);
    // One row from the current row of a query: its first columns, in order.
    void ajouter(const Requete& requete, const QVariant& cle = {}, bool marque = false);

    const QVariant& valeur(int ligne, int colonne) const;
    void changerValeur(int ligne, int colonne, const QVariant& valeur);
    const QVariant& cle(int ligne) const { return cles_.at(static_cast<std::size_t>(ligne)); }
    bool marque(int ligne) const { return marques_.at(static_cast<std::size_t>(ligne)) != 0; }

    // Reorders the rows: row i becomes the row `ordre[i]` was.
    void permuter(const std::vector<int>& ordre);

private:
    std::size_t position(int ligne, int colonne) const;

    QList<Colonne> colonnes_;
    std::vector<QVariant> valeurs_;
    std::vector<QVariant> cles_;
    std::vector<char> marques_;
};

} // namespace tarvo::db
