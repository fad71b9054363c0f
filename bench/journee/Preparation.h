#pragma once

#include "Journee.h"

namespace journee {

// Fills an empty program folder: TARVOX.ini, the version file, the terminal,
// archive, spool (one sub-folder per label printer), report and export
// folders, and the demo database made by tarvoctl itself. Returns the
// failure, empty when the folder is ready.
QString preparerDossier(Journee& j);

// Moves the day to a new database of the test server holding the demo
// database's rows: TARVOX.ini names it as a site would, every tarvoctl run
// logs in, the day's own reads go there. Returns the failure, empty when
// the day can start.
QString passerSurServeur(Journee& j);

} // namespace journee
