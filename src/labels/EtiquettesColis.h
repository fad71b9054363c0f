#pragma once

#include "TexteEpl2.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace tarvo {
struct Contexte;
}

namespace tarvo::etiquettes {

class PrinterSystem;

// What the parcel label window shows of a shipment.
struct ExpeditionEtiquettes {
    qint32 noExpedition = 0;
    QString libelle1;
    QString libelle2;
    std::optional<qint32> noLieuLivraison;
    int nbColisReel = 0;
    int nbColisTheorique = 0;
};

// The shipment as saved; empty when no row holds that number. Raises
// ErreurTarvo on a database failure.
std::optional<ExpeditionEtiquettes> ChargerExpeditionEtiquettes(Contexte& ctx, qint32 noExpedition);

// The five address lines of a delivery place; all empty without a place or
// when the place is unknown. Raises ErreurTarvo on a database failure.
AdresseLivraison LireAdresseLivraison(Contexte& ctx, std::optional<qint32> noLieuLivraison);

// A printable range of parcels: from 1 on, in order, within the theoretical
// count, and numbers that fit the three characters of the label.
bool PlageColisValide(int premier, int dernier, int theorique);

// The parcel labels of one shipment. What they share (the delivery address,
// the margin, the printed shipment number) is read once, before the first
// label, so that a wrong margin or number stops before any job is sent.
class EtiquettesColis {
public:
    // Raises ErreurTarvo on a database failure, a MargeGaucheExp that is no
    // whole number of dots the label can hold, or a shipment number longer
    // than the label holds.
    EtiquettesColis(Contexte& ctx, const ExpeditionEtiquettes& expedition);

    // The text of one parcel's label.
    QByteArray texte(int noColis) const;
    // Sends one parcel's label to `imprimante` as a job of its own. Raises
    // ErreurTarvo when the job is refused.
    void envoyer(PrinterSystem& systeme, const QString& imprimante, int noColis) const;

private:
    qint32 noExpedition_;
    AdresseLivraison adresse_;
    int marge_;
    QString numero_;
};

} // namespace tarvo::etiquettes
