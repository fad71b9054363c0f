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
// preview, the command and report names the error diagnostic gives, and the
// name its files start with.
struct DescriptionEtat {
    Etat etat;
    QString nomCtl;
    QString titreApercu;
    QString commande;
    QString nomEtat;
    QString nomFichier;
};

// The five reports in the order of the "Editions Expéditions" menu.
const QList<DescriptionEtat>& descriptionsEtats();
const DescriptionEtat& descriptionEtat(Etat etat);

// The file name proposed for the report of a shipment: the report and the
// shipment, so that the reports of a shipment, and those of two shipments,
// do not overwrite one another ("Liste de colisage 102.pdf").
QString nomFichierPdf(const DescriptionEtat& description, qint32 noExp);

// `fichier` with ".pdf" added when it has no such extension.
QString avecExtensionPdf(const QString& fichier);

// The report command of shipment `noExp` (none when no shipment is
// selected): opens the report connection, prepares the range control rows
// when the report needs them, reads the report's data, lays it out and hands
// it to `montrer` before the connection is closed. A failure is shown and
// logged by the report error diagnostic (or, for a preparation statement,
// by exec_command) and no report is handed over. True when `montrer` ran.
bool EditerEtat(Contexte& ctx, Etat etat, std::optional<qint32> noExp,
                const std::function<void(const Document&)>& montrer);

} // namespace tarvo::editions
