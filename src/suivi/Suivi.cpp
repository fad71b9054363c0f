#include "Suivi.h"

#include "SqlSuivi.h"
#include "base/Erreur.h"
#include "base/Francais.h"
#include "base/Ini.h"
#include "db/Base.h"
#include "db/Requete.h"

#include <QSet>
#include <algorithm>
#include <cmath>

namespace tarvo::suivi {
namespace {

const QString FormatMoment = QStringLiteral("dd/MM/yyyy HH:mm:ss");
constexpr double ToleranceParDefaut = 10;

QString moment(const QDateTime& d) {
    return d.isValid() ? d.toString(FormatMoment) : QString();
}

QString nombre(qint64 n) {
    return QString::number(n);
}

// One decimal at most: "87,5", "100".
QString pourcent(std::optional<double> p) {
    return p ? nombreFrancais(std::round(*p * 10) / 10) : QString();
}

std::optional<double> part(qint64 preparee, qint64 commandee) {
    if (commandee == 0)
        return std::nullopt;
    return 100.0 * static_cast<double>(preparee) / static_cast<double>(commandee);
}

} // namespace

QString texteEtat(EtatPreparation etat) {
    switch (etat) {
    case EtatPreparation::NonCommencee:
        return QStringLiteral("Non commencée");
    case EtatPreparation::EnCours:
        return QStringLiteral("En cours");
    case EtatPreparation::Complete:
        return QStringLiteral("Complète");
    case EtatPreparation::Ecart:
        return QStringLiteral("Écart");
    case EtatPreparation::Close:
        return QStringLiteral("Close");
    }
    return {};
}

double TolerancePoids(Environnement& env) {
    QString texte;
    try {
        texte =
            LireIni(env, QStringLiteral("TolerancePoids"), QStringLiteral("[CONTROLE]")).trimmed();
    } catch (const SectionIniIntrouvable&) {
        return ToleranceParDefaut;
    }
    if (texte.isEmpty())
        return ToleranceParDefaut;
    bool lu = false;
    const double tolerance = QString(texte).replace(u',', u'.').toDouble(&lu);
    if (!lu || !std::isfinite(tolerance) || tolerance < 0)
        throw ErreurTarvo(NumeroErreur::DonneeInvalide, QStringLiteral("Contrôle des poids"),
                          QStringLiteral("La tolérance de poids de %1 ([CONTROLE] "
                                         "TolerancePoids) doit être un pourcentage positif, "
                                         "comme 10 ou 7,5 : « %2 » ne l'est pas.")
                              .arg(NomFichierIni, texte));
    return tolerance;
}

std::optional<double> LigneSuivi::pourcentPrepare() const {
    return part(qtePreparee, qteCommandee);
}

std::optional<double> TotauxSuivi::pourcentPrepare() const {
    return part(qtePreparee, qteCommandee);
}

EtatPreparation EtatDe(const LigneSuivi& l) {
    if (l.dateCloture.isValid())
        return EtatPreparation::Close;
    if (l.lignesEnSurplus > 0)
        return EtatPreparation::Ecart;
    if (l.qtePreparee == 0)
        return EtatPreparation::NonCommencee;
    if (l.lignes > 0 && l.lignesEnEcart == 0 && l.colisReels > 0 && l.colisPeses == l.colisReels)
        return EtatPreparation::Complete;
    return EtatPreparation::EnCours;
}

const QStringList& ColonnesSuivi() {
    static const QStringList colonnes{QStringLiteral("No Expédition"),
                                      QStringLiteral("Libellé 1"),
                                      QStringLiteral("Commandes"),
                                      QStringLiteral("Lignes"),
                                      QStringLiteral("Qté commandée"),
                                      QStringLiteral("Qté préparée"),
                                      QStringLiteral("% préparé"),
                                      QStringLiteral("Lignes en écart"),
                                      QStringLiteral("Colis théoriques"),
                                      QStringLiteral("Colis réels"),
                                      QStringLiteral("Colis pesés"),
                                      QStringLiteral("Colis suspects"),
                                      QStringLiteral("Dernière saisie"),
                                      QStringLiteral("Dernière intégration"),
                                      QStringLiteral("État")};
    return colonnes;
}

QStringList TextesLigne(const LigneSuivi& l) {
    return {nombre(l.noExpedition),
            l.libelle1,
            nombre(l.commandes),
            nombre(l.lignes),
            nombre(l.qteCommandee),
            nombre(l.qtePreparee),
            pourcent(l.pourcentPrepare()),
            nombre(l.lignesEnEcart),
            nombre(l.colisTheoriques),
            nombre(l.colisReels),
            nombre(l.colisPeses),
            nombre(l.colisSuspects),
            moment(l.derniereSaisie),
            moment(l.derniereIntegration),
            texteEtat(l.etat)};
}

QList<LigneSuivi> LireSuivi(const db::Base& base, bool closes, double tolerance) {
    db::Requete r = base.preparer(sql::Suivi);
    r.lier(u":closes", closes ? 1 : 0).lier(u":tolerance", tolerance);
    QList<LigneSuivi> lignes;
    while (r.suivante()) {
        LigneSuivi l;
        l.noExpedition = static_cast<qint32>(r.entier(0));
        l.libelle1 = r.texte(1);
        l.dateCloture = r.dateHeure(2);
        l.colisTheoriques = r.entier(3);
        l.commandes = r.entier(4);
        l.lignes = r.entier(5);
        l.qteCommandee = r.entier(6);
        l.qtePreparee = r.entier(7);
        l.lignesEnEcart = r.entier(8);
        l.lignesEnSurplus = r.entier(9);
        l.colisReels = r.entier(10);
        l.colisPeses = r.entier(11);
        l.colisSuspects = r.entier(12);
        l.derniereSaisie = r.dateHeure(13);
        l.derniereIntegration = r.dateHeure(14);
        l.etat = EtatDe(l);
        lignes.append(std::move(l));
    }
    return lignes;
}

std::optional<QList<LigneSuivi>> RafraichirOuvertes(const QList<LigneSuivi>& affichees,
                                                    QList<LigneSuivi> ouvertes) {
    QSet<qint32> relues;
    for (const LigneSuivi& l : ouvertes)
        relues.insert(l.noExpedition);
    QList<LigneSuivi> lignes = std::move(ouvertes);
    for (const LigneSuivi& l : affichees) {
        // A shipment opened again since comes with the open ones.
        if (relues.contains(l.noExpedition))
            continue;
        if (l.etat != EtatPreparation::Close)
            return std::nullopt;
        lignes.append(l);
    }
    std::sort(lignes.begin(), lignes.end(), [](const LigneSuivi& a, const LigneSuivi& b) {
        return a.noExpedition < b.noExpedition;
    });
    return lignes;
}

TotauxSuivi Totaliser(const QList<LigneSuivi>& lignes) {
    TotauxSuivi t;
    for (const LigneSuivi& l : lignes) {
        ++t.expeditions;
        t.commandes += l.commandes;
        t.lignes += l.lignes;
        t.qteCommandee += l.qteCommandee;
        t.qtePreparee += l.qtePreparee;
        t.lignesEnEcart += l.lignesEnEcart;
        t.colisTheoriques += l.colisTheoriques;
        t.colisReels += l.colisReels;
        t.colisPeses += l.colisPeses;
        t.colisSuspects += l.colisSuspects;
    }
    return t;
}

QStringList TextesTotaux(const TotauxSuivi& t) {
    const QString expeditions =
        t.expeditions > 1 ? QStringLiteral("%1 expéditions") : QStringLiteral("%1 expédition");
    return {QStringLiteral("Total"),
            expeditions.arg(t.expeditions),
            nombre(t.commandes),
            nombre(t.lignes),
            nombre(t.qteCommandee),
            nombre(t.qtePreparee),
            pourcent(t.pourcentPrepare()),
            nombre(t.lignesEnEcart),
            nombre(t.colisTheoriques),
            nombre(t.colisReels),
            nombre(t.colisPeses),
            nombre(t.colisSuspects),
            QString(),
            QString(),
            QString()};
}

MarqueIntegration LireMarqueIntegration(const db::Base& base) {
    db::Requete r = base.preparer(sql::MarqueIntegration);
    MarqueIntegration marque;
    if (r.suivante()) {
        marque.fichiers = r.entier(0);
        marque.derniere = r.dateHeure(1);
    }
    return marque;
}

} // namespace tarvo::suivi
