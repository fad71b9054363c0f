#pragma once

#include "MiseEnPage.h"

#include <QByteArray>
#include <QImage>

class QPainter;

namespace tarvo::editions {

// Paints one page of a laid-out report on the painter's device from its top
// left corner, at the device's own resolution: the same page on a printer,
// in a PDF, in a picture.
void peindrePage(QPainter& peintre, const Document& document, qsizetype page);

// The report as a PDF: vector text with its fonts embedded. Raises
// ErreurTarvo when the PDF cannot be made.
QByteArray documentPdf(const Document& document);

// Writes the PDF to `fichier`, which is replaced only once every byte is on
// disk. Raises ErreurTarvo with a French message on failure.
void ecrirePdf(const Document& document, const QString& fichier);

// One page as a picture at `pointsParPouce` (white background).
QImage imagePage(const Document& document, qsizetype page, double pointsParPouce);

} // namespace tarvo::editions
