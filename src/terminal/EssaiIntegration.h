#pragma once

#include "BilanEssai.h"

namespace tarvo {
struct Contexte;
}

namespace tarvo::terminal {

// Reads the files a real integration would take (a work file left by a stop,
// then the data file), in place, and applies them inside one transaction that
// is rolled back: nothing is written, archived, renamed or removed. A line
// that fails is noted and the reading goes on, so that one trial names every
// line to mend. Raises ErreurTarvo when the files cannot be read or the
// database fails outside the lines.
BilanEssai EssayerFichierData(Contexte& ctx);

// The same with its boxes: the report (at most `limite` shipment and failure
// lines, 0 for all), or the missing file, or the failure. True only when the
// files would integrate without a failing line.
bool VerifData(Contexte& ctx, int limite);

} // namespace tarvo::terminal
