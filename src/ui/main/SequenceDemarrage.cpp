#include "SequenceDemarrage.h"

#include "FenetrePrincipale.h"
#include "Login.h"
#include "Splash.h"
#include "app/Contexte.h"
#include "app/OuvertureConnexion.h"
#include "base/FormesMessages.h"
#include "base/Ini.h"

namespace tarvo::ui {

namespace {

void ouvrirSession(Contexte& ctx, const LanceurProgramme& lanceur) {
    if (!ControlesDeDemarrage(ctx, lanceur))
        throw ArretProgramme();
    if (ctx.modeSecurite == QStringLiteral("INTEG")) {
        if (!ConnexionBase(ctx, QString(), QString()))
            throw ArretProgramme();
    } else {
        DialogueConnexion login(ctx);
        login.exec();
        if (login.arretDemande())
            throw ArretProgramme();
        // Giving up the login is the person's choice, not a failure.
        if (!login.LoginOK())
            throw ArretProgramme(0);
    }
}

} // namespace

std::unique_ptr<FenetrePrincipale> Demarrer(Contexte& ctx, const LanceurProgramme& lanceur) {
    auto splash = std::make_unique<FenetreDemarrage>();
    splash->afficher();
    try {
        ouvrirSession(ctx, lanceur);
    } catch (const ErreurTarvo& e) {
        // An unreadable configuration file, for instance: one box, then the end.
        afficherErreurDetaillee(ctx, QStringLiteral("Lancement interrompu"), e.erreur());
        throw ArretProgramme();
    } catch (const SectionIniIntrouvable& e) {
        AfficherSectionIntrouvable(ctx, e);
        throw ArretProgramme();
    }

    auto fenetre = std::make_unique<FenetrePrincipale>(ctx);
    splash.reset();
    fenetre->show();
    fenetre->AfficheStatut(QString());
    return fenetre;
}

} // namespace tarvo::ui
