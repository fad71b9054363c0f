#include "SuiviLignes.h"

#include "app/Windows1252.h"

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
