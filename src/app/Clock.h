#pragma once

#include <QDateTime>

namespace tarvo {

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime maintenant() const = 0;
};

class HorlogeSysteme : public Clock {
public:
    QDateTime maintenant() const override { return QDateTime::currentDateTime(); }
};

} // namespace tarvo
