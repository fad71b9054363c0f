#pragma once

#include "app/Feedback.h"

#include <QByteArrayView>

namespace tarvo::terminal {

// Passes the per-line status texts and progress values of a long run on to the
// screen without letting them cost more than the work itself: every change of
// the percentage goes through, in order, and under each percentage the status
// text of the first few lines; the lines after those are not shown (a person
// could not read them anyway, and a run of a few lines shows every one).
class SuiviLignes {
public:
    static constexpr int LignesParPourcentage = 3;

    explicit SuiviLignes(Feedback& feedback) : feedback_(feedback) {}

    void progression(int pourcentage);
    // The status text of a file line (Windows-1252 bytes, no line end).
    void ligne(QByteArrayView octets);
    // Makes sure the last line passed to ligne() is the one on screen, for a
    // run that stops on it.
    void montrerDerniereLigne(QByteArrayView octets);
    void statut(const QString& texte);

private:
    Feedback& feedback_;
    int pourcentage_ = -1;
    int lignesMontrees_ = 0;
    bool derniereMontree_ = true;
};

} // namespace tarvo::terminal
