#pragma once

#include <QHash>
#include <QString>
#include <QVariant>

namespace tarvo::db {

// Turns database values into the texts of list cells and detail fields:
// numbers in decimal, date-times as the workstation's short date followed by
// the time when it is not midnight, NULL as an empty text. One instance per
// list load: dates repeat, so each day is formatted once.
class TexteCellules {
public:
    TexteCellules();

    QString valeur(const QVariant& v) const;
    QString date(const QVariant& v);

private:
    QString formatDate_;
    QHash<QString, QString> cache_;
    QString dernierJour_;
    QString dernierTexte_;
};

} // namespace tarvo::db
