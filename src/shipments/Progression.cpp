#include "Progression.h"

#include <cmath>

namespace tarvo::expeditions {

int pourcentage(qsizetype fait, qsizetype total) {
    if (total <= 0)
        return 100;
    return static_cast<int>(
        std::lround(100.0 * static_cast<double>(fait) / static_cast<double>(total)));
}

} // namespace tarvo::expeditions
