#pragma once

#include <QByteArray>
#include <QList>

// How a collection of lines differs from the one expected, each line counted
// as many times as it occurs.
namespace journee {

struct Ecarts {
    // One entry per missing copy of an expected line.
    QList<QByteArray> manquantes;
    // One entry per extra copy of an expected line.
    QList<QByteArray> enDouble;
    // One entry per copy of a line that was not expected at all.
    QList<QByteArray> inconnues;

    bool vide() const { return manquantes.isEmpty() && enDouble.isEmpty() && inconnues.isEmpty(); }
};

Ecarts comparer(const QList<QByteArray>& attendues, const QList<QByteArray>& obtenues);

// The lines of a file's bytes, cut at CR LF; a last line without CR LF is
// kept as it is.
QList<QByteArray> decouperLignes(const QByteArray& octets);

} // namespace journee
