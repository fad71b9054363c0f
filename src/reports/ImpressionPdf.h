#pragma once

#include <QByteArray>
#include <QString>

namespace tarvo::editions {

// Prints a report PDF on a named printer of the workstation as one job: the
// printing system converts it for the printer (a spool folder named by
// TARVO_SPOOL_DIR receives the PDF itself). Raises ErreurTarvo when the
// printer is unknown or the job is refused.
void imprimerPdf(const QString& imprimante, const QByteArray& pdf, const QString& titreTravail);

} // namespace tarvo::editions
