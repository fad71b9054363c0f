#include "ui/main/Branchements.h"

namespace tarvo::ui {

void brancherTerminal(FenetrePrincipale&) {}

} // namespace tarvo::ui
