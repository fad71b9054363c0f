#include "MajColis.h"

namespace tarvo::terminal {
namespace {

db::Requete& lierColis(db::Requete& r, const LigneJournal& e) {
    return r.lier(u":noExpedition", e.noExpedition).lier(u":colis", e.colis);
}

db::Requete& lierColisage(db::Requete& r, const LigneJournal& e) {
    return lierColis(r, e).lier(u":codeBarres", e.codeBarres);
}

using Effet = BilanEssai::Effet;

// The entry's parcel, created when missing, with the entry's weight or none.
// True when it was created.
bool creerColisSiAbsent(Integration& run, const LigneJournal& e, bool avecPoids) {
    db::Requete& r = run.requete(avecPoids ? Integration::CreerColisAvecPoids
                                           : Integration::CreerColisSansPoids);
    lierColis(r, e).lierMoment(u":dateSaisie", e.dateSaisie);
    if (avecPoids)
        r.lier(u":poids", e.poids);
    const bool cree = r.executer() > 0;
    if (cree)
        run.noter(e.noExpedition, Effet::ColisCree);
    return cree;
}

bool expeditionConnue(Integration& run, qint32 noExpedition) {
    db::Requete& s = run.requete(Integration::DateClotureExpedition);
    s.lier(u":noExpedition", noExpedition);
    const bool connue = s.suivante();
    s.terminer();
    return connue;
}

// Closed and unknown shipments take no terminal data: the entry is only
// journaled, and the person told.
bool fermee(Integration& run, const LigneJournal& e) {
    if (!ExpCloturee(run, e.noExpedition))
        return false;
    run.noter(e.noExpedition, Effet::IgnoreeExpeditionFermee);
    const bool connue = expeditionConnue(run, e.noExpedition);
    run.avertissementsLigne()
        << (connue ? QStringLiteral("expédition N° %1 clôturée : saisie seulement journalisée")
                   : QStringLiteral("expédition N° %1 inconnue : saisie seulement journalisée"))
               .arg(e.noExpedition);
    return true;
}

// Notes what an update that needs a more recent entry did.
void noterMiseAJour(Integration& run, const LigneJournal& e, qint64 lignes, Effet effet) {
    run.noter(e.noExpedition, lignes > 0 ? effet : Effet::IgnoreeNonPlusRecente);
}

} // namespace

bool EstMarqueurTous(const QString& champ) {
    return champ.startsWith(QStringLiteral("<To")) || champ.startsWith(QStringLiteral("..."));
}

bool ExpCloturee(Integration& run, qint32 noExpedition) {
    db::Requete& s = run.requete(Integration::DateClotureExpedition);
    s.lier(u":noExpedition", noExpedition);
    const bool cloturee = !s.suivante() || !s.estNul(0);
    s.terminer();
    return cloturee;
}

void AjoutArticleColis(Integration& run, const LigneJournal& e) {
    if (fermee(run, e))
        return;
    creerColisSiAbsent(run, e, false);

    db::Requete& creer = run.requete(Integration::CreerColisage);
    lierColisage(creer, e).lier(u":quantite", e.quantite).lierMoment(u":dateSaisie", e.dateSaisie);
    if (creer.executer() > 0) {
        run.noter(e.noExpedition, Effet::QuantiteModifiee);
        return;
    }
    db::Requete& ajouter = run.requete(Integration::AjouterAuColisage);
    lierColisage(ajouter, e)
        .lier(u":quantite", e.quantite)
        .lierMoment(u":dateSaisie", e.dateSaisie);
    noterMiseAJour(run, e, ajouter.executer(), Effet::QuantiteModifiee);
}

void MajPoidsColis(Integration& run, const LigneJournal& e) {
    if (fermee(run, e))
        return;
    db::Requete& peser = run.requete(Integration::PeserColis);
    lierColis(peser, e).lier(u":poids", e.poids).lierMoment(u":dateSaisie", e.dateSaisie);
    if (peser.executer() > 0) {
        run.noter(e.noExpedition, Effet::PoidsModifie);
        return;
    }
    if (creerColisSiAbsent(run, e, true))
        run.noter(e.noExpedition, Effet::PoidsModifie);
    else
        run.noter(e.noExpedition, Effet::IgnoreeNonPlusRecente);
}

void RetraitArticleColis(Integration& run, const LigneJournal& e) {
    if (fermee(run, e))
        return;
    if (EstMarqueurTous(e.noColis)) {
        run.requete(Integration::SupprimerColisExpedition)
            .lier(u":noExpedition", e.noExpedition)
            .executer();
        run.noter(e.noExpedition, Effet::QuantiteModifiee);
        return;
    }
    // The parcel text reaches the tables as a number; a text that is no
    // number names no parcel.
    bool nombre = false;
    const int colis = e.noColis.trimmed().toInt(&nombre);
    LigneJournal entree = e;
    entree.colis = static_cast<qint16>(std::clamp(colis, -32768, 32767));
    if (!nombre || entree.colis != colis) {
        run.noter(e.noExpedition, Effet::IgnoreeAbsente);
        return;
    }

    db::Requete& s2 = lierColis(run.requete(Integration::ColisExiste), entree);
    const bool existe = s2.suivante();
    s2.terminer();
    if (!existe) {
        run.noter(e.noExpedition, Effet::IgnoreeAbsente);
        return;
    }
    if (EstMarqueurTous(e.codeBarres)) {
        lierColis(run.requete(Integration::SupprimerColis), entree).executer();
        run.noter(e.noExpedition, Effet::QuantiteModifiee);
        return;
    }
    db::Requete& s3 = lierColisage(run.requete(Integration::QuantiteColisageAnterieure), entree)
                          .lierMoment(u":dateSaisie", e.dateSaisie);
    if (!s3.suivante()) {
        run.noter(e.noExpedition, Effet::IgnoreeNonPlusRecente);
        return;
    }
    const qint64 quantite = s3.entier(0);
    s3.terminer();
    run.noter(e.noExpedition, Effet::QuantiteModifiee);
    if (quantite - e.quantite <= 0) {
        lierColisage(run.requete(Integration::SupprimerColisage), entree).executer();
        return;
    }
    lierColisage(run.requete(Integration::RetirerDuColisage), entree)
        .lier(u":quantite", e.quantite)
        .lierMoment(u":dateSaisie", e.dateSaisie)
        .executer();
}

} // namespace tarvo::terminal
