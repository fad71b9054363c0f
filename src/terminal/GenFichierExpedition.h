#pragma once

namespace tarvo {
struct Contexte;
}

namespace tarvo::terminal {

// The shipment file the terminals load: each open shipment and its expected
// parcels. False when the run reported a failure (the previous file stays).
bool GenFichierExpedition(Contexte& ctx);

} // namespace tarvo::terminal
