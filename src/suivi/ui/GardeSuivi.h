#pragma once

#include <functional>

namespace tarvo {
struct Environnement;
}

namespace tarvo::suivi {

// Runs a handler of a follow-up window: a failure of the core shows the
// detailed box titled "Erreur" instead of crossing the event loop, and the
// window stays usable. True when the handler ran through.
bool sansPanne(Environnement& env, const std::function<void()>& traitement);

} // namespace tarvo::suivi
