#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

namespace tarvo::db {
class Base;
class TexteSql;
} // namespace tarvo::db

// What the other subsystems read of a shipment, typed: they never see the
// shipments' statements or the order of their columns.
namespace tarvo::expeditions {

struct EnTeteExpedition {
    qint32 noExpedition = 0;
    QString libelle1, libelle2;
    std::optional<qint32> noLieuLivraison;
    // Zero when not given.
    qint32 nbColisTheorique = 0, nbColisReel = 0;
};

// None when the shipment does not exist.
std::optional<EnTeteExpedition> LireEnTeteExpedition(const db::Base& base, qint32 noExpedition);

// A delivery place of Sage (F_LIVRAISON).
struct AdresseDeLivraison {
    QString intitule, adresse, complement, codePostal, ville, pays;
};

// None when the place does not exist.
std::optional<AdresseDeLivraison> LireAdresseDeLivraison(const db::Base& base, qint32 noLieu);

// One order of a shipment, with the town and country of its delivery place.
struct CommandeDeLExpedition {
    QString noCommande, reference;
    QDateTime dateCreation, dateLivraison;
    QString noClient, ville, pays;
};

// The shipment's orders by order number.
QList<CommandeDeLExpedition> LireCommandesExpedition(const db::Base& base, qint32 noExpedition);
// The statement LireCommandesExpedition runs, for a failure's diagnostic.
const db::TexteSql& InstructionCommandesExpedition();

} // namespace tarvo::expeditions
