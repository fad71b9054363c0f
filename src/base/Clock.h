#pragma once

#include <QDateTime>

namespace tarvo {

// The current date-time, so that integration runs and logs can be tested at
// a fixed moment.
class Clock {
public:
    virtual ~Clock();
    virtual QDateTime maintenant() const = 0;
};

// The workstation's clock.
class HorlogeSysteme : public Clock {
public:
    QDateTime maintenant() const override;
};

} // namespace tarvo
