#include "BranchementsEditions.h"

#include "ApercuEtat.h"
#include "reports/Edition.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

namespace tarvo::editions {
namespace {

QAction* entree(QMenu* menu, const QString& nom) {
    for (QAction* a : menu->actions())
        if (a->objectName() == nom)
            return a;
    return nullptr;
}

// The hourglass for the time of a report command, however it ends.
struct Sablier {
    Sablier() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Sablier() { QApplication::restoreOverrideCursor(); }
    Sablier(const Sablier&) = delete;
    Sablier& operator=(const Sablier&) = delete;
};

} // namespace

QList<QMetaObject::Connection>
brancherEditions(Contexte& ctx, QMenu* menu, QWidget* fenetre,
                 const std::function<std::optional<qint32>()>& expedition) {
    QList<QMetaObject::Connection> connexions;
    if (!menu)
        return connexions;
    for (const DescriptionEtat& d : descriptionsEtats()) {
        QAction* a = entree(menu, d.entreeMenu);
        if (!a)
            continue;
        const Etat etat = d.etat;
        connexions << QObject::connect(
            a, &QAction::triggered, fenetre, [&ctx, fenetre, etat, expedition] {
                const Sablier sablier;
                EditerEtat(ctx, etat, expedition(),
                           [&](const Document& document) { ouvrirApercu(ctx, document, fenetre); });
            });
        a->setEnabled(true);
    }
    return connexions;
}

void debrancherEditions(QMenu* menu, QList<QMetaObject::Connection>& connexions) {
    for (const QMetaObject::Connection& c : connexions)
        QObject::disconnect(c);
    connexions.clear();
    if (!menu)
        return;
    for (const DescriptionEtat& d : descriptionsEtats())
        if (QAction* a = entree(menu, d.entreeMenu))
            a->setEnabled(false);
}

} // namespace tarvo::editions
