#include "AutrePoste.h"

namespace tarvo::test {

AutrePoste::AutrePoste(const QString& dossierProgramme, const ParametresConnexion& parametres)
    : horloge(QDateTime(QDate(2012, 4, 19), QTime(14, 0))),
      ctx(std::make_unique<Contexte>(dossierProgramme, prompts, feedback, horloge)) {
    ctx->cnx = std::make_unique<Connexion>(QStringLiteral("AutrePoste"));
    ctx->cnx->ouvrir(parametres);
}

AutrePoste::~AutrePoste() {
    ctx->cnx.reset();
}

} // namespace tarvo::test
