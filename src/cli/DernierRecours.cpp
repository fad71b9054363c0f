#include "DernierRecours.h"

#include "Commandes.h"
#include "app/Contexte.h"
#include "base/FormesMessages.h"
#include "base/Ini.h"
#include "base/Version.h"

namespace tarvo::ctl {

int DernierRecours(Contexte& ctx, const std::function<int()>& commande) {
    try {
        return commande();
    } catch (const ErreurUsage&) {
        throw;
    } catch (const SectionIniIntrouvable& e) {
        AfficherSectionIntrouvable(ctx, e);
    } catch (const ErreurTarvo& e) {
        afficherErreurDetaillee(ctx, QStringLiteral("Erreur"), e.erreur());
    } catch (const std::exception& e) {
        afficherErreurDetaillee(ctx, QStringLiteral("Erreur"),
                                {0, NomProduit(), QString::fromLocal8Bit(e.what())});
    }
    return 1;
}

} // namespace tarvo::ctl
