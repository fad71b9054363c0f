#pragma once

#include "PrinterSystem.h"

namespace tarvo::etiquettes {

// The CUPS server of the workstation (or the one named by CUPS_SERVER). Each
// job is sent as application/vnd.cups-raw, so no filter touches it.
class ImpressionCups : public PrinterSystem {
public:
    QStringList imprimantes() override;
    QString identification(const QString& imprimante) override;
    void envoyer(const QString& imprimante, const QByteArray& octets,
                 const QString& titreTravail) override;
};

} // namespace tarvo::etiquettes
