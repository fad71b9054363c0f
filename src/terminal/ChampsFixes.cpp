#include "ChampsFixes.h"

#include <cmath>

namespace tarvo::terminal {

void ajouterPadDroite(QByteArray& ligne, QByteArrayView s, qsizetype n, char f) {
    const qsizetype pris = std::min(s.size(), n);
    ligne.append(s.first(pris));
    ligne.append(n - pris, f);
}

void ajouterPadGauche(QByteArray& ligne, QByteArrayView s, qsizetype n, char f) {
    const qsizetype pris = std::min(s.size(), n);
    ligne.append(n - pris, f);
    ligne.append(s.first(pris));
}

QByteArray PadDroite(QByteArrayView s, qsizetype n, char f) {
    QByteArray ligne;
    ligne.reserve(n);
    ajouterPadDroite(ligne, s, n, f);
    return ligne;
}

QByteArray PadGauche(QByteArrayView s, qsizetype n, char f) {
    QByteArray ligne;
    ligne.reserve(n);
    ajouterPadGauche(ligne, s, n, f);
    return ligne;
}

int pourcentage(qint64 x, qint64 total) {
    // nearbyint follows the default rounding mode: to nearest, ties to even.
    return static_cast<int>(
        std::nearbyint(static_cast<double>(x) / static_cast<double>(total) * 100.0));
}

} // namespace tarvo::terminal
