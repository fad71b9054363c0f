#include "Ecarts.h"

#include <QHash>

namespace journee {

Ecarts comparer(const QList<QByteArray>& attendues, const QList<QByteArray>& obtenues) {
    QHash<QByteArray, qsizetype> solde;
    for (const QByteArray& l : attendues)
        ++solde[l];
    Ecarts e;
    for (const QByteArray& l : obtenues) {
        const auto it = solde.find(l);
        if (it == solde.end())
            e.inconnues << l;
        else if (it.value()-- <= 0)
            e.enDouble << l;
    }
    // Walk the expected lines in their order so that the report is stable.
    for (const QByteArray& l : attendues) {
        qsizetype& reste = solde[l];
        if (reste > 0) {
            e.manquantes << l;
            --reste;
        }
    }
    return e;
}

QList<QByteArray> decouperLignes(const QByteArray& octets) {
    QList<QByteArray> lignes;
    qsizetype debut = 0;
    while (debut < octets.size()) {
        const qsizetype fin = octets.indexOf("\r\n", debut);
        if (fin < 0) {
            lignes << octets.mid(debut);
            break;
        }
        lignes << octets.mid(debut, fin - debut);
        debut = fin + 2;
    }
    return lignes;
}

} // namespace journee
