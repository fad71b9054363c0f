#pragma once

#include "FiltreSuivi.h"
#include "Suivi.h"

#include <stop_token>
#include <vector>

namespace tarvo::suivi {

// How the follow-up's rows are listed: which ones, in what order.
struct Presentation {
    FiltreSuivi filtre;
    // A rank in TableSuivi.
    int colonne = 0;
    bool descendant = false;
};

// The rows a Presentation lists, as ranks into the rows read, and their
// totals. Five years of history are some 200,000 rows: they are listed
// once, off the window's thread, and the window formats only the cells it
// draws.
struct ListeSuivi {
    std::vector<int> rangs;
    TotauxSuivi totaux;
};

// The rows of `lignes` that `presentation` keeps, in its order; rows that
// compare equal keep the order of `lignes` (by number). Empty once `arret`
// is requested: the caller that asks for it drops the answer.
ListeSuivi Lister(const QList<LigneSuivi>& lignes, const Presentation& presentation,
                  std::stop_token arret = {});

} // namespace tarvo::suivi
