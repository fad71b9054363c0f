#include "EtiquettesColis.h"

#include "Imprimante.h"
#include "PrinterSystem.h"
#include "app/Contexte.h"
#include "app/FormesMessages.h"
#include "app/Ini.h"
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

void signaler(Contexte& ctx, const ErreurTarvo& e) {
    afficherErreurDetaillee(ctx, QStringLiteral("Erreur"), e.erreur());
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

int MargeColis(Contexte& ctx) {
    const QString texte = LireIni(ctx, QStringLiteral("MargeGaucheExp"), QStringLiteral("[ZEBRA]"));
    bool ok = false;
    const int marge = texte.trimmed().toInt(&ok);
    if (!ok)
        throw ErreurTarvo(NumeroErreur::DonneeInvalide, Source,
                          QStringLiteral("La marge gauche des étiquettes expédition (clé "
                                         "MargeGaucheExp de la section [ZEBRA]) doit être un "
                                         "nombre entier de points : « %1 » ne convient pas.")
                              .arg(texte));
    return marge;
}

bool PlageColisValide(int premier, int dernier, int theorique) {
    return premier > 0 && dernier >= premier && theorique >= dernier &&
           dernier <= DernierColisPossible;
}

int ImprEtiqExp(Contexte& ctx, PrinterSystem& systeme, const ExpeditionEtiquettes& expedition,
                int premier, int dernier) {
    int envoyees = 0;
    try {
        const std::optional<QString> imprimante =
            ImprimanteEtiquettes(ctx, systeme, QStringLiteral("NomImprimanteExp"));
        if (!imprimante)
            return 0;
        const AdresseLivraison adresse = LireAdresseLivraison(ctx, expedition.noLieuLivraison);
        const int marge = MargeColis(ctx);
        const QString numero = numeroExpedition(expedition.noExpedition);
        for (int colis = premier; colis <= dernier; ++colis) {
            systeme.envoyer(
                *imprimante, TexteEtiquetteColis(marge, numero, colis, adresse),
                QStringLiteral("Expédition %1 colis %2").arg(expedition.noExpedition).arg(colis));
            ++envoyees;
        }
    } catch (const ErreurTarvo& e) {
        signaler(ctx, e);
    }
    return envoyees;
}

std::optional<QByteArray> TexteColisApercu(Contexte& ctx, const ExpeditionEtiquettes& expedition,
                                           int noColis) {
    try {
        const AdresseLivraison adresse = LireAdresseLivraison(ctx, expedition.noLieuLivraison);
        return TexteEtiquetteColis(MargeColis(ctx), numeroExpedition(expedition.noExpedition),
                                   noColis, adresse);
    } catch (const ErreurTarvo& e) {
        signaler(ctx, e);
        return std::nullopt;
    }
}

} // namespace tarvo::etiquettes
