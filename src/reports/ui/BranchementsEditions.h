#pragma once

#include <QList>
#include <QMetaObject>
#include <functional>
#include <optional>

class QMenu;
class QWidget;

namespace tarvo {
struct Contexte;
}

namespace tarvo::editions {

// Connects and enables the five report entries of the printouts menu: each
// runs its report on the shipment `expedition` gives (none when no shipment
// is selected) and opens its preview over `fenetre`. Returns the
// connections, for debrancherEditions.
QList<QMetaObject::Connection>
brancherEditions(Contexte& ctx, QMenu* menu, QWidget* fenetre,
                 const std::function<std::optional<qint32>()>& expedition);
// Disconnects them and disables the entries again.
void debrancherEditions(QMenu* menu, QList<QMetaObject::Connection>& connexions);

} // namespace tarvo::editions
