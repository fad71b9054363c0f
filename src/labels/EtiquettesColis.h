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

// The left margin of parcel labels: the x coordinates are computed from it,
// so it must be a whole number. Raises ErreurTarvo otherwise.
int MargeColis(Contexte& ctx);

// A printable range of parcels: from 1 on, in order, within the theoretical
// count, and numbers that fit the three characters of the label.
bool PlageColisValide(int premier, int dernier, int theorique);

// Prints one label per parcel from `premier` to `dernier`, each its own job.
// Every failure is shown in a box; labels already sent stay printed. Gives the
// number of jobs sent.
int ImprEtiqExp(Contexte& ctx, PrinterSystem& systeme, const ExpeditionEtiquettes& expedition,
                int premier, int dernier);

// The text of one parcel label, for the preview: no printer is needed.
// Failures are shown in a box.
std::optional<QByteArray> TexteColisApercu(Contexte& ctx, const ExpeditionEtiquettes& expedition,
                                           int noColis);

} // namespace tarvo::etiquettes
