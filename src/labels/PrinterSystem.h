#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <memory>

namespace tarvo::etiquettes {

// The number carried by every failure of a printing system.
constexpr qint64 NumeroErreurImpression = 482;

// The printers this workstation knows and the way to hand them a job. Label
// printers receive their command text as is: nothing may be converted.
class PrinterSystem {
public:
    virtual ~PrinterSystem() = default;

    // Device names, in the order the printing system lists them.
    virtual QStringList imprimantes() = 0;
    // A second identification of a printer for the status bar (its device
    // address, its folder…); empty when the system has none.
    virtual QString identification(const QString& imprimante) = 0;
    // Sends the bytes as one raw job. Raises ErreurTarvo on failure.
    virtual void envoyer(const QString& imprimante, const QByteArray& octets,
                         const QString& titreTravail) = 0;
};

// The printing system in use: the spool folder named by TARVO_SPOOL_DIR when
// set, otherwise the operating system's (CUPS, or the Windows spooler).
std::unique_ptr<PrinterSystem> systemeImpression();

} // namespace tarvo::etiquettes
