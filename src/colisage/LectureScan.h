#pragma once

#include <QString>

namespace tarvo::colisage {

// What one line scanned (or typed) at the packing bench stands for.
struct Scan {
    enum class Genre {
        // "EXP:NNNNNN": a shipment; a parcel label also names its parcel.
        Expedition,
        // "COLIS:NN": a parcel of the open shipment.
        Colis,
        // "COLIS:+": the parcel after the shipment's last one.
        ColisSuivant,
        // "POIDS:12,5": the current parcel's weight in kilograms.
        Poids,
        // "ANNULER": takes the last accepted article out again.
        Annulation,
        // Anything else: an article's bar code, or with no shipment open a
        // shipment number.
        CodeBarres,
        // Not readable: `motif` says why.
        Illisible,
    };
    Genre genre = Genre::Illisible;
    qint32 expedition = 0;
    qint16 colis = 0;
    double poids = 0;
    QString texte;
    QString motif;
};

// The parcels a bench entry can name: the two digits an entry of the
// terminals' F forms carries.
constexpr qint16 ColisMaximum = 99;

// Reads one line; leading and trailing spaces do not count.
Scan LireScan(const QString& ligne);

// True when the 13 digits carry their EAN-13 check digit.
bool CleEan13Valide(QStringView chiffres);

} // namespace tarvo::colisage
