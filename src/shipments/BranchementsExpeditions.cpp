#include "ui/main/Branchements.h"

namespace tarvo::ui {

void brancherExpeditions(FenetrePrincipale&) {}

} // namespace tarvo::ui
