#include "EtiquettesColis.h"

#include "MargeGauche.h"
#include "PrinterSystem.h"
#include "app/Contexte.h"
#include "base/Erreur.h"
#include "db/Base.h"
#include "shipments/LecteursExpedition.h"

namespace tarvo::etiquettes {
namespace {

const QString Source = QStringLiteral("Etiquettes expédition");
// The label holds the parcel number on three characters.
constexpr int DernierColisPossible = 999;
constexpr int LongueurNumeroExpedition = 6;

// The shipment number as printed; a longer number would shift the bar-code
// data the terminals read by position.
QString numeroExpedition(qint32 noExpedition) {
    const QString numero = NumeroExpeditionEtiquette(noExpedition);
    if (numero.size() > LongueurNumeroExpedition)
        throw ErreurTarvo(NumeroErreur::DonneeInvalide, Source,
                          QStringLiteral("Le numéro d'expédition %1 dépasse les %2 caractères de "
                                         "l'étiquette.")
                              .arg(numero)
                              .arg(LongueurNumeroExpedition));
    return numero;
}

} // namespace

std::optional<ExpeditionEtiquettes> ChargerExpeditionEtiquettes(Contexte& ctx,
                                                                qint32 noExpedition) {
    const std::optional<expeditions::EnTeteExpedition> lue =
        expeditions::LireEnTeteExpedition(db::Base(ctx.cnx.get()), noExpedition);
    if (!lue)
        return std::nullopt;
    ExpeditionEtiquettes e;
    e.noExpedition = lue->noExpedition;
    e.libelle1 = lue->libelle1;
    e.libelle2 = lue->libelle2;
    e.noLieuLivraison = lue->noLieuLivraison;
    e.nbColisReel = lue->nbColisReel;
    e.nbColisTheorique = lue->nbColisTheorique;
    return e;
}

AdresseLivraison LireAdresseLivraison(Contexte& ctx, std::optional<qint32> noLieuLivraison) {
    if (!noLieuLivraison)
        return {};
    const std::optional<expeditions::AdresseDeLivraison> lue =
        expeditions::LireAdresseDeLivraison(db::Base(ctx.cnx.get()), *noLieuLivraison);
    if (!lue)
        return {};
    // Name, address, complement, postcode and town on one line, country.
    return {lue->intitule, lue->adresse, lue->complement, lue->codePostal + u' ' + lue->ville,
            lue->pays};
}

bool PlageColisValide(int premier, int dernier, int theorique) {
    return premier > 0 && dernier >= premier && theorique >= dernier &&
           dernier <= DernierColisPossible;
}

EtiquettesColis::EtiquettesColis(Contexte& ctx, const ExpeditionEtiquettes& expedition)
    : noExpedition_(expedition.noExpedition),
      adresse_(LireAdresseLivraison(ctx, expedition.noLieuLivraison)),
      marge_(LireMargeGauche(ctx, {QStringLiteral("MargeGaucheExp"), QStringLiteral("expédition"),
                                   Source, CadreColisGauche, CadreColisDroit})),
      numero_(numeroExpedition(expedition.noExpedition)) {}

QByteArray EtiquettesColis::texte(int noColis) const {
    return TexteEtiquetteColis(marge_, numero_, noColis, adresse_);
}

void EtiquettesColis::envoyer(PrinterSystem& systeme, const QString& imprimante,
                              int noColis) const {
    systeme.envoyer(imprimante, texte(noColis),
                    QStringLiteral("Expédition %1 colis %2").arg(noExpedition_).arg(noColis));
}

} // namespace tarvo::etiquettes
