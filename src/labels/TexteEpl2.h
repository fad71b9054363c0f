#pragma once

#include <QByteArray>
#include <QString>
#include <array>

namespace tarvo::etiquettes {

// The two printed lines of a description: at most 35 bytes each, cut at a
// space when one is close enough. Windows-1252 bytes, not yet escaped.
struct LignesLibelle {
    QByteArray ligne1;
    QByteArray ligne2;
};
LignesLibelle DecoupeLibelle(const QString& libelle);

// Printable data between double quotes: a backslash and a double quote would
// otherwise end or change the field, so each gets a backslash before it;
// control characters (line feeds…) become spaces.
QByteArray echapperEpl2(const QByteArray& donnees);

// The browser prints an empty line after "N", the label window does not.
enum class VarianteArticle { Navigateur, Fenetre };

// The article label: an EAN-13 code and the description on two lines, from x
// = `marge` on; the "P" command prints `nombre` labels.
QByteArray TexteEtiquetteArticle(VarianteArticle variante, int marge, const QString& codeBarre,
                                 const QString& libelle, int nombre);
// Its widest field, the bar code: 95 modules of 3 dots from the margin.
constexpr int LargeurEtiquetteArticle = 95 * 3;

// The five address lines of a delivery place.
using AdresseLivraison = std::array<QString, 5>;

// "EXP:" + shipment number on 6 characters + ",COLIS:" + parcel number on 3.
QString DonneesCodeBarreColis(const QString& numeroExpedition, int noColis);
// The shipment number as the parcel label shows it: trimmed then padded to 6.
QString NumeroExpeditionEtiquette(qint32 noExpedition);

// One parcel label: Code 128 identification, the address, the parcel number
// in large characters, three boxes. `marge` is the left margin in dots.
QByteArray TexteEtiquetteColis(int marge, const QString& numeroExpedition, int noColis,
                               const AdresseLivraison& adresse);
// Its frame, the widest of its fields, runs from 30 dots left of the margin
// to 560 dots right of it.
constexpr int CadreColisGauche = -30;
constexpr int CadreColisDroit = 560;

} // namespace tarvo::etiquettes
