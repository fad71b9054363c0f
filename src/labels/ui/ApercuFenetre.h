#pragma once

#include <QByteArray>
#include <QString>

class QDialog;
class QWidget;

namespace tarvo::etiquettes {

// Shows the picture of a label drawn from its printer text, with what the
// preview could not draw, in a window of its own that closes itself.
// `legende`, when given, says which of the labels to print is shown.
QDialog* afficherApercuEtiquette(QWidget* parent, const QByteArray& texte,
                                 const QString& legende = QString());

} // namespace tarvo::etiquettes
