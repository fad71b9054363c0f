#pragma once

#include <QString>

namespace tarvo::test {

class BaseDeTest;

// Adds shipment 900 with order BT001 (no delivery place), whose lines and
// parcel contents the test writes: `script` is run after it.
void ajouterExpeditionTest(BaseDeTest& base, const QString& script);

// The text of a PDF as `pdftotext -layout` reads it; empty when unreadable.
QString textePdf(const QString& fichier);

// True when `texte` holds every one of `morceaux`, in this order.
bool dansLOrdre(const QString& texte, const QStringList& morceaux);

// True when `texte` holds the whole of `valeur`: on one line, or wrapped at
// its spaces onto the lines just below (its words in order, each whole and
// close to the one before).
bool contientEntier(const QString& texte, const QString& valeur);

// The number of pages of a PDF as pdfinfo reads it; 0 when unreadable.
int pagesPdf(const QString& fichier);

} // namespace tarvo::test
