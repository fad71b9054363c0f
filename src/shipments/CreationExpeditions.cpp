#include "CreationExpeditions.h"

#include "ControleCommandes.h"
#include "Progression.h"
#include "SqlExpeditions.h"
#include "app/Contexte.h"
#include "app/Erreur.h"
#include "db/Base.h"
#include "db/Transaction.h"

#include <QVariant>
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
// short and never waits on a read.
QList<InfoCommande> lireInfosCommandes(Contexte& ctx, const db::Base& base,
                                       const QStringList& commandes) {
    LectureCommandes lecture(base);
    QList<InfoCommande> infos;
    const qsizetype total = commandes.size();
    for (qsizetype k = 0; k < total; ++k) {
        ctx.afficheProgression(pourcentage(k + 1, total));
        if (std::optional<InfoCommande> info = lecture.lire(commandes.at(k)))
            infos.append(*info);
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

// One [Liste commandes] row per order, the statement prepared once.
class InsertionCommandes {
public:
    explicit InsertionCommandes(const db::Base& base)
        : requete_(base.preparer(sql::InsertionListeCommande)) {}

    void inserer(qint32 noExpedition, const InfoCommande& info) {
        requete_.lier(u":noExpedition", noExpedition)
            .lier(u":commande", info.DO_Piece)
            .lier(u":reference", info.DO_Ref)
            .lier(u":dateLivraison", info.DO_DateLivr)
            .lier(u":langue", info.DO_Langue)
            .lier(u":noClient", info.DO_Tiers)
            .lier(u":dateCreation", info.DO_Date)
            .lier(u":noLieu", info.LI_No)
            .executer();
    }

private:
    Requete requete_;
};

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

QList<qint32> CreerExpAuto(Contexte& ctx, const QStringList& commandes,
                           const std::function<void(qint32 numero)>& creee) {
    db::Base base(ctx.cnx.get());
    LectureCommandes lecture(base);
    InsertionCommandes insertion(base);
    QList<qint32> creees;
    QStringList commandesCreees;
    const qsizetype total = commandes.size();
    try {
        for (qsizetype k = 0; k < total; ++k) {
            ctx.afficheProgression(pourcentage(k + 1, total));
            const std::optional<InfoCommande> info = lecture.lire(commandes.at(k));
            if (!info)
                continue;
            db::Transaction transaction(base);
            const qint32 numero = insererExpedition(base, *info);
            insertion.inserer(numero, *info);
            transaction.valider();
            creees.append(numero);
            commandesCreees.append(info->DO_Piece.toString());
            if (creee)
                creee(numero);
        }
    } catch (const ErreurTarvo& echec) {
        throw apresExpeditionsCreees(echec, creees, commandesCreees);
    }
    ctx.afficheProgression(100);
    return creees;
}

std::optional<qint32> CreerExpManuel(Contexte& ctx, const QStringList& commandes) {
    db::Base base(ctx.cnx.get());
    const QList<InfoCommande> infos = lireInfosCommandes(ctx, base, commandes);
    if (infos.isEmpty())
        return std::nullopt;
    InsertionCommandes insertion(base);
    db::Transaction transaction(base);
    const qint32 numero = insererExpedition(base, infos.first());
    for (const InfoCommande& info : infos)
        insertion.inserer(numero, info);
    transaction.valider();
    return numero;
}

QStringList AddCdeExp(Contexte& ctx, qint32 noExpCible, const QStringList& commandes) {
    db::Base base(ctx.cnx.get());
    const QList<InfoCommande> infos = lireInfosCommandes(ctx, base, commandes);
    QStringList ajoutees;
    if (infos.isEmpty())
        return ajoutees;
    // A shipment that no longer exists takes no orders: this raises.
    LireExpeditionCible(ctx, noExpCible);
    InsertionCommandes insertion(base);
    db::Transaction transaction(base);
    for (const InfoCommande& info : infos) {
        insertion.inserer(noExpCible, info);
        ajoutees.append(info.DO_Piece.toString());
    }
    transaction.valider();
    return ajoutees;
}

} // namespace tarvo::expeditions
