#pragma once

#include "Journee.h"
#include "Rejeu.h"
#include "Terminaux.h"

#include <QStringList>

// The checks made once the day is over and the last integration has run.
namespace journee {

struct Verdict {
    explicit Verdict(QString n, bool r = true, QStringList d = {})
        : nom(std::move(n)), reussi(r), details(std::move(d)) {}
    QString nom;
    bool reussi = true;
    // What failed, counts first, then a few examples.
    QStringList details;
};

// The parcels, packing lines and last journal row before the day.
struct Depart {
    EtatColis etat;
    qint64 dernierJournal = 0;
};

Depart lireDepart(const Journee& j);

struct Bilan {
    QList<Verdict> verdicts;
    // Lines written by the terminals and found in the journal.
    qint64 lignesJournalisees = 0;
};

Bilan controler(Journee& j, const Terminaux& terminaux, const Depart& depart);

} // namespace journee
