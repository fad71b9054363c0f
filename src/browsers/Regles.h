#pragma once

#include "db/JeuEnregistrements.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <optional>

namespace tarvo::navigateurs {

// One column a browser shows: the table column it reads, its caption and how
// its values compare.
struct Champ {
    QString nom;
    QString titre;
    db::Genre genre = db::Genre::Texte;
};

// How a criterion compares a column with its value.
enum class Operateur {
    Egal,
    Different,
    // The value is a pattern in which the person may write "%" for any text.
    Comme,
    // The value stands anywhere in the text, every character as written.
    Contient,
};

// One clause of a filter or a search. The value is typed: a text, a number
// (qint64 or double), a moment (QDateTime), a whole day (QDate), or null.
struct Critere {
    Champ champ;
    Operateur operateur = Operateur::Egal;
    QVariant valeur;
};

struct Tri {
    Champ champ;
    bool descendant = false;
};

// What a browser's grid shows: the rows meeting every clause of the filter,
// in the order of the sort (the table's own order without one).
struct Vue {
    QList<Critere> filtre;
    std::optional<Tri> tri;
};

// The two browsers compare differently: the article file searches with a
// pattern and filters on the text selected, the journal compares exactly.
enum class Comparaison { ParMotif, Exacte };

// "Rechercher": the criterion of the value typed for `champ`. Raises
// ErreurTarvo with a short French text when the value cannot be compared
// with the column (a number column and a text that is no number) or when a
// pattern is too long for the engines.
Critere CritereRecherche(Comparaison comparaison, const Champ& champ, const QString& saisie);

// "Filtre sur sélection": with ParMotif the text selected in the grid
// (`selection`, trimmed) anywhere in a text column; with Exacte the current
// cell's value. Raises ErreurTarvo like CritereRecherche.
Critere CritereFiltreSel(Comparaison comparaison, const Champ& champ, const QVariant& valeurCellule,
                         const QString& selection);

// "Filtre hors sélection" / "Filtre hors champ": every row whose value
// differs from the current cell's, rows without a value included.
Critere CritereFiltreHorsSel(const Champ& champ, const QVariant& valeurCellule);

// A cell's value as a criterion compares it: dates become moments.
QVariant ValeurComparable(const Champ& champ, const QVariant& valeur);

// Reads a value typed by a person for a column of genre `genre`: numbers
// with a comma or a point, dates as 06/12/2026, 06/12/2026 14:30(:00) or
// 2026-12-06( 14:30:00). Empty optional when the text is none of those.
std::optional<QVariant> LireValeur(db::Genre genre, const QString& texte);

// The clauses of a filter as the person reads them, joined by "et":
// « Libellé » contient « plaid » et « Couleur » différent de « ROUGE ».
QString DescriptionFiltre(const QList<Critere>& filtre);

// The column of `champs` whose caption or table name is `nom`.
std::optional<Champ> ChampNomme(const QList<Champ>& champs, const QString& nom);

} // namespace tarvo::navigateurs
