#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <algorithm>

namespace banc {

// What a person at the window feels: a timer due every few milliseconds
// records how late the event loop runs it. The longest lateness is the
// longest time the window could not answer.
class RetardBoucle : public QObject {
public:
    static constexpr int PasMs = 5;

    RetardBoucle() {
        minuterie_.setTimerType(Qt::PreciseTimer);
        minuterie_.setInterval(PasMs);
        connect(&minuterie_, &QTimer::timeout, this, [this] {
            const qint64 ecoule = horloge_.restart();
            pire_ = std::max(pire_, ecoule - PasMs);
        });
    }

    // Starts a new measure.
    void demarrer() {
        pire_ = 0;
        horloge_.start();
        minuterie_.start();
    }
    // The longest lateness since demarrer(), in milliseconds; it counts
    // the time since the last tick too, so a stall still under way counts.
    qint64 arreter() {
        pire_ = std::max(pire_, horloge_.elapsed() - PasMs);
        minuterie_.stop();
        return std::max<qint64>(pire_, 0);
    }

private:
    QTimer minuterie_;
    QElapsedTimer horloge_;
    qint64 pire_ = 0;
};

} // namespace banc
