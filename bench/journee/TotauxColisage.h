#pragma once

#include <QList>
#include <QString>
#include <utility>

// The figures a packing list prints, read back from its text (as pdftotext
// -layout gives it).
namespace journee {

struct TotauxColisage {
    // Each parcel in print order: its number and its "Total article colis".
    QList<std::pair<int, qint64>> colis;
    // "Nbr Colis", -1 when the text holds none.
    int nombreColis = -1;
    bool operator==(const TotauxColisage&) const = default;
};

TotauxColisage lireTotauxColisage(const QString& texte);

} // namespace journee
