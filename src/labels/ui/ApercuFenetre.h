#pragma once

#include <QByteArray>

class QDialog;
class QWidget;

namespace tarvo::etiquettes {

// Shows the picture of a label drawn from its printer text, with what the
// preview could not draw, in a window of its own that closes itself.
QDialog* afficherApercuEtiquette(QWidget* parent, const QByteArray& texte);

} // namespace tarvo::etiquettes
