#pragma once

#include "Suivi.h"

#include <QList>
#include <QStringList>

namespace tarvo::suivi {

// The follow-up as lines of text: the captions, then one line per shipment,
// the fields of TableSuivi separated by ";" in the French formats, quoted
// where they hold ";", a quote or a line end.
QStringList LignesTexteSuivi(const QList<LigneSuivi>& lignes);

// The same lines in a file a French spreadsheet opens as it is, as the
// browsers' export writes it: UTF-8 with BOM, CR LF, a text a spreadsheet
// would take for a formula behind an apostrophe. The previous file stays as
// it was unless the whole file was written. Raises ErreurTarvo.
void ExporterSuiviCsv(const QList<LigneSuivi>& lignes, const QString& fichier);

} // namespace tarvo::suivi
