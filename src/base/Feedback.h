#pragma once

#include <QString>

namespace tarvo {

// Status text and progress percentage of long commands.
class Feedback {
public:
    virtual ~Feedback();
    virtual void statut(const QString& texte) = 0;
    virtual void progression(int pourcentage) = 0;
};

// Feedback that goes nowhere, for callers that have no screen to update.
class FeedbackMuet : public Feedback {
public:
    void statut(const QString& texte) override;
    void progression(int pourcentage) override;
};

// Hands status and progress to `cible` once it is set: the context is made
// before the main window that shows them.
class FeedbackRelais : public Feedback {
public:
    void statut(const QString& texte) override;
    void progression(int pourcentage) override;
    Feedback* cible = nullptr;
};

} // namespace tarvo
