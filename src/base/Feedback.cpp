#include "Feedback.h"

namespace tarvo {

Feedback::~Feedback() = default;

void FeedbackMuet::statut(const QString&) {}

void FeedbackMuet::progression(int) {}

void FeedbackRelais::statut(const QString& texte) {
    if (cible)
        cible->statut(texte);
}

void FeedbackRelais::progression(int pourcentage) {
    if (cible)
        cible->progression(pourcentage);
}

} // namespace tarvo
