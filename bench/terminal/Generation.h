#pragma once

#include <QString>

// Generated data of realistic shape for the benchmark.
namespace banc {

// An embedded database with `expeditions` open shipments (numbers 1 to n,
// 0 to 4 expected parcels) and `articles` articles.
void creerBase(const QString& chemin, int expeditions, int articles);

// A data file of `lignes` article and weight lines on shipments 1 to
// `expeditions` and the first `articles` bar codes, in the order a terminal
// writes them: one shipment after the other, parcel after parcel.
void creerFichierData(const QString& chemin, int lignes, int expeditions, int articles);

QByteArray codeBarres(int numero);

} // namespace banc
