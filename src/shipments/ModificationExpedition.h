#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

namespace tarvo {
struct Contexte;
}

namespace tarvo::expeditions {

// One Expédition row as it was loaded: the values of the editable columns are
// kept as the database gave them, so that a save can tell whether another
// workstation changed the row meanwhile.
struct DetailExpedition {
    qint32 noExpedition = 0;
    QVariant libelle1, libelle2, noLieuLivraison, dateCreation, dateCloture;
    QVariant nbColisTheorique, nbColisReel, tare, poidsNet, poidsBrut, volume;
    // The delivery address, one line per part, each ended by CR LF.
    QString livraison;
};

// The texts of the detail area.
struct ZoneData {
    QString noExp, dateCrea, lib1, lib2, livraison;
    QString nbColTheo, nbColReel, tare, poidsNet, poidsBrut, volume;
    // No value for an open shipment.
    std::optional<QDateTime> dateClot;
};

// What the person typed in the detail area.
struct SaisieExpedition {
    QString lib1, lib2;
    std::optional<QDateTime> dateClot;
    QString nbColTheo, nbColReel, tare, poidsNet, poidsBrut, volume;

    bool operator==(const SaisieExpedition&) const = default;
};

// Reads one shipment and its delivery address; none when it no longer exists.
std::optional<DetailExpedition> ChargeDetailExp(Contexte& ctx, qint32 noExp);

ZoneData InitZoneData(const DetailExpedition& detail);

// What became of a save.
struct Enregistrement {
    // The row as saved; none when nothing was written, or when the shipment
    // was removed right after its save.
    std::optional<DetailExpedition> detail;
    // Why nothing was written, as the person is told; empty otherwise.
    QString refus;
};

// "Enregistrer": checks the numbers (a refusal naming the field), then
// writes the row only if it still holds the loaded values (a refusal
// otherwise). A refused save writes nothing. Raises ErreurTarvo on a
// database failure.
Enregistrement EnregistrerExpedition(Contexte& ctx, const DetailExpedition& charge,
                                     const SaisieExpedition& saisie);

// Removes the given orders from shipment `noExp` only, in one transaction.
// Returns the number of order rows removed.
int SupCde(Contexte& ctx, qint32 noExp, const QStringList& commandes);

// Removes the shipment with its orders, parcels and packing lines in one
// transaction; the entry journal keeps its rows. True when it existed.
bool SupExp(Contexte& ctx, qint32 noExp);

} // namespace tarvo::expeditions
