#include "ControlePoids.h"

#include "SqlSuivi.h"
#include "base/Francais.h"
#include "db/Base.h"
#include "db/Requete.h"

#include <cmath>

namespace tarvo::suivi {
namespace {

qint64 grammes(double kilos) {
    return std::llround(kilos * 1000);
}

QString poids(double kilos) {
    return nombreFrancais(static_cast<double>(grammes(kilos)) / 1000);
}

} // namespace

QString texteEtatPoids(EtatPoids etat) {
    switch (etat) {
    case EtatPoids::OK:
        return QStringLiteral("OK");
    case EtatPoids::Suspect:
        return QStringLiteral("Suspect");
    case EtatPoids::NonControlable:
        return QStringLiteral("Non contrôlable");
    }
    return {};
}

EtatPoids EtatDuColis(double pese, double attendu, qint64 contenus, qint64 sansPoids,
                      double tolerance) {
    if (contenus == 0 || sansPoids > 0)
        return EtatPoids::NonControlable;
    const qint64 p = grammes(pese), a = grammes(attendu);
    return static_cast<double>(std::llabs(p - a)) * 100 > tolerance * static_cast<double>(a)
               ? EtatPoids::Suspect
               : EtatPoids::OK;
}

QList<ColisControle> ControlerPoids(const db::Base& base, qint32 noExp, double tolerance) {
    db::Requete r = base.preparer(sql::PoidsColis);
    r.lier(u":noExpedition", noExp);
    QList<ColisControle> colis;
    while (r.suivante()) {
        ColisControle c;
        c.noColis = static_cast<qint32>(r.entier(0));
        c.poidsPese = r.reel(1);
        const double attendu = r.estNul(2) ? 0 : r.reel(2);
        c.etat = EtatDuColis(c.poidsPese, attendu, r.entier(4), r.entier(3), tolerance);
        if (c.etat != EtatPoids::NonControlable) {
            c.poidsAttendu = attendu;
            if (attendu > 0)
                c.ecartPourcent = (c.poidsPese - attendu) * 100 / attendu;
        }
        colis.append(c);
    }
    return colis;
}

QString EnTeteControlePoids() {
    return QStringLiteral("No Colis;Poids pesé;Poids attendu;Écart %;État");
}

QString TexteColisControle(const ColisControle& c) {
    return QStringList{QString::number(c.noColis), poids(c.poidsPese),
                       c.poidsAttendu ? poids(*c.poidsAttendu) : QString(),
                       c.ecartPourcent ? nombreFrancais(std::round(*c.ecartPourcent * 10) / 10)
                                       : QString(),
                       texteEtatPoids(c.etat)}
        .join(u';');
}

} // namespace tarvo::suivi
