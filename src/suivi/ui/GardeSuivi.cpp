#include "GardeSuivi.h"

#include "base/Erreur.h"
#include "base/FormesMessages.h"

namespace tarvo::suivi {

bool sansPanne(Environnement& env, const std::function<void()>& traitement) {
    try {
        traitement();
        return true;
    } catch (const ErreurTarvo& e) {
        afficherErreurDetaillee(env, QStringLiteral("Erreur"), e.erreur());
        return false;
    }
}

} // namespace tarvo::suivi
