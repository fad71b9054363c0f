#include "ModificationExpedition.h"

#include "CatalogueExpeditions.h"
#include "Requete.h"
#include "db/TexteCellules.h"
#include "app/Connexion.h"
#include "app/Contexte.h"
#include "db/Dialecte.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <cmath>

namespace tarvo {
namespace {

using expeditions::executer;
using db::TexteCellules;
using expeditions::Transaction;

const QString TitreEnregistrement = QStringLiteral("Modification des expéditions");

QString adresseLivraison(Contexte& ctx, const QVariant& noLieu) {
    if (noLieu.isNull())
        return QString();
    QSqlQuery q = executer(ctx, SqlExpeditions::adresseLivraison(), {noLieu});
    if (!q.next())
        return QString();
    const QString saut = QStringLiteral("\r\n");
    return q.value(0).toString() + saut + q.value(1).toString() + saut + q.value(2).toString() +
           saut + q.value(3).toString() + u' ' + q.value(4).toString() + saut +
           q.value(5).toString() + saut;
}

// A typed number, or the message that names its field.
struct Nombre {
    QVariant valeur;
    QString erreur;
};

Nombre lireEntier(const QString& champ, const QString& texte) {
    const QString t = texte.trimmed();
    if (t.isEmpty())
        return {0, {}};
    bool ok = false;
    const int n = t.toInt(&ok);
    if (ok && n >= 0 && t.at(0).isDigit())
        return {n, {}};
    return {{},
            QStringLiteral("« %1 » doit être un nombre entier positif ou nul : « %2 » n'est pas "
                           "accepté.")
                .arg(champ, texte)};
}

Nombre lireDecimal(const QString& champ, const QString& texte) {
    QString t = texte.trimmed();
    if (t.isEmpty())
        return {QVariant(), {}};
    t.replace(u',', u'.');
    bool ok = false;
    const double x = t.toDouble(&ok);
    static const QRegularExpression forme(QStringLiteral("^\\d+(\\.\\d*)?$|^\\.\\d+$"));
    if (ok && std::isfinite(x) && forme.match(t).hasMatch())
        return {x, {}};
    return {{},
            QStringLiteral("« %1 » doit être un nombre positif ou nul : « %2 » n'est pas "
                           "accepté.")
                .arg(champ, texte)};
}

QVariant texteOuNul(const QString& texte) {
    return texte.isEmpty() ? QVariant() : texte;
}

} // namespace

std::optional<DetailExpedition> ChargeDetailExp(Contexte& ctx, qint32 noExp) {
    QSqlQuery q = executer(ctx, SqlExpeditions::expedition(), {noExp});
    if (!q.next())
        return std::nullopt;
    DetailExpedition d;
    d.noExpedition = q.value(0).toInt();
    d.libelle1 = q.value(1);
    d.libelle2 = q.value(2);
    d.noLieuLivraison = q.value(3);
    d.dateCreation = q.value(4);
    d.dateCloture = q.value(5);
    d.nbColisTheorique = q.value(6);
    d.nbColisReel = q.value(7);
    d.tare = q.value(8);
    d.poidsNet = q.value(9);
    d.poidsBrut = q.value(10);
    d.volume = q.value(11);
    q.finish();
    d.livraison = adresseLivraison(ctx, d.noLieuLivraison);
    return d;
}

ZoneData InitZoneData(const DetailExpedition& d) {
    TexteCellules t;
    ZoneData z;
    z.noExp = QString::number(d.noExpedition);
    z.dateCrea = t.date(d.dateCreation);
    z.lib1 = t.valeur(d.libelle1);
    z.lib2 = t.valeur(d.libelle2);
    z.livraison = d.livraison;
    z.nbColTheo = t.valeur(d.nbColisTheorique);
    z.nbColReel = t.valeur(d.nbColisReel);
    z.tare = t.valeur(d.tare);
    z.poidsNet = t.valeur(d.poidsNet);
    z.poidsBrut = t.valeur(d.poidsBrut);
    z.volume = t.valeur(d.volume);
    const QDateTime cloture = db::Dialecte::lireDateHeure(d.dateCloture);
    if (cloture.isValid())
        z.dateClot = cloture;
    return z;
}

std::optional<DetailExpedition> EnregistrerExpedition(Contexte& ctx, const DetailExpedition& charge,
                                                      const SaisieExpedition& s) {
    const Nombre nombres[] = {
        lireEntier(QStringLiteral("Nbr colis théorique"), s.nbColTheo),
        lireEntier(QStringLiteral("Nbr colis réel"), s.nbColReel),
        lireDecimal(QStringLiteral("Tare"), s.tare),
        lireDecimal(QStringLiteral("Poids Net"), s.poidsNet),
        lireDecimal(QStringLiteral("Poids brut"), s.poidsBrut),
        lireDecimal(QStringLiteral("Volume"), s.volume),
    };
    for (const Nombre& n : nombres) {
        if (!n.erreur.isEmpty()) {
            ctx.prompts.exclamation(TitreEnregistrement, n.erreur);
            return std::nullopt;
        }
    }
    const QVariant cloture =
        s.dateClot ? QVariant(s.dateClot->toString(db::Dialecte::FormatDateHeure)) : QVariant();
    QVariantList valeurs = {texteOuNul(s.lib1), texteOuNul(s.lib2), cloture};
    for (const Nombre& n : nombres)
        valeurs << n.valeur;
    valeurs << charge.noExpedition;
    for (const QVariant& avant :
         {charge.libelle1, charge.libelle2, charge.dateCloture, charge.nbColisTheorique,
          charge.nbColisReel, charge.tare, charge.poidsNet, charge.poidsBrut, charge.volume})
        valeurs << avant << avant;

    QSqlQuery q =
        executer(ctx, SqlExpeditions::enregistrementExpedition(ctx.cnx->moteur()), valeurs);
    if (q.numRowsAffected() != 1) {
        ctx.prompts.exclamation(
            TitreEnregistrement,
            QStringLiteral("L'expédition N° %1 a été modifiée ou supprimée sur un autre poste "
                           "depuis son affichage : vos modifications n'ont pas été "
                           "enregistrées.\r\n\r\nAffichez-la de nouveau pour voir son état "
                           "actuel.")
                .arg(charge.noExpedition));
        return std::nullopt;
    }
    return ChargeDetailExp(ctx, charge.noExpedition);
}

int SupCde(Contexte& ctx, qint32 noExp, const QStringList& commandes) {
    if (commandes.isEmpty())
        return 0;
    int supprimees = 0;
    Transaction transaction(ctx);
    const qsizetype total = commandes.size();
    for (qsizetype k = 0; k < total; ++k) {
        ctx.afficheProgression(static_cast<int>(std::lround(100.0 * (k + 1) / total)));
        QSqlQuery q = executer(ctx, SqlExpeditions::suppressionCommande(),
                               {noExp, commandes.at(k).trimmed()});
        supprimees += q.numRowsAffected();
    }
    transaction.valider();
    ctx.afficheProgression(100);
    return supprimees;
}

bool SupExp(Contexte& ctx, qint32 noExp) {
    Transaction transaction(ctx);
    int lignes = 0;
    for (const QString& sql : SqlExpeditions::suppressionExpedition())
        lignes = executer(ctx, sql, {noExp}).numRowsAffected();
    transaction.valider();
    return lignes > 0;
}

} // namespace tarvo
