#pragma once

#include "Dialecte.h"

#include <QString>

namespace tarvo::db {

// One statement of a catalogue: the same text for both engines, or one text
// per engine where their SQL differs. Values are named parameters
// (:noExpedition), never pasted into the text.
class TexteSql {
public:
    explicit TexteSql(QString commun);
    TexteSql(QString sqlite, QString sqlServer);

    const QString& pour(Moteur moteur) const;

private:
    QString sqlite_;
    QString sqlServer_;
};

} // namespace tarvo::db
