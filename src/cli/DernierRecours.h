#pragma once

#include <functional>

namespace tarvo {

struct Contexte;

namespace ctl {

// Runs a command as tarvoctl's last resort: whatever it raises ends it with
// status 1 and its box on standard error, as the desktop program shows it
// (a missing section's box, an ErreurTarvo's details, any other exception's
// text under "Erreur"), never the end of the process without a word.
// ErreurUsage goes through, for the usage text.
int DernierRecours(Contexte& ctx, const std::function<int()>& commande);

} // namespace ctl
} // namespace tarvo
