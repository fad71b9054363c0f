#pragma once

#include <QByteArray>
#include <QImage>
#include <QStringList>

namespace tarvo::etiquettes {

// Resolution of the label printers: a dot is 1/203 inch.
constexpr int PointsParPouce = 203;

// The picture of a label as the printer would print it, drawn from the very
// command text that would be sent to it.
struct ApercuEtiquette {
    QImage image;
    // The "P" count: how many copies the text asks for.
    int exemplaires = 0;
    // Commands or data the preview could not draw, and what the printer
    // would cut off, in French.
    QStringList anomalies;
};

// Interprets the EPL2 commands Tarvo sends (N, I, q, Q, A, B, LO, LE, LW, X,
// P) into a black-on-white picture, one pixel per printer dot. Bar codes are
// drawn with the zint library (EAN-13, Code 128), text in the cell sizes of
// the printer's resident fonts 1 to 5.
ApercuEtiquette ApercuEpl2(const QByteArray& texte);

// Writes the picture as PNG in place of `fichier`, all at once: on failure
// the previous file stays as it was and ErreurTarvo is raised.
void EnregistrerApercu(const ApercuEtiquette& apercu, const QString& fichier);

} // namespace tarvo::etiquettes
