#pragma once

#include "base/Feedback.h"

#include <cstdio>

namespace tarvo::ctl {

// Draws the status text and a progress bar on one line of the terminal; says
// nothing when standard error is not a terminal.
class ProgressionTerminal : public Feedback {
public:
    explicit ProgressionTerminal(std::FILE* sortie = stderr);
    ~ProgressionTerminal() override;

    void statut(const QString& texte) override;
    void progression(int pourcentage) override;

private:
    void dessiner();

    std::FILE* sortie_;
    bool actif_;
    QString statut_;
    int pourcentage_ = 100;
    bool ligneOuverte_ = false;
};

} // namespace tarvo::ctl
