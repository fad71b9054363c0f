#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace tarvo::terminal {

// Fixed-width fields of the terminal files, counted in bytes of the encoded
// text: the first n bytes of s, filled with f on the right (PadDroite) or on
// the left (PadGauche) up to exactly n bytes.
QByteArray PadDroite(QByteArrayView s, qsizetype n, char f = ' ');
QByteArray PadGauche(QByteArrayView s, qsizetype n, char f = ' ');

// The same, appended to a line being built.
void ajouterPadDroite(QByteArray& ligne, QByteArrayView s, qsizetype n, char f = ' ');
void ajouterPadGauche(QByteArray& ligne, QByteArrayView s, qsizetype n, char f = ' ');

// x / total × 100 in floating point, rounded to the nearest whole number,
// halves to the even one. Counts of lines and bytes, far below 2^53: the
// conversion is exact.
int pourcentage(qint64 x, qint64 total);

} // namespace tarvo::terminal
