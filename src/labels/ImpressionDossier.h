#pragma once

#include "PrinterSystem.h"

namespace tarvo::etiquettes {

// Printers as folders: each sub-folder of the spool folder is a printer named
// after it, each job one new file in it. Jobs are named by a zero-padded
// sequence number, so that they sort in the order they were sent; a job file
// appears complete or not at all. Names starting with a dot are the
// senders' own working files.
class ImpressionDossier : public PrinterSystem {
public:
    explicit ImpressionDossier(QString dossier);

    QStringList imprimantes() override;
    QString identification(const QString& imprimante) override;
    void envoyer(const QString& imprimante, const QByteArray& octets,
                 const QString& titreTravail) override;

private:
    QString dossier_;
};

} // namespace tarvo::etiquettes
