#pragma once

namespace tarvo {
struct Contexte;
}

namespace tarvo::terminal {

// The article file the terminals load: two all-articles entries, then one line
// per article. False when the run reported a failure (the previous file stays).
bool GenFichierArticle(Contexte& ctx);

} // namespace tarvo::terminal
