#pragma once

namespace tarvo {
struct Contexte;
}

namespace tarvo::terminal {

class SuiviLignes;

// The article file the terminals load: two all-articles entries, then one line
// per article, each line shown as it is written. Raises ErreurTarvo; the
// previous file then stays as it was.
void EcrireFichierArticle(Contexte& ctx, SuiviLignes& suivi);

// The same with its failure box; the status and the bar are cleared at the
// end either way. False when the run failed.
bool GenFichierArticle(Contexte& ctx);

} // namespace tarvo::terminal
