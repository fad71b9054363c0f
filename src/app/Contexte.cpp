#include "Contexte.h"

#include "db/Connexion.h"

namespace tarvo {

Contexte::Contexte(QString dossier, Prompts& p, Feedback& f, const Clock& h)
    : Environnement(std::move(dossier), p, f, h) {}

Contexte::~Contexte() = default;

} // namespace tarvo
