#pragma once

namespace tarvo {
struct Contexte;
}

namespace tarvo::terminal {

// Integrates the terminal data file in one transaction, archives it and
// removes it. False when the run reported a failure: nothing is then
// committed and the data file stays where it was.
bool IntegData(Contexte& ctx);

} // namespace tarvo::terminal
