#include "Commandes.h"

#include "CommandesApplication.h"
#include "browsers/cli/CommandesNavigateurs.h"
#include "catalogue/cli/CommandesCatalogue.h"
#include "colisage/cli/CommandesColisage.h"
#include "labels/cli/CommandesEtiquettes.h"
#include "reports/cli/CommandesEditions.h"
#include "shipments/cli/CommandesExpeditions.h"
#include "suivi/cli/CommandesSuivi.h"
#include "terminal/cli/CommandesTerminal.h"

#include <optional>

namespace tarvo::ctl {

bool extraireDrapeau(QStringList& arguments, const QString& option) {
    return arguments.removeAll(option) > 0;
}

std::optional<QString> extraireValeur(QStringList& arguments, const QString& option) {
    const qsizetype i = arguments.indexOf(option);
    if (i < 0)
        return std::nullopt;
    if (i + 1 >= arguments.size())
        throw ErreurUsage(QStringLiteral("L'option ") + option +
                          QStringLiteral(" attend une valeur."));
    const QString valeur = arguments.at(i + 1);
    arguments.remove(i, 2);
    return valeur;
}

int entierOuUsage(const QString& texte, const QString& nom) {
    bool ok = false;
    const int valeur = texte.toInt(&ok);
    if (!ok)
        throw ErreurUsage(nom + QStringLiteral(" doit être un nombre entier : ") + texte);
    return valeur;
}

QList<Commande> toutesLesCommandes() {
    QList<Commande> commandes;
    commandes += commandesApplication();
    commandes += commandesTerminal();
    commandes += commandesExpeditions();
    commandes += commandesEtiquettes();
    commandes += commandesEditions();
    commandes += commandesCatalogue();
    commandes += commandesNavigateurs();
    commandes += commandesSuivi();
    commandes += commandesColisage();
    return commandes;
}

} // namespace tarvo::ctl
