#include "FormesMessages.h"

#include "Contexte.h"

namespace tarvo {

QString texteErreurDetaillee(const Erreur& erreur) {
    const QString deuxSauts = QStringLiteral("\r\n\r\n");
    return QStringLiteral("Erreur n° : ") + QString::number(erreur.numero) + deuxSauts +
           QStringLiteral("Source : ") + erreur.source + deuxSauts + QStringLiteral("Détail : ") +
           erreur.description + deuxSauts;
}

void afficherErreurDetaillee(Contexte& ctx, const QString& titre, const Erreur& erreur) {
    ctx.prompts.critique(titre, texteErreurDetaillee(erreur));
}

} // namespace tarvo
