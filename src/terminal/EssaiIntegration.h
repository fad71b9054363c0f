#pragma once

#include "BilanEssai.h"

#include <chrono>

namespace tarvo {
struct Contexte;
}

namespace tarvo::terminal {

// Reads the files a real integration would take (a work file left by a stop,
// then the data file), in place, and applies them inside one transaction that
// is rolled back: nothing is written, archived, renamed or removed. A line
// that fails is noted and the reading goes on, so that one trial names every
// line to mend. It works under the integration lock, waiting `attente` for a
// run in progress, so that no run moves the files while they are read.
// Raises ErreurTarvo when the files cannot be read, the database fails
// outside the lines, or a run still holds the lock.
BilanEssai EssayerFichierData(Contexte& ctx,
                              std::chrono::milliseconds attente = std::chrono::seconds(10));

// The same with its boxes: the report (at most `limite` shipment and failure
// lines, 0 for all), or the missing file, or the failure. True only when the
// files would integrate without a failing line.
bool VerifData(Contexte& ctx, int limite);

} // namespace tarvo::terminal
