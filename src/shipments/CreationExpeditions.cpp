#include "CreationExpeditions.h"

#include "ControleCommandes.h"
#include "Progression.h"
#include "RechercheCommande.h"
#include "SqlExpeditions.h"
#include "app/Contexte.h"
#include "base/Erreur.h"
#include "db/Base.h"
#include "db/Transaction.h"

#include <QHash>
#include <QSet>
#include <QVariant>
#include <algorithm>
#include <limits>

namespace tarvo::expeditions {
namespace {

using db::Requete;

// The first [Info Commande] row of an order, values as the database gave
// them: they are copied unchanged, NULLs included.
struct InfoCommande {
    QVariant DO_Piece, DO_Ref, DO_Date, DO_DateLivr, DO_Tiers, DO_Langue, LI_No, LI_Intitule,
        LI_Ville;
};

// The order query, prepared once per routine and run again for each order.
class LectureCommandes {
public:
    explicit LectureCommandes(const db::Base& base) : requete_(base.preparer(sql::InfoCommande)) {}

    std::optional<InfoCommande> lire(const QString& commande) {
        requete_.lier(u":commande", commande.trimmed());
        if (!requete_.suivante())
            return std::nullopt;
        const Requete& q = requete_;
        InfoCommande info{q.valeur(0), q.valeur(1), q.valeur(2), q.valeur(3), q.valeur(4),
                          q.valeur(5), q.valeur(6), q.valeur(7), q.valeur(8)};
        // Only the first row counts; the read must not outlive it.
        requete_.terminer();
        return info;
    }

private:
    Requete requete_;
};

// Reads every order before any write: the writing transaction then stays
// short and never waits on a read. An order named twice is read once.
QList<InfoCommande> lireInfosCommandes(Contexte& ctx, const db::Base& base,
                                       const QStringList& commandes) {
    LectureCommandes lecture(base);
    QList<InfoCommande> infos;
    QSet<QString> lues;
    const qsizetype total = commandes.size();
    for (qsizetype k = 0; k < total; ++k) {
        ctx.afficheProgression(pourcentage(k + 1, total));
        std::optional<InfoCommande> info = lecture.lire(commandes.at(k));
        if (info && !lues.contains(info->DO_Piece.toString())) {
            lues.insert(info->DO_Piece.toString());
            infos.append(*info);
        }
    }
    ctx.afficheProgression(100);
    return infos;
}

qint32 insererExpedition(const db::Base& base, const InfoCommande& info) {
    const qint64 numero = base.preparer(sql::InsertionExpedition)
                              .lier(u":libelle1", info.LI_Intitule)
                              .lier(u":libelle2", info.LI_Ville)
                              .lier(u":noLieu", info.LI_No)
                              .lier(u":langue", info.DO_Langue)
                              .executerInsertion();
    if (numero <= 0 || numero > std::numeric_limits<qint32>::max())
        throw ErreurTarvo(NumeroErreur::Base, QStringLiteral("Expédition"),
                          QStringLiteral("Le numéro de la nouvelle expédition n'a pas pu être "
                                         "relu."));
    return static_cast<qint32>(numero);
}

// Attaches orders to shipments, the statement prepared once.
class Rattachement {
public:
    explicit Rattachement(const db::Base& base)
        : base_(base), requete_(base.preparer(sql::RattachementCommande)) {}

    // The refusal when a shipment already holds the order: nothing is
    // written then.
    std::optional<CommandeRefusee> attacher(qint32 noExpedition, const InfoCommande& info) {
        requete_.lier(u":noExpedition", noExpedition)
            .lier(u":commande", info.DO_Piece)
            .lier(u":reference", info.DO_Ref)
            .lier(u":dateLivraison", info.DO_DateLivr)
            .lier(u":langue", info.DO_Langue)
            .lier(u":noClient", info.DO_Tiers)
            .lier(u":dateCreation", info.DO_Date)
            .lier(u":noLieu", info.LI_No);
        bool attachee = false;
        while (requete_.suivante())
            attachee = true;
        if (attachee)
            return std::nullopt;
        const QString commande = info.DO_Piece.toString();
        return CommandeRefusee{
            commande, RaisonCommandeNonOfferte(commande, ExpeditionsDeCommande(base_, commande))};
    }

