#include "Feedback.h"

namespace tarvo {

Feedback::~Feedback() = default;

void FeedbackMuet::statut(const QString&) {}

void FeedbackMuet::progression(int) {}

} // namespace tarvo
