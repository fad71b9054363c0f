#pragma once

#include <QString>

namespace tarvo {
struct Contexte;
}

namespace tarvo::etiquettes {

// How a label places its fields from the left margin configured under
// [ZEBRA]: its x coordinates run from margin + premierDecalage to margin +
// dernierDecalage.
struct UsageMarge {
    // The key under [ZEBRA].
    QString cle;
    // The labels as the error names them ("expédition"…).
    QString etiquettes;
    // The source of the error box.
    QString source;
    int premierDecalage;
    int dernierDecalage;
};

// The left margin in printer dots. Raises ErreurTarvo when it is no whole
// number, or when a coordinate of the label would not hold in an int: the
// printer would receive a wrapped position instead of the one configured.
int LireMargeGauche(Contexte& ctx, const UsageMarge& usage);

} // namespace tarvo::etiquettes
