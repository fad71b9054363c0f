#include "FenetreALaPlace.h"

#include <QDialog>
#include <QVariant>

namespace tarvo::suivi {
namespace {

const char* const ProprieteCle = "cleFenetre";

} // namespace

void montrerALaPlace(QDialog* fenetre, const QString& cle) {
    fenetre->setProperty(ProprieteCle, cle);
    QWidget* parent = fenetre->parentWidget();
    const auto autres =
        parent ? parent->findChildren<QDialog*>(fenetre->objectName(), Qt::FindDirectChildrenOnly)
               : QList<QDialog*>();
    for (QDialog* autre : autres) {
        if (autre == fenetre || !autre->isVisible() || autre->property(ProprieteCle) != cle)
            continue;
        fenetre->setGeometry(autre->geometry());
        autre->close();
    }
    fenetre->show();
    fenetre->raise();
    fenetre->activateWindow();
}

} // namespace tarvo::suivi
