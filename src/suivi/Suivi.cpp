#include "Suivi.h"

#include "SqlSuivi.h"
#include "base/Erreur.h"
#include "base/Francais.h"
#include "base/Ini.h"
#include "db/Base.h"
#include "db/OrdreFrancais.h"
#include "db/Requete.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <limits>

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

// A missing moment sorts before every other.
CleTri instant(const QDateTime& d) {
    return d.isValid() ? static_cast<double>(d.toMSecsSinceEpoch())
                       : -std::numeric_limits<double>::infinity();
}

CleTri valeur(qint64 n) {
    return static_cast<double>(n);
}

QString sansTotal(const TotauxSuivi&) {
    return {};
}

// A count of the row, summed on the totals row.
DefinitionColonne compte(ColonneSuivi colonne, const QString& titre, qint64 LigneSuivi::*champ,
                         qint64 TotauxSuivi::*somme) {
    return {colonne,
            titre,
            db::Genre::Nombre,
            [champ](const LigneSuivi& l) { return nombre(l.*champ); },
            [champ](const LigneSuivi& l) { return valeur(l.*champ); },
            [somme](const TotauxSuivi& t) { return nombre(t.*somme); }};
}

// A moment of the row, with nothing on the totals row.
DefinitionColonne momentDe(ColonneSuivi colonne, const QString& titre,
                           QDateTime LigneSuivi::*champ) {
    return {colonne,
            titre,
            db::Genre::Date,
            [champ](const LigneSuivi& l) { return moment(l.*champ); },
            [champ](const LigneSuivi& l) { return instant(l.*champ); },
            sansTotal};
}

std::optional<double> part(qint64 preparee, qint64 commandee) {
    if (commandee == 0)
        return std::nullopt;
    return 100.0 * static_cast<double>(preparee) / static_cast<double>(commandee);
}

} // namespace

int ComparerCles(const CleTri& a, const CleTri& b) {
    if (const auto* x = std::get_if<double>(&a))
        if (const auto* y = std::get_if<double>(&b))
            return *x < *y ? -1 : (*y < *x ? 1 : 0);
    // A column holds keys of one kind: numbers before texts only for a
    // total order.
    if (a.index() != b.index())
        return a.index() < b.index() ? -1 : 1;
    const QByteArray& x = std::get<QByteArray>(a);
    const QByteArray& y = std::get<QByteArray>(b);
    return db::ordre::Comparer(std::string_view(x.constData(), static_cast<std::size_t>(x.size())),
                               std::string_view(y.constData(), static_cast<std::size_t>(y.size())));
}

