#pragma once

#include <QLocale>
#include <QString>

namespace tarvo {

// The warehouse reads numbers and dates the French way whatever the
// workstation's own settings: "0,5", "06/12/2026". Without group separators,
// so that a number shown in a field reads back as typed.
const QLocale& localeFrancaise();

// Makes it the default of the process, for the widgets that format or read
// numbers and dates themselves.
void adopterLocaleFrancaise();

// A decimal as the warehouse writes it, in its shortest exact form and
// never in exponent notation: "0,5", "12", "1234,25".
QString nombreFrancais(double valeur);

} // namespace tarvo
