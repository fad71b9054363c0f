#include "Garde.h"

#include "FenetrePrincipale.h"
#include "SequenceDemarrage.h"
#include "app/Contexte.h"
#include "base/FormesMessages.h"
#include "base/Ini.h"
#include "base/Version.h"

#include <QApplication>

namespace tarvo::ui {

bool garde(Contexte& ctx, const std::function<void()>& commande) {
    try {
        commande();
        return true;
    } catch (const ArretProgramme& arret) {
        arreterProgramme(arret.code());
    } catch (const SectionIniIntrouvable& e) {
        AfficherSectionIntrouvable(ctx, e);
        arreterProgramme(1);
    } catch (const ErreurTarvo& e) {
        afficherErreurDetaillee(ctx, QStringLiteral("Erreur"), e.erreur());
    } catch (const std::exception& e) {
        afficherErreurDetaillee(ctx, QStringLiteral("Erreur"),
                                {0, NomProduit(), QString::fromLocal8Bit(e.what())});
    }
    return false;
}

void arreterProgramme(int code) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* fenetre = qobject_cast<FenetrePrincipale*>(w)) {
            fenetre->arreterProgramme(code);
            return;
        }
    QCoreApplication::exit(code);
}

} // namespace tarvo::ui
