#include "PrepaControleGamme.h"

#include "SqlEditions.h"
#include "app/Contexte.h"
#include "base/Journaux.h"
#include "db/Base.h"
#include "db/Transaction.h"

namespace tarvo::editions {
namespace {

const QString SousTotal = QStringLiteral("S/T");
const QString Ok = QStringLiteral("OK");
const QString QuantiteIncorrecte = QStringLiteral("Quantité incorrecte");

// Sage quantities are decimal (metres of fabric) with at most six decimals:
// they are summed and compared exactly as whole millionths.
constexpr double Millioniemes = 1e6;

qint64 millioniemes(const db::Requete& r, int colonne) {
    return r.estNul(colonne) ? 0 : qRound64(r.reel(colonne) * Millioniemes);
}

// A sum back as the database stores a quantity: whole when it is.
QVariant quantite(qint64 millioniemes) {
    if (millioniemes % 1000000 == 0)
        return QVariant(millioniemes / 1000000);
    return QVariant(static_cast<double>(millioniemes) / Millioniemes);
}

// The text of a quantity as its column keeps it, with a decimal point.
QString texteQuantite(qint64 millioniemes) {
    return quantite(millioniemes).toString();
}

// The sums of one article, in millionths; 64-bit, so that no shipment is
// too large for them.
struct Groupe {
    QString reference;
    qint64 sommeCde = 0;
    qint64 sommeExp = 0;
    int lignes = 0;
    qint64 enGamme = 0;
};

void ecrireSousTotal(db::Requete& insertion, qint32 spid, qint32 noExp, const Groupe& g) {
    insertion.lier(u":spid", spid)
        .lier(u":noExpedition", noExp)
        .lier(u":reference", g.reference)
        .lier(u":enGamme", g.enGamme)
        .lier(u":qteCde", quantite(g.sommeCde))
        .lier(u":qteExp", quantite(g.sommeExp))
        .lier(u":qteCdeTexte", texteQuantite(g.sommeCde))
        .lier(u":qteExpTexte", texteQuantite(g.sommeExp))
        .lier(u":difference", quantite(g.sommeExp - g.sommeCde))
        .lier(u":controle", g.sommeCde == g.sommeExp ? Ok : QuantiteIncorrecte)
        .executer();
}

QVariant valeurOuNul(const db::Requete& r, int colonne) {
    return r.estNul(colonne) ? QVariant() : r.valeur(colonne);
}

} // namespace

bool exec_command(Contexte& ctx, const db::Base& base, const db::TexteSql& sql,
                  const QString& texte, const std::function<void(db::Requete&)>& lier) {
    try {
        db::Requete r = base.preparer(sql);
        lier(r);
        r.executer();
        return true;
    } catch (const ErreurTarvo& e) {
        TraceErreur(ctx, QStringLiteral("Erreur lors de l'exécution de ") + texte,
                    static_cast<qint32>(e.erreur().numero), e.erreur().description);
        return false;
    }
}

bool prepaEtatControleQteGamme(Contexte& ctx, qint32 noExp, qint32 spid) {
    db::Base base(ctx.cnx.get());
    if (base.moteur() == db::Moteur::SqlServer) {
        const QString texte =
            QStringLiteral("exec prepa_controle_qte_gamme %1,%2").arg(spid).arg(noExp);
        TraceDebug(ctx, texte);
        if (!exec_command(ctx, base, sql::PrepaControleGamme, texte, [&](db::Requete& r) {
                r.lier(u":spid", spid).lier(u":noExpedition", noExp);
            }))
            return false;
    } else if (!prepaEtatControleQteGamme_old(ctx, base, noExp, spid)) {
        return false;
    }
    TraceDebug(ctx, QStringLiteral("prepaEtatControleQteGamme ok"));
    return true;
}

void finPreparation(Contexte& ctx, qint32 spid) {
    const db::Base base(ctx.cnx.get());
    if (base.moteur() == db::Moteur::SqlServer)
        return;
    exec_command(ctx, base, sql::SuppressionControleGamme,
                 QStringLiteral("delete from w_controle_qte_gamme where SPID=") +
                     QString::number(spid),
                 [spid](db::Requete& r) { r.lier(u":spid", spid); });
}

bool prepaEtatControleQteGamme_old(Contexte& ctx, db::Base& base, qint32 noExp, qint32 spid) {
    TraceDebug(ctx,
               QStringLiteral("prepaEtatControleQteGamme SPID=%1 NoExp=%2").arg(spid).arg(noExp));
    db::Transaction transaction(base);
    const QString suppression =
        QStringLiteral("delete from w_controle_qte_gamme where SPID=") + QString::number(spid);
    if (!exec_command(ctx, base, sql::SuppressionControleGamme, suppression,
                      [spid](db::Requete& r) { r.lier(u":spid", spid); }))
        return false;
    TraceDebug(ctx, QStringLiteral("apres ") + suppression);

    db::Requete vue = base.preparer(sql::LignesControleGamme);
    vue.lier(u":noExpedition", noExp);
    TraceDebug(ctx, QStringLiteral("Debut boucle rsV"));
    db::Requete detail = base.preparer(sql::InsertionDetailGamme);
    db::Requete sousTotal = base.preparer(sql::InsertionSousTotalGamme);
    Groupe groupe;
    bool premiere = true;
    int compteur = 0;
    while (vue.suivante()) {
        const QString reference = vue.texte(0);
        const qint64 enGamme = vue.entier(10);
        if (premiere) {
            groupe.enGamme = enGamme;
            premiere = false;
        }
        ++compteur;
        TraceDebug(ctx, QStringLiteral("rsV #%1    %2").arg(compteur).arg(reference));
        if (reference != groupe.reference) {
            if (groupe.enGamme == 1 && groupe.lignes > 0)
                ecrireSousTotal(sousTotal, spid, noExp, groupe);
            groupe = Groupe{reference, 0, 0, 0, groupe.enGamme};
        }
        detail.lier(u":spid", spid)
            .lier(u":noExpedition", noExp)
            .lier(u":reference", valeurOuNul(vue, 0))
            .lier(u":codeBarre", valeurOuNul(vue, 1))
            .lier(u":libelle", valeurOuNul(vue, 2))
            .lier(u":designCouleur", valeurOuNul(vue, 3))
            .lier(u":couleurCde", valeurOuNul(vue, 4))
            .lier(u":couleurExp", valeurOuNul(vue, 5))
            .lier(u":qteCde", valeurOuNul(vue, 6))
            .lier(u":qteExp", valeurOuNul(vue, 7))
            .lier(u":qteCdeTexte", vue.estNul(6) ? QVariant() : QVariant(vue.texte(6)))
            .lier(u":qteExpTexte", vue.estNul(7) ? QVariant() : QVariant(vue.texte(7)))
            .lier(u":controle", valeurOuNul(vue, 8))
            .lier(u":difference", valeurOuNul(vue, 9))
            .lier(u":enGamme", enGamme)
            .executer();
        groupe.sommeCde += millioniemes(vue, 6);
        groupe.sommeExp += millioniemes(vue, 7);
        ++groupe.lignes;
        groupe.enGamme = enGamme;
    }
    if (groupe.enGamme == 1 && groupe.lignes > 0)
        ecrireSousTotal(sousTotal, spid, noExp, groupe);
    TraceDebug(ctx, QStringLiteral("Fin boucle rsV"));
    transaction.valider();
    return true;
}

} // namespace tarvo::editions
