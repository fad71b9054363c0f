#include "SuiviLignes.h"

#include "ChampsFixes.h"
#include "base/Windows1252.h"

#include <algorithm>

namespace tarvo::terminal {

void SuiviLignes::progression(int pourcentage) {
    if (pourcentage == pourcentage_)
        return;
    pourcentage_ = pourcentage;
    lignesMontrees_ = 0;
    feedback_.progression(pourcentage);
}

void SuiviLignes::ligne(QByteArrayView octets) {
    derniereMontree_ = lignesMontrees_ < LignesParPourcentage;
    if (!derniereMontree_)
        return;
    ++lignesMontrees_;
    feedback_.statut(Windows1252::decoder(octets));
}

void SuiviLignes::ligneLue(QByteArrayView octets, qint64 taille) {
    octetsLus_ += octets.size() + 2;
    progression(taille > 0 ? std::min(100, pourcentage(octetsLus_, taille)) : 100);
    ligne(octets);
}

void SuiviLignes::montrerDerniereLigne(QByteArrayView octets) {
    if (derniereMontree_)
        return;
    derniereMontree_ = true;
    feedback_.statut(Windows1252::decoder(octets));
}

void SuiviLignes::statut(const QString& texte) {
    derniereMontree_ = true;
    feedback_.statut(texte);
}

} // namespace tarvo::terminal
