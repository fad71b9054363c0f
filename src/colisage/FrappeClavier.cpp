#include "FrappeClavier.h"

namespace tarvo::colisage {

void FrappeClavier::touche(QChar caractere, qint64 ms) {
    // A pause ends the burst: what came before it was typed by hand.
    if (rafale_.isEmpty() || ms - derniere_ > ecartMs_)
        rafale_.clear();
    rafale_.append(caractere);
    derniere_ = ms;
}

std::optional<QString> FrappeClavier::entree(qint64 ms) {
    std::optional<QString> scan;
    if (!rafale_.isEmpty() && ms - derniere_ <= ecartMs_ && rafale_.size() >= longueurMinimum_)
        scan = rafale_;
    effacer();
    return scan;
}

void FrappeClavier::effacer() {
    rafale_.clear();
    derniere_ = 0;
}

} // namespace tarvo::colisage
