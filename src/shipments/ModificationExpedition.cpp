#include "ModificationExpedition.h"

#include "Progression.h"
#include "SqlExpeditions.h"
#include "app/Contexte.h"
#include "db/Base.h"
#include "db/Dialecte.h"
#include "db/TexteCellules.h"
#include "db/Transaction.h"
#include "terminal/ColisExpedition.h"

#include <QRegularExpression>
#include <cmath>

namespace tarvo::expeditions {
namespace {

using db::TexteCellules;

QString adresseLivraison(const db::Base& base, const QVariant& noLieu) {
    if (noLieu.isNull())
        return QString();
    db::Requete q = base.preparer(sql::AdresseLivraison);
    if (!q.lier(u":noLieu", noLieu).suivante())
        return QString();
    const QString saut = QStringLiteral("\r\n");
    return q.texte(0) + saut + q.texte(1) + saut + q.texte(2) + saut + q.texte(3) + u' ' +
           q.texte(4) + saut + q.texte(5) + saut;
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
    const db::Base base(ctx.cnx.get());
    db::Requete q = base.preparer(sql::Expedition);
    if (!q.lier(u":noExpedition", noExp).suivante())
        return std::nullopt;
    DetailExpedition d;
    d.noExpedition = static_cast<qint32>(q.entier(0));
    d.libelle1 = q.valeur(1);
    d.libelle2 = q.valeur(2);
    d.noLieuLivraison = q.valeur(3);
    d.dateCreation = q.valeur(4);
    d.dateCloture = q.valeur(5);
    d.nbColisTheorique = q.valeur(6);
    d.nbColisReel = q.valeur(7);
    d.tare = q.valeur(8);
    d.poidsNet = q.valeur(9);
    d.poidsBrut = q.valeur(10);
    d.volume = q.valeur(11);
    q.terminer();
    d.livraison = adresseLivraison(base, d.noLieuLivraison);
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

Enregistrement EnregistrerExpedition(Contexte& ctx, const DetailExpedition& charge,
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
        if (!n.erreur.isEmpty())
            return {std::nullopt, n.erreur};
    }
    const QVariant cloture = s.dateClot ? QVariant(*s.dateClot) : QVariant();
    const db::Base base(ctx.cnx.get());
    db::Requete q = base.preparer(sql::EnregistrementExpedition);
    q.lier(u":libelle1", texteOuNul(s.lib1))
        .lier(u":libelle2", texteOuNul(s.lib2))
        .lier(u":dateCloture", cloture)
        .lier(u":nbColisTheorique", nombres[0].valeur)
        .lier(u":nbColisReel", nombres[1].valeur)
        .lier(u":tare", nombres[2].valeur)
        .lier(u":poidsNet", nombres[3].valeur)
        .lier(u":poidsBrut", nombres[4].valeur)
        .lier(u":volume", nombres[5].valeur)
        .lier(u":noExpedition", charge.noExpedition)
        .lier(u":libelle1Lu", charge.libelle1)
        .lier(u":libelle2Lu", charge.libelle2)
        .lier(u":dateClotureLu", charge.dateCloture)
        .lier(u":nbColisTheoriqueLu", charge.nbColisTheorique)
        .lier(u":nbColisReelLu", charge.nbColisReel)
        .lier(u":tareLu", charge.tare)
        .lier(u":poidsNetLu", charge.poidsNet)
        .lier(u":poidsBrutLu", charge.poidsBrut)
        .lier(u":volumeLu", charge.volume);
    if (q.executer() != 1)
        return {std::nullopt,
                QStringLiteral("L'expédition N° %1 a été modifiée ou supprimée sur un autre poste "
                               "depuis son affichage : vos modifications n'ont pas été "
                               "enregistrées.\r\n\r\nAffichez-la de nouveau pour voir son état "
                               "actuel.")
                    .arg(charge.noExpedition)};
    return {ChargeDetailExp(ctx, charge.noExpedition), {}};
}

int SupCde(Contexte& ctx, qint32 noExp, const QStringList& commandes) {
    if (commandes.isEmpty())
        return 0;
    db::Base base(ctx.cnx.get());
    db::Requete suppression = base.preparer(sql::SuppressionCommande);
    qint64 supprimees = 0;
    db::Transaction transaction(base);
    const qsizetype total = commandes.size();
    for (qsizetype k = 0; k < total; ++k) {
        ctx.afficheProgression(pourcentage(k + 1, total));
        supprimees += suppression.lier(u":noExpedition", noExp)
                          .lier(u":commande", commandes.at(k).trimmed())
                          .executer();
    }
    transaction.valider();
    ctx.afficheProgression(100);
    return static_cast<int>(supprimees);
}

bool SupExp(Contexte& ctx, qint32 noExp) {
    db::Base base(ctx.cnx.get());
    db::Transaction transaction(base);
    const auto supprimer = [&base, noExp](const db::TexteSql& suppression) {
        return base.preparer(suppression).lier(u":noExpedition", noExp).executer();
    };
    supprimer(sql::SuppressionColisage);
    terminal::SupprimerColisExpedition(base, noExp);
    supprimer(sql::SuppressionListeCommandes);
    const qint64 lignes = supprimer(sql::SuppressionExpedition);
    transaction.valider();
    return lignes > 0;
}

} // namespace tarvo::expeditions
