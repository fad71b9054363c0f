#pragma once

#include <QString>

class QDialog;

namespace tarvo::suivi {

// Shows `fenetre` in place of the window of the same name and key that its
// parent already shows: a second double-click on a shipment or a line
// brings fresh figures where the first window stood instead of piling up
// windows.
void montrerALaPlace(QDialog* fenetre, const QString& cle);

} // namespace tarvo::suivi
