#pragma once

#include "EtatsExpedition.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace tarvo {
struct Contexte;
}

namespace tarvo::editions {

// What names a report: its menu entry, its tarvoctl name, the caption of its
// preview, and the command and report names the error diagnostic gives.
struct DescriptionEtat {
    Etat etat;
    QString entreeMenu;
    QString nomCtl;
    QString titreApercu;
    QString commande;
    QString nomEtat;
};

// The five reports in the order of the "Editions Expéditions" menu.
const QList<DescriptionEtat>& descriptionsEtats();
const DescriptionEtat& descriptionEtat(Etat etat);

// The report command of shipment `noExp` (none when no shipment is
// selected): opens the report connection, prepares the range control rows
// when the report needs them, reads the report's data, lays it out and hands
// it to `montrer` before the connection is closed. A failure is shown and
// logged by the report error diagnostic (or, for a preparation statement,
// by exec_command) and no report is handed over. True when `montrer` ran.
bool EditerEtat(Contexte& ctx, Etat etat, std::optional<qint32> noExp,
                const std::function<void(const Document&)>& montrer);

} // namespace tarvo::editions
