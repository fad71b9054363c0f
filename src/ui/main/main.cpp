// tarvo: the desktop shipment manager.
#include "ApplicationTarvo.h"
#include "Branchements.h"
#include "DialoguesFichiers.h"
#include "FenetrePrincipale.h"
#include "PromptsFenetres.h"
#include "SequenceDemarrage.h"
#include "Traductions.h"
#include "app/Contexte.h"
#include "base/DossierProgramme.h"
#include "base/Francais.h"
#include "base/Memoire.h"
#include "base/Version.h"

#include <QApplication>
#include <QDir>
#include <cstdio>

using namespace tarvo;

namespace {

bool affichageDisponible() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

} // namespace

int main(int argc, char* argv[]) {
    if (!affichageDisponible()) {
        std::fputs("tarvo : aucun affichage graphique (ni DISPLAY ni WAYLAND_DISPLAY) ; "
                   "lancez-le dans une session graphique.\n",
                   stderr);
        return 1;
    }
    garderLeTasMemoire();
    ui::ApplicationTarvo application(argc, argv);
    QApplication::setApplicationName(NomProduit());
    adopterLocaleFrancaise();
    chargerTraductions(application);
    ui::franciserDialoguesFichiers(application);

    ui::PromptsFenetres prompts;
    FeedbackRelais relais;
    HorlogeSysteme horloge;
    Contexte ctx(DossierProgramme(), prompts, relais, horloge);
    application.setContexte(&ctx);
    std::unique_ptr<ui::FenetrePrincipale> fenetre;
    try {
        fenetre = ui::Demarrer(ctx, lancerDetache);
    } catch (const ui::ArretProgramme& arret) {
        return arret.code();
    }
    prompts.setProprietaire(fenetre.get());
    relais.cible = fenetre.get();
    ui::brancherCommandes(*fenetre);
    const int code = QApplication::exec();
    application.setContexte(nullptr);
    return code;
}
