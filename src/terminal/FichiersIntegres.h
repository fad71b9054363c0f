#pragma once

#include "db/Base.h"

#include <QString>
#include <optional>

namespace tarvo::terminal {

// The very file on disk: its bytes and the time it was written. The same
// bytes written again later make another file.
struct IdentiteFichier {
    QString empreinte;
    qint64 modification = 0;
};

// The data file under the name a run works on. Renamed in one step within
// its folder: a terminal that writes next starts a new data file, and the run
// reads bytes that nobody appends to.
QString cheminTravail(const QString& cheminData);

// The archive of the committed run that integrated this very file, if any.
std::optional<QString> archiveFichierIntegre(const db::Base& base, const IdentiteFichier& f);

// Notes, inside the run's transaction, that this file is integrated.
void noterFichierIntegre(const db::Base& base, const IdentiteFichier& f,
                         const QString& dateIntegration, const QString& archive);

} // namespace tarvo::terminal
