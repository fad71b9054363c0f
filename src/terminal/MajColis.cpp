#include "Integration.h"
#include "SqlTerminal.h"

namespace tarvo::terminal {
namespace {

// The all-articles entries of the article file, and the all-parcels entries a
// terminal may put in the parcel field of a removal.
bool estMarqueurTous(const QString& champ) {
    return champ.startsWith(QStringLiteral("<To")) || champ.startsWith(QStringLiteral("..."));
}

void lierColisage(Instruction& i, int premier, const LigneJournal& e) {
    i.lierEntier(premier, e.noExpedition);
    i.lierEntier(premier + 1, e.colis);
    i.lierTexte(premier + 2, e.codeBarres);
}

// The entry's parcel, created when missing, with the entry's weight or none.
void creerColisSiAbsent(Integration& run, const LigneJournal& e, bool avecPoids) {
    Instruction& i = run.requete(avecPoids ? Integration::CreerColisAvecPoids
                                           : Integration::CreerColisSansPoids);
    int n = 1;
    i.lierEntier(n++, e.noExpedition);
    i.lierEntier(n++, e.colis);
    if (avecPoids)
        i.lierReel(n++, e.poids);
    i.lierTexte(n++, e.dateSaisie);
    i.lierEntier(n++, e.noExpedition);
    i.lierEntier(n, e.colis);
    i.executer();
}

} // namespace

Instruction& Integration::requete(Requete r) {
    static const std::array<const QString*, NombreRequetes> textes = {
        &Sql::JournalArticle,        &Sql::JournalPoids,
        &Sql::DateClotureExpedition, &Sql::CreerColisSansPoids,
        &Sql::CreerColisAvecPoids,   &Sql::PeserColis,
        &Sql::ColisExiste,           &Sql::SupprimerColisExpedition,
        &Sql::SupprimerColis,        &Sql::CreerColisage,
        &Sql::AjouterAuColisage,     &Sql::QuantiteColisageAnterieure,
        &Sql::RetirerDuColisage,     &Sql::SupprimerColisage,
    };
    std::unique_ptr<Instruction>& i = requetes_[r];
    if (!i)
        i = acces_.preparer(*textes[r]);
    return *i;
}

bool ExpCloturee(Integration& run, qint32 noExpedition) {
    Instruction& s = run.requete(Integration::DateClotureExpedition);
    s.lierEntier(1, noExpedition);
    const bool cloturee = !s.suivante() || !s.estNul(0);
    s.terminer();
    return cloturee;
}

void AjoutArticleColis(Integration& run, const LigneJournal& e) {
    if (ExpCloturee(run, e.noExpedition))
        return;
    creerColisSiAbsent(run, e, false);

    Instruction& creer = run.requete(Integration::CreerColisage);
    lierColisage(creer, 1, e);
    creer.lierEntier(4, e.quantite);
    creer.lierTexte(5, e.dateSaisie);
    lierColisage(creer, 6, e);
    if (creer.executer() > 0)
        return;
    Instruction& ajouter = run.requete(Integration::AjouterAuColisage);
    ajouter.lierEntier(1, e.quantite);
    ajouter.lierTexte(2, e.dateSaisie);
    lierColisage(ajouter, 3, e);
    ajouter.lierTexte(6, e.dateSaisie);
    ajouter.executer();
}

void MajPoidsColis(Integration& run, const LigneJournal& e) {
    if (ExpCloturee(run, e.noExpedition))
        return;
    Instruction& peser = run.requete(Integration::PeserColis);
    peser.lierReel(1, e.poids);
    peser.lierTexte(2, e.dateSaisie);
    peser.lierEntier(3, e.noExpedition);
    peser.lierEntier(4, e.colis);
    peser.lierTexte(5, e.dateSaisie);
    if (peser.executer() > 0)
        return;
    creerColisSiAbsent(run, e, true);
}

void RetraitArticleColis(Integration& run, const LigneJournal& e) {
    if (ExpCloturee(run, e.noExpedition))
        return;
    if (estMarqueurTous(e.noColis)) {
        Instruction& d1 = run.requete(Integration::SupprimerColisExpedition);
        d1.lierEntier(1, e.noExpedition);
        d1.executer();
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

    Instruction& s2 = run.requete(Integration::ColisExiste);
    s2.lierEntier(1, e.noExpedition);
    s2.lierEntier(2, entree.colis);
    const bool existe = s2.suivante();
    s2.terminer();
    if (!existe)
        return;
    if (estMarqueurTous(e.codeBarres)) {
        Instruction& d2 = run.requete(Integration::SupprimerColis);
        d2.lierEntier(1, e.noExpedition);
        d2.lierEntier(2, entree.colis);
        d2.executer();
        return;
    }
    Instruction& s3 = run.requete(Integration::QuantiteColisageAnterieure);
    lierColisage(s3, 1, entree);
    s3.lierTexte(4, e.dateSaisie);
    if (!s3.suivante())
        return;
    const qint64 quantite = s3.entier(0);
    s3.terminer();
    if (quantite - e.quantite <= 0) {
        Instruction& d3 = run.requete(Integration::SupprimerColisage);
        lierColisage(d3, 1, entree);
        d3.executer();
        return;
    }
    Instruction& retirer = run.requete(Integration::RetirerDuColisage);
    retirer.lierEntier(1, e.quantite);
    retirer.lierTexte(2, e.dateSaisie);
    lierColisage(retirer, 3, entree);
    retirer.executer();
}

} // namespace tarvo::terminal
