#include "ChargementSuivi.h"

#include "db/Base.h"
#include "db/Connexion.h"

namespace tarvo::suivi {

std::optional<ChargementSuivi> ChargerSuivi(const ParametresConnexion& parametres,
                                            const DemandeSuivi& demande, std::stop_token arret) {
    Connexion cnx(QStringLiteral("Suivi"));
    cnx.ouvrir(parametres);
    const db::Base base(&cnx);
    ChargementSuivi chargement;
    chargement.marque = LireMarqueIntegration(base);
    if (demande.siAutreQue && *demande.siAutreQue == chargement.marque)
        return chargement;
    std::optional<QList<LigneSuivi>> lignes;
    if (demande.closes && demande.affichees)
        lignes = RafraichirOuvertes(*demande.affichees,
                                    LireSuivi(base, false, demande.tolerance, arret));
    if (!lignes)
        lignes = LireSuivi(base, demande.closes, demande.tolerance, arret);
    if (arret.stop_requested())
        return std::nullopt;
    auto lues = std::make_shared<const QList<LigneSuivi>>(std::move(*lignes));
    chargement.liste = Lister(*lues, demande.presentation, arret);
    if (arret.stop_requested())
        return std::nullopt;
    chargement.lignes = std::move(lues);
    return chargement;
}

} // namespace tarvo::suivi
