#include "EtiquettesColis.h"

#include "Imprimante.h"
#include "PrinterSystem.h"
#include "RequetesEtiquettes.h"
#include "app/Connexion.h"
#include "app/Contexte.h"
#include "app/FormesMessages.h"
#include "app/Ini.h"

#include <QSqlQuery>
#include <QVariant>

namespace tarvo::etiquettes {
namespace {

const QString Source = QStringLiteral("Etiquettes expédition");
// The label holds the parcel number on three characters.
constexpr int DernierColisPossible = 999;
constexpr int LongueurNumeroExpedition = 6;

QSqlQuery executer(Contexte& ctx, const QString& sql, const QVariant& valeur) {
    QSqlQuery requete(ctx.cnx->base());
    requete.setForwardOnly(true);
    if (!requete.prepare(sql))
        throw ErreurTarvo(Erreur::depuisSql(requete.lastError(), Source));
    requete.addBindValue(valeur);
    if (!requete.exec())
        throw ErreurTarvo(Erreur::depuisSql(requete.lastError(), Source));
    return requete;
}

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
    QSqlQuery requete = executer(ctx, Requetes::ExpeditionEtiquettes, noExpedition);
    if (!requete.next())
        return std::nullopt;
    ExpeditionEtiquettes e;
    e.noExpedition = requete.value(0).toInt();
    e.libelle1 = requete.value(1).toString();
    e.libelle2 = requete.value(2).toString();
    if (!requete.value(3).isNull())
        e.noLieuLivraison = requete.value(3).toInt();
    e.nbColisReel = requete.value(4).toInt();
    e.nbColisTheorique = requete.value(5).toInt();
    return e;
}

AdresseLivraison LireAdresseLivraison(Contexte& ctx, std::optional<qint32> noLieuLivraison) {
    AdresseLivraison adresse;
    if (!noLieuLivraison)
        return adresse;
    QSqlQuery requete = executer(ctx, Requetes::AdresseLivraison, *noLieuLivraison);
    if (!requete.next())
        return adresse;
    const auto texte = [&requete](int colonne) { return requete.value(colonne).toString(); };
    adresse = {texte(1), texte(2), texte(3), texte(4) + u' ' + texte(5), texte(6)};
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
