#pragma once

#include <QtGlobal>

class QWidget;

namespace tarvo {
struct Contexte;
}

namespace tarvo::ui {

// Opens the parcel label window of a shipment as a dialog.
void ouvrirEtiquettesExpedition(QWidget* parent, Contexte& ctx, qint32 noExpedition);

} // namespace tarvo::ui
