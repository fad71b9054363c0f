#include "Saisies.h"

#include "LectureChamps.h"
#include "MajColis.h"
#include "base/Erreur.h"
#include "base/FormesMessages.h"

namespace tarvo::terminal {
namespace {

const QString NomExpedition = QStringLiteral("numéro d'expédition");
const QString NomColis = QStringLiteral("numéro de colis");
const QString NomQuantite = QStringLiteral("quantité");
const QString NomPoids = QStringLiteral("poids du colis");

// Some terminals put one stray character before the entry date: the line is
// read as if that character were not there.
QByteArray sansColonne22(QByteArrayView ligne) {
    QByteArray corrigee = ligne.first(std::min<qsizetype>(21, ligne.size())).toByteArray();
    if (ligne.size() > 22)
        corrigee.append(ligne.sliced(22));
    return corrigee;
}

// The columns both journal forms share.
db::Requete& lierJournal(Integration& run, Integration::Preparee p, const LigneJournal& e) {
    return run.requete(p)
        .lier(u":codeType", e.codeType)
        .lier(u":noExpedition", e.noExpedition)
        .lier(u":noColis", e.noColis)
        .lierMoment(u":dateSaisie", e.dateSaisie)
        .lierMoment(u":dateIntegration", run.dateIntegration());
}

void journaliserArticle(Integration& run, const LigneJournal& e) {
    lierJournal(run, Integration::JournalArticle, e)
        .lier(u":codeBarres", e.codeBarres)
        .lier(u":poids", 0.0)
        .lier(u":quantite", e.quantite)
        .executer();
}

void journaliserPoids(Integration& run, const LigneJournal& e) {
    lierJournal(run, Integration::JournalPoids, e).lier(u":poids", e.poids).executer();
}

// An article put into a parcel, from the fields of either article form.
struct ColonnesArticle {
    qsizetype colis, largeurColis, date, heure, codeBarres, quantite;
};

// An article the table does not know, or a negative quantity, goes in as
// read; the person is told.
void verifierArticle(Integration& run, const LectureChamps& l, const LigneJournal& e,
                     QByteArrayView codeBarres, QByteArrayView quantite) {
    if (e.quantite < 0)
        l.avertir(QStringLiteral("quantité négative %1").arg(citation(quantite)));
    if (!run.articleConnu(e.codeBarres))
        l.avertir(QStringLiteral("code-barres %1 absent de la table des articles")
                      .arg(citation(codeBarres)));
}

void saisieArticle(Integration& run, QByteArrayView ligne, const QString& code,
                   const ColonnesArticle& c) {
    const LectureChamps l(ligne, QStringLiteral("Saisie") + code.mid(1, 5),
                          &run.avertissementsLigne());
    LigneJournal e;
    e.codeType = code;
    e.noExpedition = l.entier32(l.champ(5, 6), NomExpedition);
    e.colis = l.entier16(l.champ(c.colis, c.largeurColis), NomColis);
    e.noColis = QString::number(e.colis);
    e.dateSaisie = l.moment(l.champ(c.date, 10), l.champ(c.heure, 8));
    const QByteArrayView codeBarres = l.champ(c.codeBarres, 13);
    e.codeBarres = LectureChamps::texte(codeBarres);
    const QByteArrayView quantite = l.champ(c.quantite, 3);
    e.quantite = l.entier16(quantite, NomQuantite);
    verifierArticle(run, l, e, codeBarres, quantite);
    Saisir(run, e);
}

// A parcel's weight, from the fields of either weight form. The weight runs
// from column 42 to the next comma in both.
struct ColonnesPoids {
    qsizetype expedition, colis, largeurColis, date, heure;
};

void saisiePoids(Integration& run, QByteArrayView ligne, const QString& code,
                 const ColonnesPoids& c) {
    const LectureChamps l(ligne, QStringLiteral("Saisie") + code.mid(1, 5),
                          &run.avertissementsLigne());
    LigneJournal e;
    e.codeType = code;
    e.noExpedition = l.entier32(l.champ(c.expedition, 6), NomExpedition);
    e.colis = l.entier16(l.champ(c.colis, c.largeurColis), NomColis);
    e.noColis = QString::number(e.colis);
    e.dateSaisie = l.moment(l.champ(c.date, 10), l.champ(c.heure, 8));
    const QByteArrayView poids = l.jusquAVirgule(42);
    e.poids = l.reel32(poids, NomPoids);
    if (e.poids < 0)
        l.avertir(QStringLiteral("poids du colis négatif %1").arg(citation(poids)));
    Saisir(run, e);
}

} // namespace

void Saisir(Integration& run, const LigneJournal& entree) {
    run.noterLigne(entree.noExpedition);
    if (entree.codeType == u"{EXPFP}" || entree.codeType == u"{EXPXP}") {
        journaliserPoids(run, entree);
        MajPoidsColis(run, entree);
    } else if (entree.codeType == u"{EXPSA}") {
        journaliserArticle(run, entree);
        RetraitArticleColis(run, entree);
    } else if (entree.codeType == u"{EXPFA}" || entree.codeType == u"{EXPXA}") {
        journaliserArticle(run, entree);
        AjoutArticleColis(run, entree);
    } else {
        throw ErreurTarvo(NumeroErreurLigne::ArgumentIncorrect, QStringLiteral("Saisir"),
                          QStringLiteral("Type de saisie inconnu : %1.").arg(entree.codeType));
    }
}

void TraiteLigne(Integration& run, QByteArrayView ligne) {
    const qsizetype accolade = ligne.indexOf('{');
    if (accolade < 0)
        throw ErreurTarvo(NumeroErreurLigne::ArgumentIncorrect, QStringLiteral("TraiteLigne"),
                          QStringLiteral("La ligne ne porte aucun code de type (« { » absent)."));
    const QByteArrayView code =
        ligne.sliced(accolade).first(std::min<qsizetype>(7, ligne.size() - accolade));
    if (code == "{EXPFA}")
        SaisieEXPFA(run, ligne);
    else if (code == "{EXPXA}")
        SaisieEXPXA(run, ligne);
    else if (code == "{EXPFP}")
        SaisieEXPFP(run, ligne);
    else if (code == "{EXPXP}")
        SaisieEXPXP(run, ligne);
    else if (code == "{EXPSA}")
        SaisieEXPSA(run, ligne);
}

void SaisieEXPXA(Integration& run, QByteArrayView ligne) {
    const bool correcte = ligne.size() >= 22 && ligne[21] == ',';
    const QByteArray corrigee = correcte ? QByteArray() : sansColonne22(ligne);
    saisieArticle(run, correcte ? ligne : QByteArrayView(corrigee), QStringLiteral("{EXPXA}"),
                  {18, 3, 23, 34, 43, 57});
}

void SaisieEXPFA(Integration& run, QByteArrayView ligne) {
    saisieArticle(run, ligne, QStringLiteral("{EXPFA}"), {19, 2, 22, 33, 42, 56});
}

void SaisieEXPFP(Integration& run, QByteArrayView ligne) {
    saisiePoids(run, ligne, QStringLiteral("{EXPFP}"), {5, 39, 2, 13, 24});
}

void SaisieEXPXP(Integration& run, QByteArrayView ligne) {
    saisiePoids(run, ligne, QStringLiteral("{EXPXP}"), {25, 38, 3, 1, 12});
}

void SaisieEXPSA(Integration& run, QByteArrayView ligne) {
    const bool correcte = ligne.sliced(std::min<qsizetype>(20, ligne.size())).startsWith(",,2");
    const QByteArray corrigee = correcte ? QByteArray() : sansColonne22(ligne);
    const LectureChamps l(correcte ? ligne : QByteArrayView(corrigee),
                          QStringLiteral("SaisieEXPSA"), &run.avertissementsLigne());
    LigneJournal e;
    e.codeType = QStringLiteral("{EXPSA}");
    e.noExpedition = l.entier32(l.champ(5, 6), NomExpedition);
    // Kept as the terminal wrote it: it may be an all-parcels entry.
    e.noColis = LectureChamps::texte(l.champ(18, 3));
    e.dateSaisie = l.moment(l.champ(23, 10), l.champ(34, 8));
    qsizetype suite = 0;
    const QByteArrayView codeBarres = l.jusquAVirgule(43, &suite);
    e.codeBarres = LectureChamps::texte(codeBarres);
    const QByteArrayView quantite = l.jusquAVirgule(suite);
    e.quantite = l.entier16(quantite, NomQuantite);
    // The all-articles entry names no article.
    if (!EstMarqueurTous(e.codeBarres))
        verifierArticle(run, l, e, codeBarres, quantite);
    Saisir(run, e);
}

} // namespace tarvo::terminal
