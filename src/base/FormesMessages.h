#pragma once

#include "Erreur.h"

#include <QByteArrayView>

namespace tarvo {

struct Environnement;

// "Erreur n° : …", "Source : …", "Détail : …", each followed by two line breaks.
QString texteErreurDetaillee(const Erreur& erreur);

// At most this many characters of a file's text are quoted in a message or a
// log: a spoilt line may hold megabytes, and every failed run would copy them
// into the box and into erreurs.txt.
constexpr qsizetype LongueurCitation = 200;

// Windows-1252 text read from a file, between « », as messages quote it. A
// longer text keeps its first LongueurCitation characters, ends with "…" and
// gives its full length; only the quoted bytes are decoded.
QString citation(QByteArrayView octets);

// The detailed error box with the critical icon and the caller's title.
void afficherErreurDetaillee(Environnement& ctx, const QString& titre, const Erreur& erreur);

} // namespace tarvo
