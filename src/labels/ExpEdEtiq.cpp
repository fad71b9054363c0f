#include "ExpEdEtiq.h"

namespace tarvo::ui {

void ouvrirEtiquettesExpedition(QWidget*, Contexte&, qint32) {}

} // namespace tarvo::ui
