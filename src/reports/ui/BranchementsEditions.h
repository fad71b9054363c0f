#pragma once

#include "reports/EtatsExpedition.h"

#include <QList>
#include <QMetaObject>
#include <QPointer>
#include <functional>
#include <optional>

class QAction;
class QWidget;

namespace tarvo {
struct Contexte;
}

namespace tarvo::ui {
class CadreCommandes;
}

namespace tarvo::editions {

// One report entry of the printouts menu.
struct EntreeEdition {
    Etat etat;
    QPointer<QAction> action;
};

// The five report entries of the main window's printouts menu.
QList<EntreeEdition> entreesEditions(const ui::CadreCommandes& cadre);

// Connects and enables the report entries: each runs its report on the
// shipment `expedition` gives (none when no shipment is selected) and opens
// its preview over `fenetre`. Returns the connections, for
// debrancherEditions.
QList<QMetaObject::Connection>
brancherEditions(Contexte& ctx, const QList<EntreeEdition>& entrees, QWidget* fenetre,
                 const std::function<std::optional<qint32>()>& expedition);
// Disconnects them and disables the entries again; entries already gone with
// the main window are passed over.
void debrancherEditions(const QList<EntreeEdition>& entrees,
                        QList<QMetaObject::Connection>& connexions);

} // namespace tarvo::editions
