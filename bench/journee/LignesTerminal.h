#pragma once

#include <QByteArray>
#include <QString>

// What a SCANPAL 2 terminal writes into the data file, one entry per line.
namespace journee {

enum class TypeSaisie { ArticleF, ArticleX, PoidsF, PoidsX, Retrait };

struct Saisie {
    TypeSaisie type = TypeSaisie::ArticleF;
    qint32 expedition = 0;
    // A number, except for a removal where the terminal may write the
    // all-parcels marker "<To".
    QByteArray colis;
    // Articles and removals; "<Tous>" in a removal empties the parcel.
    QByteArray codeBarres;
    int quantite = 0;
    // Weights: a decimal number with a point.
    QByteArray poids;
    // yyyy-MM-dd HH:mm:ss, unique to the entry so that it can be found again.
    QString moment;
};

// The type code the line carries, "{EXPFA}" and so on.
QString codeType(TypeSaisie type);

// The line, without its CR LF.
QByteArray ligneTerminal(const Saisie& s);

// The k-th entry moment of the day: one second after the (k-1)-th, from a
// date no real entry uses.
QString momentNumero(qint64 k);

} // namespace journee