    // Attaches every order of `infos` to `noExpedition`; returns the refusals
    // by order number. Every workstation takes the orders in the same order,
    // so that two of them attaching overlapping lists wait for each other on
    // the server instead of each holding an order the other needs.
    QHash<QString, QString> attacherTout(qint32 noExpedition, QList<InfoCommande> infos) {
        std::sort(infos.begin(), infos.end(), [](const InfoCommande& a, const InfoCommande& b) {
            return a.DO_Piece.toString() < b.DO_Piece.toString();
        });
        QHash<QString, QString> refus;
        for (const InfoCommande& info : infos)
            if (const std::optional<CommandeRefusee> r = attacher(noExpedition, info))
                refus.insert(r->commande, r->raison);
        return refus;
    }

private:
    const db::Base& base_;
    Requete requete_;
};

// The orders of `infos` that were attached and those refused, in list order.
void trier(const QList<InfoCommande>& infos, const QHash<QString, QString>& refus,
           Rattachements& resultat) {
    for (const InfoCommande& info : infos) {
        const QString commande = info.DO_Piece.toString();
        if (refus.contains(commande))
            resultat.refusees.append(CommandeRefusee{commande, refus.value(commande)});
        else
            resultat.commandes.append(commande);
    }
}

// The failure, followed by the shipments committed before it.
ErreurTarvo apresExpeditionsCreees(const ErreurTarvo& echec, const QList<qint32>& numeros,
                                   const QStringList& commandes) {
    if (numeros.isEmpty())
        return echec;
    Erreur erreur = echec.erreur();
    erreur.description +=
        QStringLiteral("\r\n\r\nAvant l'erreur, ces expéditions ont été créées et enregistrées :");
    for (qsizetype k = 0; k < numeros.size(); ++k)
        erreur.description +=
            QStringLiteral("\r\nN° %1 : commande %2").arg(numeros.at(k)).arg(commandes.at(k));
    return ErreurTarvo(std::move(erreur));
}

} // namespace

Rattachements CreerExpAuto(Contexte& ctx, const QStringList& commandes,
                           const std::function<void(qint32 numero)>& creee) {
    db::Base base(ctx.cnx.get());
    LectureCommandes lecture(base);
    Rattachement rattachement(base);
    Rattachements resultat;
    const qsizetype total = commandes.size();
    try {
        for (qsizetype k = 0; k < total; ++k) {
            ctx.afficheProgression(pourcentage(k + 1, total));
            const std::optional<InfoCommande> info = lecture.lire(commandes.at(k));
            if (!info)
                continue;
            db::Transaction transaction(base);
            const qint32 numero = insererExpedition(base, *info);
            if (std::optional<CommandeRefusee> refus = rattachement.attacher(numero, *info)) {
                // Rolled back: no shipment is left without its order.
                resultat.refusees.append(std::move(*refus));
                continue;
            }
            transaction.valider();
            resultat.expeditions.append(numero);
            resultat.commandes.append(info->DO_Piece.toString());
            if (creee)
                creee(numero);
        }
    } catch (const ErreurTarvo& echec) {
        throw apresExpeditionsCreees(echec, resultat.expeditions, resultat.commandes);
    }
    ctx.afficheProgression(100);
    return resultat;
}

Rattachements CreerExpManuel(Contexte& ctx, const QStringList& commandes) {
    db::Base base(ctx.cnx.get());
    const QList<InfoCommande> infos = lireInfosCommandes(ctx, base, commandes);
    Rattachement rattachement(base);
    QList<InfoCommande> restantes = infos;
    QHash<QString, QString> refus;
    Rattachements resultat;
    // The shipment is labelled after its first order: when an order is found
    // taken, the shipment is written again without it, so that it never
    // carries the labels of an order it does not hold, nor stays empty.
    while (!restantes.isEmpty()) {
        db::Transaction transaction(base);
        const qint32 numero = insererExpedition(base, restantes.first());
        const QHash<QString, QString> prises = rattachement.attacherTout(numero, restantes);
        if (prises.isEmpty()) {
            transaction.valider();
            resultat.expeditions.append(numero);
            break;
        }
        refus.insert(prises);
        restantes.removeIf([&prises](const InfoCommande& info) {
            return prises.contains(info.DO_Piece.toString());
        });
    }
    trier(infos, refus, resultat);
    return resultat;
}

Rattachements AddCdeExp(Contexte& ctx, qint32 noExpCible, const QStringList& commandes) {
    db::Base base(ctx.cnx.get());
    const QList<InfoCommande> infos = lireInfosCommandes(ctx, base, commandes);
    Rattachements resultat;
    if (infos.isEmpty())
        return resultat;
    // A shipment that no longer exists takes no orders: this raises.
    LireExpeditionCible(ctx, noExpCible);
    Rattachement rattachement(base);
    db::Transaction transaction(base);
    const QHash<QString, QString> refus = rattachement.attacherTout(noExpCible, infos);
    transaction.valider();
    trier(infos, refus, resultat);
    return resultat;
}

QString TexteCreationTerminee(const QList<qint32>& expeditions) {
    QString texte = QStringLiteral("Traitement terminé\r\n\r\n");
    if (expeditions.isEmpty())
        return texte + QStringLiteral("Aucune expédition n'a été créée.");
    QStringList numeros;
    for (const qint32 numero : expeditions)
        numeros << QStringLiteral("N° %1").arg(numero);
    texte += expeditions.size() == 1 ? QStringLiteral("Expédition créée : ")
                                     : QStringLiteral("Expéditions créées : ");
    return texte + numeros.join(QStringLiteral(", ")) + u'.';
}

} // namespace tarvo::expeditions
