#include "MajColis.h"

namespace tarvo::terminal {
namespace {

// The all-articles entries of the article file, and the all-parcels entries a
// terminal may put in the parcel field of a removal.
bool estMarqueurTous(const QString& champ) {
    return champ.startsWith(QStringLiteral("<To")) || champ.startsWith(QStringLiteral("..."));
}

db::Requete& lierColis(db::Requete& r, const LigneJournal& e) {
    return r.lier(u":noExpedition", e.noExpedition).lier(u":colis", e.colis);
}

db::Requete& lierColisage(db::Requete& r, const LigneJournal& e) {
    return lierColis(r, e).lier(u":codeBarres", e.codeBarres);
}

// The entry's parcel, created when missing, with the entry's weight or none.
void creerColisSiAbsent(Integration& run, const LigneJournal& e, bool avecPoids) {
    db::Requete& r = run.requete(avecPoids ? Integration::CreerColisAvecPoids
                                           : Integration::CreerColisSansPoids);
    lierColis(r, e).lier(u":dateSaisie", e.dateSaisie);
    if (avecPoids)
        r.lier(u":poids", e.poids);
    r.executer();
}

} // namespace

bool ExpCloturee(Integration& run, qint32 noExpedition) {
    db::Requete& s = run.requete(Integration::DateClotureExpedition);
    s.lier(u":noExpedition", noExpedition);
    const bool cloturee = !s.suivante() || !s.estNul(0);
    s.terminer();
    return cloturee;
}

void AjoutArticleColis(Integration& run, const LigneJournal& e) {
    if (ExpCloturee(run, e.noExpedition))
        return;
    creerColisSiAbsent(run, e, false);

    db::Requete& creer = run.requete(Integration::CreerColisage);
    lierColisage(creer, e).lier(u":quantite", e.quantite).lier(u":dateSaisie", e.dateSaisie);
    if (creer.executer() > 0)
        return;
    db::Requete& ajouter = run.requete(Integration::AjouterAuColisage);
    lierColisage(ajouter, e).lier(u":quantite", e.quantite).lier(u":dateSaisie", e.dateSaisie);
    ajouter.executer();
}

void MajPoidsColis(Integration& run, const LigneJournal& e) {
    if (ExpCloturee(run, e.noExpedition))
        return;
    db::Requete& peser = run.requete(Integration::PeserColis);
    lierColis(peser, e).lier(u":poids", e.poids).lier(u":dateSaisie", e.dateSaisie);
    if (peser.executer() > 0)
        return;
    creerColisSiAbsent(run, e, true);
}

void RetraitArticleColis(Integration& run, const LigneJournal& e) {
    if (ExpCloturee(run, e.noExpedition))
        return;
    if (estMarqueurTous(e.noColis)) {
        run.requete(Integration::SupprimerColisExpedition)
            .lier(u":noExpedition", e.noExpedition)
            .executer();
        return;
    }
    // The parcel text reaches the tables as a number; a text that is no
    // number names no parcel.
    bool nombre = false;
    const int colis = e.noColis.trimmed().toInt(&nombre);
    if (!nombre)
        return;
    LigneJournal entree = e;
    entree.colis = static_cast<qint16>(std::clamp(colis, -32768, 32767));
    if (entree.colis != colis)
        return;

    db::Requete& s2 = lierColis(run.requete(Integration::ColisExiste), entree);
    const bool existe = s2.suivante();
    s2.terminer();
    if (!existe)
        return;
    if (estMarqueurTous(e.codeBarres)) {
        lierColis(run.requete(Integration::SupprimerColis), entree).executer();
        return;
    }
    db::Requete& s3 = lierColisage(run.requete(Integration::QuantiteColisageAnterieure), entree)
                          .lier(u":dateSaisie", e.dateSaisie);
    if (!s3.suivante())
        return;
    const qint64 quantite = s3.entier(0);
    s3.terminer();
    if (quantite - e.quantite <= 0) {
        lierColisage(run.requete(Integration::SupprimerColisage), entree).executer();
        return;
    }
    lierColisage(run.requete(Integration::RetirerDuColisage), entree)
        .lier(u":quantite", e.quantite)
        .lier(u":dateSaisie", e.dateSaisie)
        .executer();
}

} // namespace tarvo::terminal
