#include "LignesExpedition.h"

#include "SqlSuivi.h"
#include "db/Base.h"
#include "db/Requete.h"

namespace tarvo::suivi {

DetailExpedition LignesDeLExpedition(const db::Base& base, qint32 noExp, double tolerance) {
    DetailExpedition detail;
    db::Requete r = base.preparer(sql::LignesExpedition);
    r.lier(u":noExpedition", noExp);
    while (r.suivante())
        detail.lignes.append(
            {r.texte(0), r.texte(1), r.texte(2), r.texte(3), r.entier(4), r.entier(5)});
    r.terminer();
    for (const ColisControle& c : ControlerPoids(base, noExp, tolerance))
        if (c.etat == EtatPoids::Suspect)
            detail.colisSuspects.append(c);
    return detail;
}

} // namespace tarvo::suivi
