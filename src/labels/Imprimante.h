#pragma once

#include <QString>
#include <optional>

namespace tarvo {
struct Contexte;
}

namespace tarvo::etiquettes {

class PrinterSystem;

// Finds the configured printer among the printers of the system. A name
// ending in "*" is a pattern: the first printer whose device name contains the
// rest of it; any other name must equal a device name. Case counts. On
// success `nom` becomes the printer's device name.
bool ChercheImprimante(PrinterSystem& systeme, QString& nom);

// How every label command begins: reads the printer name under [ZEBRA] `cle`,
// looks it up, shows "Impression impossible" when it is missing, otherwise
// shows the printer in the status bar. Gives the device name.
std::optional<QString> ImprimanteEtiquettes(Contexte& ctx, PrinterSystem& systeme,
                                            const QString& cle);

} // namespace tarvo::etiquettes
