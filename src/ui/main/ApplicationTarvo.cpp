#include "ApplicationTarvo.h"

#include "FenetrePrincipale.h"
#include "SequenceDemarrage.h"
#include "app/Contexte.h"
#include "base/FormesMessages.h"
#include "base/Ini.h"
#include "base/Version.h"

#include <cstdio>

namespace tarvo::ui {

ApplicationTarvo::ApplicationTarvo(int& argc, char** argv) : QApplication(argc, argv) {}

bool ApplicationTarvo::notify(QObject* destinataire, QEvent* evenement) {
    Erreur erreur;
    try {
        return QApplication::notify(destinataire, evenement);
    } catch (const ArretProgramme& arret) {
        arreter(arret.code());
        return true;
    } catch (const SectionIniIntrouvable& e) {
        if (ctx_)
            AfficherSectionIntrouvable(*ctx_, e);
        arreter(1);
        return true;
    } catch (const ErreurTarvo& e) {
        erreur = e.erreur();
    } catch (const std::exception& e) {
        erreur = {0, NomProduit(), QString::fromLocal8Bit(e.what())};
    }
    if (ctx_)
        afficherErreurDetaillee(*ctx_, QStringLiteral("Erreur"), erreur);
    else
        std::fprintf(stderr, "%s\n", qPrintable(texteErreurDetaillee(erreur)));
    return true;
}

void ApplicationTarvo::arreter(int code) {
    for (QWidget* w : topLevelWidgets())
        if (auto* fenetre = qobject_cast<FenetrePrincipale*>(w)) {
            fenetre->arreterProgramme(code);
            return;
        }
    exit(code);
}

} // namespace tarvo::ui
