#include "EtiquettesColis.h"

#include "MargeGauche.h"
#include "PrinterSystem.h"
#include "app/Contexte.h"
#include "base/Erreur.h"
#include "db/Base.h"
#include "shipments/SqlExpeditions.h"

namespace tarvo::etiquettes {
namespace {

const QString Source = QStringLiteral("Etiquettes expédition");
// The label holds the parcel number on three characters.
constexpr int DernierColisPossible = 999;
constexpr int LongueurNumeroExpedition = 6;

// The columns of expeditions::sql::Expedition the labels read.
constexpr int ColNumero = 0;
constexpr int ColLibelle1 = 1;
constexpr int ColLibelle2 = 2;
constexpr int ColLieuLivraison = 3;
constexpr int ColColisTheorique = 6;
constexpr int ColColisReel = 7;

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
    const db::Base base(ctx.cnx.get());
    db::Requete requete = base.preparer(expeditions::sql::Expedition);
    requete.lier(u":noExpedition", noExpedition);
    if (!requete.suivante())
        return std::nullopt;
    const auto entier = [&requete](int colonne) {
        return static_cast<qint32>(requete.entier(colonne));
    };
    ExpeditionEtiquettes e;
    e.noExpedition = entier(ColNumero);
    e.libelle1 = requete.texte(ColLibelle1);
    e.libelle2 = requete.texte(ColLibelle2);
    if (!requete.estNul(ColLieuLivraison))
        e.noLieuLivraison = entier(ColLieuLivraison);
    e.nbColisReel = entier(ColColisReel);
    e.nbColisTheorique = entier(ColColisTheorique);
    return e;
}

AdresseLivraison LireAdresseLivraison(Contexte& ctx, std::optional<qint32> noLieuLivraison) {
    AdresseLivraison adresse;
    if (!noLieuLivraison)
        return adresse;
    const db::Base base(ctx.cnx.get());
    db::Requete requete = base.preparer(expeditions::sql::AdresseLivraison);
    requete.lier(u":noLieu", *noLieuLivraison);
    if (!requete.suivante())
        return adresse;
    // Name, address, complement, postcode and town on one line, country.
    const auto texte = [&requete](int colonne) { return requete.texte(colonne); };
    adresse = {texte(0), texte(1), texte(2), texte(3) + u' ' + texte(4), texte(5)};
    return adresse;
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
