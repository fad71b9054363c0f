#pragma once

#include "BaseDeTest.h"

#include <QStringList>

namespace tarvo::test {

// A journal of a few entries of every kind, in this order (row ids 1 to 8):
// two shipments, a line without shipment, weights with a fraction, moments
// on two days.
void remplirJournal(Contexte& ctx);
// Articles whose labels and colours hold quotes, "%", "_" and colours
// containing one another.
void remplirArticles(Contexte& ctx);
// One more journal entry, as an integration run would add it.
void ajouterSaisie(Contexte& ctx, const QString& codeType, int noExpedition);
// A CSV file read back: its lines without the BOM, split at ";" (the tests'
// texts hold no quoted separator unless said).
QList<QStringList> lireCsv(const QString& fichier, bool* avecBom = nullptr);

} // namespace tarvo::test
