#pragma once

#include "PrinterSystem.h"

namespace tarvo::etiquettes {

// The Windows spooler; jobs use the RAW data type, so the driver passes the
// bytes to the printer unchanged.
class ImpressionWindows : public PrinterSystem {
public:
    QStringList imprimantes() override;
    QString identification(const QString& imprimante) override;
    void envoyer(const QString& imprimante, const QByteArray& octets,
                 const QString& titreTravail) override;
};

} // namespace tarvo::etiquettes