QString texteEtat(EtatPreparation etat) {
    switch (etat) {
    case EtatPreparation::NonCommencee:
        return QStringLiteral("Non commencée");
    case EtatPreparation::EnCours:
        return QStringLiteral("En cours");
    case EtatPreparation::Complete:
        return QStringLiteral("Complète");
    case EtatPreparation::CompleteSuspects:
        return QStringLiteral("Complète, colis suspects");
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
    if (l.lignes > 0 && l.lignesEnEcart == 0 && l.colisScannes > 0 &&
        l.colisPeses == l.colisScannes)
        return l.colisSuspects > 0 ? EtatPreparation::CompleteSuspects : EtatPreparation::Complete;
    return EtatPreparation::EnCours;
}

const QList<DefinitionColonne>& TableSuivi() {
    using C = ColonneSuivi;
    static const QList<DefinitionColonne> table{
        {C::NoExpedition, QStringLiteral("No Expédition"), db::Genre::Nombre,
         [](const LigneSuivi& l) { return nombre(l.noExpedition); },
         [](const LigneSuivi& l) { return valeur(l.noExpedition); },
         [](const TotauxSuivi&) { return QStringLiteral("Total"); }},
        // What a clerk reads first: next to the number, in view without
        // scrolling.
        {C::Etat, QStringLiteral("État"), db::Genre::Texte,
         [](const LigneSuivi& l) { return texteEtat(l.etat); },
         [](const LigneSuivi& l) { return valeur(static_cast<int>(l.etat)); }, sansTotal},
        {C::Libelle1, QStringLiteral("Libellé 1"), db::Genre::Texte,
         [](const LigneSuivi& l) { return l.libelle1; },
         [](const LigneSuivi& l) { return CleTri(l.libelle1.toUtf8()); },
         [](const TotauxSuivi& t) {
             const QString expeditions = t.expeditions > 1 ? QStringLiteral("%1 expéditions")
                                                           : QStringLiteral("%1 expédition");
             return expeditions.arg(t.expeditions);
         }},
        compte(C::Commandes, QStringLiteral("Commandes"), &LigneSuivi::commandes,
               &TotauxSuivi::commandes),
        compte(C::Lignes, QStringLiteral("Lignes"), &LigneSuivi::lignes, &TotauxSuivi::lignes),
        compte(C::QteCommandee, QStringLiteral("Qté commandée"), &LigneSuivi::qteCommandee,
               &TotauxSuivi::qteCommandee),
        compte(C::QtePreparee, QStringLiteral("Qté préparée"), &LigneSuivi::qtePreparee,
               &TotauxSuivi::qtePreparee),
        {C::PourcentPrepare, QStringLiteral("% préparé"), db::Genre::Nombre,
         [](const LigneSuivi& l) { return pourcent(l.pourcentPrepare()); },
         // Nothing ordered sorts before 0 %.
         [](const LigneSuivi& l) { return CleTri(l.pourcentPrepare().value_or(-1.0)); },
         [](const TotauxSuivi& t) { return pourcent(t.pourcentPrepare()); }},
        compte(C::LignesEnEcart, QStringLiteral("Lignes en écart"), &LigneSuivi::lignesEnEcart,
               &TotauxSuivi::lignesEnEcart),
        compte(C::ColisTheoriques, QStringLiteral("Colis théoriques"), &LigneSuivi::colisTheoriques,
               &TotauxSuivi::colisTheoriques),
        compte(C::ColisScannes, QStringLiteral("Colis scannés"), &LigneSuivi::colisScannes,
               &TotauxSuivi::colisScannes),
        compte(C::ColisPeses, QStringLiteral("Colis pesés"), &LigneSuivi::colisPeses,
               &TotauxSuivi::colisPeses),
        compte(C::ColisSuspects, QStringLiteral("Colis suspects"), &LigneSuivi::colisSuspects,
               &TotauxSuivi::colisSuspects),
        momentDe(C::DerniereSaisie, QStringLiteral("Dernière saisie"), &LigneSuivi::derniereSaisie),
        momentDe(C::DerniereIntegration, QStringLiteral("Dernière intégration"),
                 &LigneSuivi::derniereIntegration),
    };
    return table;
}

int RangColonne(ColonneSuivi colonne) {
    static const QHash<ColonneSuivi, int> rangs = [] {
        QHash<ColonneSuivi, int> r;
        for (int c = 0; c < TableSuivi().size(); ++c)
            r.insert(TableSuivi().at(c).colonne, c);
        return r;
    }();
    return rangs.value(colonne, -1);
}

const QStringList& ColonnesSuivi() {
    static const QStringList colonnes = [] {
        QStringList titres;
        for (const DefinitionColonne& d : TableSuivi())
            titres << d.titre;
        return titres;
    }();
    return colonnes;
}

QStringList TextesLigne(const LigneSuivi& l) {
    QStringList textes;
    textes.reserve(TableSuivi().size());
    for (const DefinitionColonne& d : TableSuivi())
        textes << d.texte(l);
    return textes;
}

QList<LigneSuivi> LireSuivi(const db::Base& base, bool closes, double tolerance,
                            std::stop_token arret) {
    db::Requete r = base.preparer(sql::Suivi);
    r.lier(u":closes", closes ? 1 : 0).lier(u":tolerance", tolerance);
    QList<LigneSuivi> lignes;
    using sql::ChampSuivi;
    using sql::rang;
    while (!arret.stop_requested() && r.suivante()) {
        LigneSuivi l;
        l.noExpedition = static_cast<qint32>(r.entier(rang(ChampSuivi::NoExpedition)));
        l.libelle1 = r.texte(rang(ChampSuivi::Libelle1));
        l.dateCloture = r.dateHeure(rang(ChampSuivi::DateCloture));
        l.colisTheoriques = r.entier(rang(ChampSuivi::ColisTheoriques));
        l.commandes = r.entier(rang(ChampSuivi::Commandes));
        l.lignes = r.entier(rang(ChampSuivi::Lignes));
        l.qteCommandee = r.entier(rang(ChampSuivi::QteCommandee));
        l.qtePreparee = r.entier(rang(ChampSuivi::QtePreparee));
        l.lignesEnEcart = r.entier(rang(ChampSuivi::LignesEnEcart));
        l.lignesEnSurplus = r.entier(rang(ChampSuivi::LignesEnSurplus));
        l.colisScannes = r.entier(rang(ChampSuivi::Colis));
        l.colisPeses = r.entier(rang(ChampSuivi::ColisPeses));
        l.colisSuspects = r.entier(rang(ChampSuivi::ColisSuspects));
        l.derniereSaisie = r.dateHeure(rang(ChampSuivi::DerniereSaisie));
        l.derniereIntegration = r.dateHeure(rang(ChampSuivi::DerniereIntegration));
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

namespace {

void ajouter(TotauxSuivi& t, const LigneSuivi& l) {
    ++t.expeditions;
    t.commandes += l.commandes;
    t.lignes += l.lignes;
    t.qteCommandee += l.qteCommandee;
    t.qtePreparee += l.qtePreparee;
    t.lignesEnEcart += l.lignesEnEcart;
    t.colisTheoriques += l.colisTheoriques;
    t.colisScannes += l.colisScannes;
    t.colisPeses += l.colisPeses;
    t.colisSuspects += l.colisSuspects;
}

} // namespace

TotauxSuivi Totaliser(const QList<LigneSuivi>& lignes) {
    TotauxSuivi t;
    for (const LigneSuivi& l : lignes)
        ajouter(t, l);
    return t;
}

TotauxSuivi Totaliser(const QList<LigneSuivi>& lignes, const std::vector<int>& rangs) {
    TotauxSuivi t;
    for (const int r : rangs)
        ajouter(t, lignes.at(r));
    return t;
}

QStringList TextesTotaux(const TotauxSuivi& t) {
    QStringList textes;
    textes.reserve(TableSuivi().size());
    for (const DefinitionColonne& d : TableSuivi())
        textes << d.total(t);
    return textes;
}

MarqueIntegration LireMarqueIntegration(const db::Base& base) {
    db::Requete r = base.preparer(sql::MarqueIntegration);
    MarqueIntegration marque;
    if (r.suivante()) {
        marque.fichiers = r.entier(0);
        marque.derniere = r.dateHeure(1);
        marque.saisies = r.estNul(2) ? 0 : r.entier(2);
    }
    return marque;
}

} // namespace tarvo::suivi
