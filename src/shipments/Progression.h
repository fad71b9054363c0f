#pragma once

#include <QtGlobal>

namespace tarvo::expeditions {

// The progress bar's value once `fait` of `total` items are done: a
// percentage rounded to the nearest integer.
int pourcentage(qsizetype fait, qsizetype total);

} // namespace tarvo::expeditions
