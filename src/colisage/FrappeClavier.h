#pragma once

#include <QString>
#include <optional>

namespace tarvo::colisage {

// Tells a bar-code scanner from a person at the same keyboard: a scanner
// types a whole code in a burst, a few milliseconds a key, and ends it with
// Enter. The keys are handed in as they come, with their time in
// milliseconds; at Enter, the burst typed just before it is the scan, and
// whatever a person had typed slowly before it is not part of it.
class FrappeClavier {
public:
    // A scanner's keys come closer than `ecartMs` apart; a burst of fewer
    // than `longueurMinimum` keys is a person's quick typing.
    explicit FrappeClavier(qint64 ecartMs = 35, qsizetype longueurMinimum = 4)
        : ecartMs_(ecartMs), longueurMinimum_(longueurMinimum) {}

    void touche(QChar caractere, qint64 ms);
    // Enter at `ms`: the scanned text when the keys before it were a
    // scanner's, none when a person typed them. Starts afresh either way.
    std::optional<QString> entree(qint64 ms);
    // Forgets the keys seen (the field was cleared, the focus moved).
    void effacer();

private:
    qint64 ecartMs_;
    qsizetype longueurMinimum_;
    QString rafale_;
    qint64 derniere_ = 0;
};

} // namespace tarvo::colisage
