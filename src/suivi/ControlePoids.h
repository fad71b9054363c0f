#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace tarvo::db {
class Base;
}

// The weight plausibility of weighed parcels: the weighed weight against the
// sum of quantity × unit gross weight (Sage's, in kilograms) of the contents.
namespace tarvo::suivi {

enum class EtatPoids { OK, Suspect, NonControlable };

// "OK", "Suspect", "Non contrôlable".
QString texteEtatPoids(EtatPoids etat);

// The rule: a parcel with no contents, or holding an article without a
// weight, is not checkable; otherwise it is suspect when, in whole grams,
// |weighed − expected| × 100 > tolerance × expected.
EtatPoids EtatDuColis(double pese, double attendu, qint64 contenus, qint64 sansPoids,
                      double tolerance);

struct ColisControle {
    qint32 noColis = 0;
    double poidsPese = 0;
    // None when not checkable.
    std::optional<double> poidsAttendu;
    // (weighed − expected) / expected in percent; none when not checkable.
    std::optional<double> ecartPourcent;
    EtatPoids etat = EtatPoids::OK;
};

// Every weighed parcel of shipment `noExp` by number. Raises ErreurTarvo on
// a database failure.
QList<ColisControle> ControlerPoids(const db::Base& base, qint32 noExp, double tolerance);

// The header of the command's output and one parcel's line, ";" between the
// fields, French numbers (weights to the gram, the gap to a tenth).
QString EnTeteControlePoids();
QString TexteColisControle(const ColisControle& colis);

} // namespace tarvo::suivi
