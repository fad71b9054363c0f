#include "Clock.h"

namespace tarvo {

Clock::~Clock() = default;

QDateTime HorlogeSysteme::maintenant() const {
    return QDateTime::currentDateTime();
}

} // namespace tarvo
