#include "ApplicationTarvo.h"

#include "Garde.h"
#include "SequenceDemarrage.h"
#include "app/Contexte.h"
#include "base/FormesMessages.h"
#include "base/Ini.h"
#include "base/Version.h"

#include <cstdio>

namespace tarvo::ui {

ApplicationTarvo::ApplicationTarvo(int& argc, char** argv) : QApplication(argc, argv) {}

#ifndef NDEBUG

namespace {

void echec(const QString& texte) {
    // The exception has already unwound through Qt's frames, which are not
    // built to be unwound: a slot or handler calls the core without garde().
    // Stop where the fault shows rather than run on with Qt's state spoilt.
    qFatal("Exception non gardée arrivée à la boucle d'événements (appel sans garde() dans un "
           "slot ou un gestionnaire d'événement) : %s",
           qPrintable(texte));
}

} // namespace

bool ApplicationTarvo::notify(QObject* destinataire, QEvent* evenement) {
    try {
        return QApplication::notify(destinataire, evenement);
    } catch (const ErreurTarvo& e) {
        echec(texteErreurDetaillee(e.erreur()));
    } catch (const std::exception& e) {
        echec(QString::fromLocal8Bit(e.what()));
    }
    return true;
}

#else

bool ApplicationTarvo::notify(QObject* destinataire, QEvent* evenement) {
    // Last resort on a site, should a handler still miss its guard: the
    // person sees what failed and keeps the program.
    Erreur erreur;
    try {
        return QApplication::notify(destinataire, evenement);
    } catch (const ArretProgramme& arret) {
        arreterProgramme(arret.code());
        return true;
    } catch (const SectionIniIntrouvable& e) {
        if (ctx_)
            AfficherSectionIntrouvable(*ctx_, e);
        arreterProgramme(1);
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

#endif

} // namespace tarvo::ui
