#pragma once

#include "Journee.h"

namespace journee {

// Fills an empty program folder: TARVOX.ini, the version file, the terminal,
// archive, spool (one sub-folder per label printer), report and export
// folders, and the demo database made by tarvoctl itself. Returns the
// failure, empty when the folder is ready.
QString preparerDossier(Journee& j);

} // namespace journee
