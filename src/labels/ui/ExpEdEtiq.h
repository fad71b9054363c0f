#pragma once

#include "labels/EtiquettesColis.h"

#include <QDialog>
#include <QtGlobal>

class QLineEdit;

namespace tarvo {
struct Contexte;
}

namespace tarvo::etiquettes {

// "Edition des étiquettes expédition": the range of parcels whose labels to
// print for one shipment.
class ExpEdEtiq : public QDialog {
    Q_OBJECT
public:
    ExpEdEtiq(Contexte& ctx, const ExpeditionEtiquettes& expedition, QWidget* parent = nullptr);

    void imprimer();
    void apercu();

private:
    // The range typed, when it is printable; otherwise says so.
    std::optional<std::pair<int, int>> plage();

    Contexte& ctx_;
    ExpeditionEtiquettes expedition_;
    QLineEdit* NbColTheo_;
    QLineEdit* NoColis1_;
    QLineEdit* NoColis2_;
};

// Opens the parcel label window of a shipment as a dialog, with the shipment
// as saved.
void ouvrirEtiquettesExpedition(QWidget* parent, Contexte& ctx, qint32 noExpedition);
// The same with the values a window shows, saved or not: its descriptions and
// parcel counts fill the label window and the theoretical count bounds the
// range.
void ouvrirEtiquettesExpedition(QWidget* parent, Contexte& ctx,
                                const ExpeditionEtiquettes& expedition);

} // namespace tarvo::etiquettes
