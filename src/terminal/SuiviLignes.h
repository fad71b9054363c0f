#pragma once

#include "base/Feedback.h"

#include <QByteArrayView>

namespace tarvo::terminal {

// Passes the per-line status texts and progress values of a long run on to the
// screen without letting them cost more than the work itself (on the desktop
// each update repaints the window): every change of the percentage goes
// through, in order, with the status text of the line that reached it; the
// lines between two percentages are not shown (nobody could read them, and a
// run of a few lines still shows almost every one).
class SuiviLignes {
public:
    static constexpr int LignesParPourcentage = 1;

    explicit SuiviLignes(Feedback& feedback) : feedback_(feedback) {}

    void progression(int pourcentage);
    // The status text of a file line (Windows-1252 bytes, no line end).
    void ligne(QByteArrayView octets);
    // A line read from a file of `taille` bytes (no line end): the progress
    // by the bytes read so far, each line counted with its CR LF (a last line
    // without one may take the count past the size), and its status text.
    void ligneLue(QByteArrayView octets, qint64 taille);
    // Makes sure the last line passed to ligne() is the one on screen, for a
    // run that stops on it.
    void montrerDerniereLigne(QByteArrayView octets);
    void statut(const QString& texte);

private:
    Feedback& feedback_;
    int pourcentage_ = -1;
    int lignesMontrees_ = 0;
    qint64 octetsLus_ = 0;
    bool derniereMontree_ = true;
};

} // namespace tarvo::terminal
