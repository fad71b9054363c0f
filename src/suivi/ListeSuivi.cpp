#include "ListeSuivi.h"

#include <algorithm>

namespace tarvo::suivi {
namespace {

// How often a long pass looks whether it is still wanted.
constexpr int PasArret = 4096;

} // namespace

ListeSuivi Lister(const QList<LigneSuivi>& lignes, const Presentation& presentation,
                  std::stop_token arret) {
    ListeSuivi liste;
    liste.rangs.reserve(static_cast<std::size_t>(lignes.size()));
    for (int r = 0; r < lignes.size(); ++r) {
        if (r % PasArret == 0 && arret.stop_requested())
            return {};
        if (presentation.filtre.retient(lignes.at(r)))
            liste.rangs.push_back(r);
    }
    if (presentation.colonne >= 0 && presentation.colonne < TableSuivi().size()) {
        // Each key made once, not twice per comparison.
        const auto& cle = TableSuivi().at(presentation.colonne).tri;
        std::vector<CleTri> cles(static_cast<std::size_t>(lignes.size()));
        for (const int r : liste.rangs)
            cles[static_cast<std::size_t>(r)] = cle(lignes.at(r));
        if (arret.stop_requested())
            return {};
        const bool descendant = presentation.descendant;
        std::stable_sort(liste.rangs.begin(), liste.rangs.end(), [&](int a, int b) {
            const int ordre =
                ComparerCles(cles[static_cast<std::size_t>(a)], cles[static_cast<std::size_t>(b)]);
            return descendant ? ordre > 0 : ordre < 0;
        });
    }
    if (arret.stop_requested())
        return {};
    liste.totaux = Totaliser(lignes, liste.rangs);
    return liste;
}

} // namespace tarvo::suivi
