#pragma once

#include "suivi/LignesExpedition.h"

#include <QDialog>

class QTableWidget;

namespace tarvo {
struct Contexte;
}

namespace tarvo::suivi {

// One shipment's lines with the range control's figures, and its suspect
// parcels. A double-click on a line explains its prepared quantity.
class FenetreLignesExpedition : public QDialog {
    Q_OBJECT
public:
    FenetreLignesExpedition(Contexte& ctx, qint32 noExp, DetailExpedition detail,
                            QWidget* parent = nullptr);

    // The entries behind the prepared quantity of line `rang`, in a window
    // of their own.
    void expliquer(int rang);

private:
    Contexte& ctx_;
    qint32 noExp_;
    DetailExpedition detail_;
};

} // namespace tarvo::suivi
