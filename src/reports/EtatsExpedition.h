#pragma once

#include "DonneesEtat.h"
#include "MiseEnPage.h"

#include <QImage>

namespace tarvo::editions {

// The five shipment reports.
enum class Etat { BonExp, ListeArticleExp, EtatControleExpGamme, EtatControleExpArt, ColisageExp };

// The sections of a report on its data: captions, fields and columns in
// their printing order. `logo` is the letterhead picture of the packing
// list (none when null); `edition` the moment printed after "Edité le :".
Modele modeleEtat(Etat etat, const DonneesEtat& donnees, const QImage& logo,
                  const QDateTime& edition);

} // namespace tarvo::editions
