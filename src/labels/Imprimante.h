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

// A label printer as configured and as the system knows it.
struct ImprimanteConfiguree {
    // The name under [ZEBRA], as written.
    QString configure;
    // The device name; empty when the system has no such printer.
    std::optional<QString> nom;
    // The system's second identification of the printer (ImpressionCups: its
    // device address), empty when it gives none.
    QString identification;
};

// Reads the printer name under [ZEBRA] `cle` and looks it up. Raises
// ErreurTarvo when the configuration cannot be read.
ImprimanteConfiguree TrouverImprimante(Contexte& ctx, PrinterSystem& systeme, const QString& cle);

} // namespace tarvo::etiquettes
