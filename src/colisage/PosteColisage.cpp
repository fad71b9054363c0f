#include "PosteColisage.h"

#include "LectureScan.h"
#include "SqlColisage.h"
#include "base/Clock.h"
#include "base/Francais.h"
#include "db/Base.h"
#include "db/Requete.h"
#include "db/Transaction.h"
#include "terminal/BilanEssai.h"
#include "terminal/Integration.h"
#include "terminal/Saisies.h"

namespace tarvo::colisage {
namespace {

using Effet = terminal::BilanEssai::Effet;

// The weight check's tolerance plays no part at the bench.
constexpr double ToleranceSansObjet = 10;

Reponse reponse(Verdict verdict, QString message) {
    Reponse r;
    r.verdict = verdict;
    r.message = std::move(message);
    return r;
}

Reponse refus(QString message) {
    return reponse(Verdict::Refuse, std::move(message));
}

struct Expedition {
    bool connue = false;
    bool cloturee = false;
    QString libelle;
};

Expedition lireExpedition(const db::Base& base, qint32 n) {
    db::Requete r = base.preparer(sql::EtatExpedition);
    r.lier(u":noExpedition", n);
    Expedition e;
    if (r.suivante()) {
        e.connue = true;
        e.libelle = r.texte(0);
        e.cloturee = !r.estNul(2);
    }
    return e;
}

// The moment of an entry that changes a row last changed at `derniere`: the
// rules apply an entry only when it is more recent than the row.
QString momentSaisie(const Clock& horloge, const QDateTime& derniere) {
    QDateTime t = horloge.maintenant();
    t.setTime(QTime(t.time().hour(), t.time().minute(), t.time().second()));
    if (derniere.isValid() && t <= derniere)
        t = derniere.addSecs(1);
    return t.toString(db::Dialecte::FormatDateHeure);
}

QDateTime miseAJourColisage(const db::Base& base, qint32 n, qint16 colis, const QString& code) {
    db::Requete r = base.preparer(sql::MiseAJourColisage);
    r.lier(u":noExpedition", n).lier(u":colis", qint64(colis)).lier(u":codeBarres", code);
    return r.suivante() ? r.dateHeure(0) : QDateTime();
}

QDateTime miseAJourColis(const db::Base& base, qint32 n, qint16 colis) {
    db::Requete r = base.preparer(sql::Colis);
    r.lier(u":noExpedition", n).lier(u":colis", qint64(colis));
    return r.suivante() ? r.dateHeure(1) : QDateTime();
}

// Journals and applies one entry inside the caller's transaction: true when
// it changed what it was meant to. A row the rules keep (its last change as
// recent, or no date at all) leaves the caller nothing to commit.
bool appliquer(const db::Base& base, const Clock& horloge, const terminal::LigneJournal& entree) {
    terminal::Integration run(base, horloge.maintenant().toString(db::Dialecte::FormatDateHeure));
    terminal::BilanEssai bilan;
    run.setBilan(&bilan);
    terminal::Saisir(run, entree);
    const auto& effets = bilan.expeditions();
    const auto effet = effets.find(entree.noExpedition);
    return effet != effets.end() && (effet->second.effet(Effet::QuantiteModifiee) > 0 ||
                                     effet->second.effet(Effet::PoidsModifie) > 0);
}

// A row without a date, or changed since by a later entry, takes none.
const QString SansEffet = QStringLiteral(
    "Saisie sans effet : cette ligne du colis ne prend pas de saisie (date de mise à jour "
    "absente ou plus récente) ; rien n'est enregistré. Utilisez un autre colis.");

// Why shipment `n` takes no entry, if it takes none.
std::optional<Reponse> refusExpedition(const Expedition& e, qint32 n) {
    if (!e.connue)
        return reponse(Verdict::ExpeditionInconnue,
                       QStringLiteral("Expédition N° %1 inconnue.").arg(n));
    if (e.cloturee)
        return reponse(Verdict::ExpeditionCloturee,
                       QStringLiteral("Expédition N° %1 clôturée.").arg(n));
    return std::nullopt;
}

// The shipment still takes entries: it may have been closed or removed on
// another workstation since it was opened here.
std::optional<Reponse> expeditionFermee(const db::Base& base, const PosteColisage& poste) {
    return refusExpedition(lireExpedition(base, poste.expedition), poste.expedition);
}

qint16 dernierColis(const db::Base& base, qint32 n) {
    db::Requete r = base.preparer(sql::DernierColis);
    r.lier(u":noExpedition", n);
    return r.suivante() && !r.estNul(0) ? static_cast<qint16>(r.entier(0)) : qint16(0);
}

Reponse ouvrir(const db::Base& base, PosteColisage& poste, qint32 n, qint16 colis) {
    const Expedition e = lireExpedition(base, n);
    if (const auto raison = refusExpedition(e, n))
        return *raison;
    if (poste.expedition != n)
        poste.annulables.clear();
    poste.expedition = n;
    poste.libelle = e.libelle;
    // The packer goes on with the last parcel started.
    poste.colis = colis > 0 ? colis : std::max<qint16>(1, dernierColis(base, n));
    return reponse(
        Verdict::Accepte,
        QStringLiteral("Expédition N° %1 (%2), colis %3.").arg(n).arg(e.libelle).arg(poste.colis));
}

Reponse choisirColis(const db::Base& base, PosteColisage& poste, qint16 colis) {
    if (const auto fermee = expeditionFermee(base, poste))
        return *fermee;
    poste.colis = colis;
    return reponse(Verdict::Accepte, QStringLiteral("Colis %1.").arg(colis));
}

Reponse colisSuivant(const db::Base& base, PosteColisage& poste) {
    if (const auto fermee = expeditionFermee(base, poste))
        return *fermee;
    const qint16 suivant = std::max(dernierColis(base, poste.expedition), poste.colis) + 1;
    if (suivant > ColisMaximum)
        return refus(QStringLiteral("Pas de colis après le colis %1.").arg(ColisMaximum));
    poste.colis = static_cast<qint16>(suivant);
    return reponse(Verdict::Accepte, QStringLiteral("Colis %1.").arg(suivant));
}

terminal::LigneJournal entree(const PosteColisage& poste, const QString& type) {
    terminal::LigneJournal e;
    e.codeType = type;
    e.noExpedition = poste.expedition;
    e.colis = poste.colis;
    e.noColis = QString::number(poste.colis);
    return e;
}

Reponse peser(db::Base& base, const Clock& horloge, const PosteColisage& poste, double poids) {
    db::Transaction transaction(base);
    if (const auto fermee = expeditionFermee(base, poste))
        return *fermee;
    terminal::LigneJournal e = entree(poste, QStringLiteral("{EXPFP}"));
    e.poids = poids;
    e.dateSaisie = momentSaisie(horloge, miseAJourColis(base, poste.expedition, poste.colis));
    if (!appliquer(base, horloge, e))
        return refus(SansEffet);
    transaction.valider();
    return reponse(
        Verdict::Accepte,
        QStringLiteral("Colis %1 pesé : %2 kg.").arg(poste.colis).arg(nombreFrancais(poids)));
}

QString designation(const db::Base& base, const QString& code) {
    db::Requete r = base.preparer(sql::Article);
    r.lier(u":codeBarres", code);
    return r.suivante() ? r.texte(0) : QString();
}

Reponse article(db::Base& base, const Clock& horloge, PosteColisage& poste, const QString& code,
                bool forcer) {
    // Read and written under one transaction: what another workstation packs
    // meanwhile counts in the check.
    db::Transaction transaction(base);
    if (const auto fermee = expeditionFermee(base, poste))
        return *fermee;
    QList<suivi::LigneArticle> lignes =
        suivi::LignesDeLExpedition(base, poste.expedition, ToleranceSansObjet).lignes;
    // The packing line takes the bar code as the order gives it.
    const auto ligne = std::find_if(lignes.begin(), lignes.end(), [&code](const auto& l) {
        return l.codeBarres.compare(code, Qt::CaseInsensitive) == 0;
    });
    if (ligne == lignes.end() || ligne->qteCommandee <= 0) {
        if (designation(base, code).isNull())
            return reponse(Verdict::CodeInconnu,
                           QStringLiteral("Code-barres inconnu : %1.").arg(code));
        return reponse(Verdict::HorsCommande,
                       QStringLiteral("Article hors commande : %1 n'est pas commandé dans "
                                      "l'expédition N° %2.")
                           .arg(code)
                           .arg(poste.expedition));
    }
    if (!forcer && ligne->qtePreparee + 1 > ligne->qteCommandee)
        return reponse(Verdict::QuantiteDepassee,
                       QStringLiteral("Quantité dépassée : %1 %2 commandé(s), %3 déjà colisé(s).")
                           .arg(ligne->qteCommandee)
                           .arg(ligne->designation)
                           .arg(ligne->qtePreparee));
    terminal::LigneJournal e = entree(poste, QStringLiteral("{EXPFA}"));
    e.codeBarres = ligne->codeBarres;
    e.quantite = 1;
    e.dateSaisie =
        momentSaisie(horloge, miseAJourColisage(base, poste.expedition, poste.colis, e.codeBarres));
    if (!appliquer(base, horloge, e))
        return refus(SansEffet);
    transaction.valider();
    poste.annulables.prepend({poste.colis, e.codeBarres, e.quantite});
    // Read in the transaction that wrote the entry: it is all they lack.
    ligne->qtePreparee += e.quantite;
    Reponse r = reponse(Verdict::Accepte, QStringLiteral("%1 : colis %2, reste %3.")
                                              .arg(ligne->designation)
                                              .arg(poste.colis)
                                              .arg(ligne->qteCommandee - ligne->qtePreparee));
    r.lignes = std::move(lignes);
    return r;
}

// A withdrawal, as a terminal writes it: the parcel in three characters.
Reponse annuler(db::Base& base, const Clock& horloge, PosteColisage& poste) {
    if (poste.annulables.isEmpty())
        return refus(QStringLiteral("Aucune saisie à annuler."));
    db::Transaction transaction(base);
    if (const auto fermee = expeditionFermee(base, poste))
        return *fermee;
    const ArticleColise dernier = poste.annulables.first();
    terminal::LigneJournal e = entree(poste, QStringLiteral("{EXPSA}"));
    e.colis = dernier.colis;
    e.noColis = QString::number(dernier.colis).rightJustified(3, u' ');
    e.codeBarres = dernier.codeBarres;
    e.quantite = dernier.quantite;
    const QDateTime derniere =
        miseAJourColisage(base, poste.expedition, dernier.colis, dernier.codeBarres);
    if (!derniere.isValid()) {
        poste.annulables.removeFirst();
        return refus(QStringLiteral("Rien à retirer : %1 n'est plus dans le colis %2.")
                         .arg(dernier.codeBarres)
                         .arg(dernier.colis));
    }
    e.dateSaisie = momentSaisie(horloge, derniere);
    if (!appliquer(base, horloge, e))
        return refus(SansEffet);
    transaction.valider();
    poste.annulables.removeFirst();
    return reponse(Verdict::Accepte, QStringLiteral("Saisie annulée : %1 retiré du colis %2.")
                                         .arg(dernier.codeBarres)
                                         .arg(dernier.colis));
}

} // namespace

Reponse Scanner(db::Base& base, const Clock& horloge, PosteColisage& poste, const QString& ligne,
                bool forcer) {
    const Scan scan = LireScan(ligne);
    switch (scan.genre) {
    case Scan::Genre::Illisible:
        return refus(QStringLiteral("Saisie refusée : %1.").arg(scan.motif));
    case Scan::Genre::Expedition:
        return ouvrir(base, poste, scan.expedition, scan.colis);
    case Scan::Genre::CodeBarres:
        if (poste.expedition == 0) {
            const Scan numero = LireScan(QStringLiteral("EXP:") + scan.texte);
            if (numero.genre != Scan::Genre::Expedition)
                return refus(QStringLiteral("Scannez d'abord un numéro d'expédition."));
            return ouvrir(base, poste, numero.expedition, 0);
        }
        return article(base, horloge, poste, scan.texte, forcer);
    default:
        break;
    }
    if (poste.expedition == 0)
        return refus(QStringLiteral("Scannez d'abord un numéro d'expédition."));
    switch (scan.genre) {
    case Scan::Genre::Colis:
        return choisirColis(base, poste, scan.colis);
    case Scan::Genre::ColisSuivant:
        return colisSuivant(base, poste);
    case Scan::Genre::Poids:
        return peser(base, horloge, poste, scan.poids);
    case Scan::Genre::Annulation:
        return annuler(base, horloge, poste);
    default:
        return refus(QStringLiteral("Saisie refusée."));
    }
}

VuePoste LireVuePoste(const db::Base& base, const PosteColisage& poste, const Reponse& reponse) {
    VuePoste vue;
    if (poste.expedition == 0)
        return vue;
    vue.lignes =
        reponse.lignes
            ? *reponse.lignes
            : suivi::LignesDeLExpedition(base, poste.expedition, ToleranceSansObjet).lignes;
    db::Requete colis = base.preparer(sql::Colis);
    colis.lier(u":noExpedition", poste.expedition).lier(u":colis", qint64(poste.colis));
    if (colis.suivante() && !colis.estNul(0))
        vue.poids = colis.reel(0);
    colis.terminer();
    db::Requete contenu = base.preparer(sql::ContenuColis);
    contenu.lier(u":noExpedition", poste.expedition).lier(u":colis", qint64(poste.colis));
    while (contenu.suivante()) {
        ContenuColis c{contenu.texte(0), QString(), contenu.entier(1)};
        for (const suivi::LigneArticle& l : vue.lignes)
            if (l.codeBarres.compare(c.codeBarres, Qt::CaseInsensitive) == 0)
                c.designation = l.designation;
        vue.contenu.append(c);
    }
    return vue;
}

void PreparerSeance(const db::Base& base) {
    constexpr qint32 Aucune = 0;
    lireExpedition(base, Aucune);
    dernierColis(base, Aucune);
    suivi::LignesDeLExpedition(base, Aucune, ToleranceSansObjet);
    miseAJourColis(base, Aucune, 1);
    miseAJourColisage(base, Aucune, 1, QString());
    designation(base, QString());
    db::Requete contenu = base.preparer(sql::ContenuColis);
    contenu.lier(u":noExpedition", Aucune).lier(u":colis", qint64(1));
    contenu.suivante();
}

} // namespace tarvo::colisage
