#pragma once

#include <QString>

// The same work done straight on the SQLite C API: the yardstick the
// benchmark holds Tarvo's routines against.
namespace banc {

// Integrates the data file with the statements Tarvo sends, prepared once,
// in one transaction; archives the file, commits and removes it.
void integrerBrut(const QString& base, const QString& data, const QString& archive);

// Writes the article file / the shipment file: the same query, the same
// bytes, one buffered file.
void fichierArticleBrut(const QString& base, const QString& sortie);
void fichierExpeditionBrut(const QString& base, const QString& sortie);

} // namespace banc
