#pragma once

#include "ListeSuivi.h"
#include "Suivi.h"

#include <memory>
#include <optional>
#include <stop_token>

namespace tarvo {
struct ParametresConnexion;
}

namespace tarvo::suivi {

// What one load of the follow-up asks for.
struct DemandeSuivi {
    bool closes = false;
    // The parcels' weight check, in percent.
    double tolerance = 10;
    // The poll: nothing more is read while the integration mark is this one.
    std::optional<MarqueIntegration> siAutreQue;
    // The rows shown, whose closed ones are kept when only the open ones
    // changed (see RafraichirOuvertes); null reads every row again.
    std::shared_ptr<const QList<LigneSuivi>> affichees;
    Presentation presentation;
};

struct ChargementSuivi {
    MarqueIntegration marque;
    // Null when the mark had not changed since DemandeSuivi::siAutreQue.
    std::shared_ptr<const QList<LigneSuivi>> lignes;
    ListeSuivi liste;
};

// Reads the follow-up as `demande` says on a connection of its own, opened
// with `parametres` and closed before it returns: it runs on a worker
// thread, and the window's own connection stays with the window's thread.
// The mark is read before the rows: a run that ends in between brings one
// more reload, never a missed one. Nothing once `arret` is requested.
// Raises ErreurTarvo on a database failure.
std::optional<ChargementSuivi> ChargerSuivi(const ParametresConnexion& parametres,
                                            const DemandeSuivi& demande, std::stop_token arret);

} // namespace tarvo::suivi
