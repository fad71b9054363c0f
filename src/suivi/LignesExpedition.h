#pragma once

#include "ControlePoids.h"

#include <QList>
#include <QString>

namespace tarvo::db {
class Base;
}

namespace tarvo::suivi {

// One line of the range control: one bar code of the shipment.
struct LigneArticle {
    QString reference;
    QString codeBarres;
    // The designation with its colour, as the control report prints it.
    QString designation;
    QString couleur;
    qint64 qteCommandee = 0;
    qint64 qtePreparee = 0;
    qint64 difference() const { return qtePreparee - qteCommandee; }
};

// What the follow-up shows of one shipment: its lines in the control
// report's order and its suspect parcels.
struct DetailExpedition {
    QList<LigneArticle> lignes;
    QList<ColisControle> colisSuspects;
};

// Raises ErreurTarvo on a database failure; an unknown shipment has no lines.
DetailExpedition LignesDeLExpedition(const db::Base& base, qint32 noExp, double tolerance);

} // namespace tarvo::suivi
