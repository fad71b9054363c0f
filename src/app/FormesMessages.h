#pragma once

#include "Erreur.h"

namespace tarvo {

struct Contexte;

// "Erreur n° : …", "Source : …", "Détail : …", each followed by two line breaks.
QString texteErreurDetaillee(const Erreur& erreur);

// The detailed error box with the critical icon and the caller's title.
void afficherErreurDetaillee(Contexte& ctx, const QString& titre, const Erreur& erreur);

} // namespace tarvo
