#pragma once

#include "Regles.h"
#include "db/JeuEnregistrements.h"

#include <QString>

namespace tarvo {
class Feedback;
}

namespace tarvo::navigateurs {

class SourceNavigation;

// Writes every row of a browser's view, in its order, to a CSV file that a
// French spreadsheet opens as it is: UTF-8 with BOM, ";" between fields, CR
// LF, a first line of captions, numbers with a decimal comma, moments as
// dd/MM/yyyy HH:mm:ss, fields quoted where they hold ";", a quote or a line
// end. The progress goes to `suivi`. The previous file stays as it was unless
// the whole file was written. Gives the number of rows; raises ErreurTarvo.
qint64 ExporterCsv(const SourceNavigation& source, const Vue& vue, const QString& fichier,
                   Feedback& suivi);

// The file a person named: with ".csv" added when the name has no extension
// of its own, so that the spreadsheet recognises it.
QString AvecExtensionCsv(const QString& fichier);

// What is said once the export is written: "1 ligne exportée dans …",
// "25 lignes exportées dans …".
QString BilanExport(qint64 lignes, const QString& fichier);

// One field as written between the separators. A text that a spreadsheet
// would take for a formula (=, +, -, @, a tab or a CR first: a description
// or a bar code written by anyone) gets a leading apostrophe, so that opening
// the file never runs it; numbers and dates are written as they are.
QString ChampCsv(const QString& texte, db::Genre genre);

} // namespace tarvo::navigateurs
