#include "FormesMessages.h"

#include "Environnement.h"
#include "Windows1252.h"

namespace tarvo {

QString texteErreurDetaillee(const Erreur& erreur) {
    const QString deuxSauts = QStringLiteral("\r\n\r\n");
    return QStringLiteral("Erreur n° : ") + QString::number(erreur.numero) + deuxSauts +
           QStringLiteral("Source : ") + erreur.source + deuxSauts + QStringLiteral("Détail : ") +
           erreur.description + deuxSauts;
}

QString citation(QByteArrayView octets) {
    if (octets.size() <= LongueurCitation)
        return QStringLiteral("« ") + Windows1252::decoder(octets) + QStringLiteral(" »");
    return QStringLiteral("« ") + Windows1252::decoder(octets.first(LongueurCitation)) +
           QStringLiteral("… » (%1 caractères en tout)").arg(octets.size());
}

void afficherErreurDetaillee(Environnement& ctx, const QString& titre, const Erreur& erreur) {
    ctx.prompts.critique(titre, texteErreurDetaillee(erreur));
}

} // namespace tarvo
