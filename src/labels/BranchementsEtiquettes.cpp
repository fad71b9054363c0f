#include "ui/main/Branchements.h"

namespace tarvo::ui {

void brancherEtiquettes(FenetrePrincipale&) {}

} // namespace tarvo::ui
