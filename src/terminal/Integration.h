#pragma once

#include "db/Base.h"

#include <QByteArrayView>
#include <QString>
#include <array>
#include <optional>

namespace tarvo {
struct Contexte;
}

namespace tarvo::terminal {

// One row of [Journal de saisie], as a line routine saves it and hands it on.
struct LigneJournal {
    QString codeType;
    qint32 noExpedition = 0;
    // The parcel as the journal stores it: the number in decimal, or for a
    // removal the terminal's three characters unconverted.
    QString noColis;
    qint16 colis = 0;
    QString codeBarres;
    double poids = 0;
    qint16 quantite = 0;
    // yyyy-MM-dd HH:mm:ss
    QString dateSaisie;
};

// What the line routines share during one integration run: the statements,
// prepared once on first use and run again for every line, inside the run's
// transaction, and the run's date-time.
class Integration {
public:
    enum Preparee {
        JournalArticle,
        JournalPoids,
        DateClotureExpedition,
        CreerColisSansPoids,
        CreerColisAvecPoids,
        PeserColis,
        ColisExiste,
        SupprimerColisExpedition,
        SupprimerColis,
        CreerColisage,
        AjouterAuColisage,
        QuantiteColisageAnterieure,
        RetirerDuColisage,
        SupprimerColisage,
        NombreRequetes
    };

    // `dateIntegration` as the text yyyy-MM-dd HH:mm:ss.
    Integration(const db::Base& base, QString dateIntegration)
        : base_(base), dateIntegration_(std::move(dateIntegration)) {}

    db::Requete& requete(Preparee p);
    const QString& dateIntegration() const { return dateIntegration_; }

private:
    const db::Base& base_;
    QString dateIntegration_;
    std::array<std::optional<db::Requete>, NombreRequetes> requetes_;
};

// Integrates the terminal data file in one transaction, archives it and
// removes it. False when the run reported a failure: nothing is then
// committed and the data file stays where it was.
bool IntegData(Contexte& ctx);

// Hands one line (Windows-1252 bytes, no line end) to the routine of its type
// code; a line of an unknown type is skipped. Raises ErreurTarvo.
void TraiteLigne(Integration& run, QByteArrayView ligne);

// The line routines: each journals its line and applies it.
void SaisieEXPXA(Integration& run, QByteArrayView ligne);
void SaisieEXPFA(Integration& run, QByteArrayView ligne);
void SaisieEXPFP(Integration& run, QByteArrayView ligne);
void SaisieEXPXP(Integration& run, QByteArrayView ligne);
void SaisieEXPSA(Integration& run, QByteArrayView ligne);

// True when the shipment must not receive terminal data: unknown or closed.
bool ExpCloturee(Integration& run, qint32 noExpedition);
// Applying one journaled entry to the parcels and packing lines. An entry
// changes a row only when it is more recent than the row's last change.
void AjoutArticleColis(Integration& run, const LigneJournal& entree);
void RetraitArticleColis(Integration& run, const LigneJournal& entree);
void MajPoidsColis(Integration& run, const LigneJournal& entree);

} // namespace tarvo::terminal
