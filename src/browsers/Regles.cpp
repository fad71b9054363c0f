#include "Regles.h"

#include "FormatFrancais.h"
#include "base/Erreur.h"
#include "db/Dialecte.h"

#include <QDateTime>
#include <QLocale>

namespace tarvo::navigateurs {
namespace {

const QString SourceRegles = QStringLiteral("Navigateur");

[[noreturn]] void refuser(const Champ& champ, const QString& texte) {
    const QString attendu =
        champ.genre == db::Genre::Nombre ? QStringLiteral("un nombre") : QStringLiteral("une date");
    throw ErreurTarvo(
        NumeroErreur::DonneeInvalide, SourceRegles,
        QStringLiteral("« %1 » n'est pas %2 pour [%3].").arg(texte, attendu, champ.titre));
}

// A pattern longer than this is refused with a French reason rather than
// sent to the engine, which has its own limit and says it in English. No
// field of the two tables comes near it.
constexpr qsizetype LongueurMaxMotif = 1000;

QString motifVerifie(const Champ& champ, const QString& motif) {
    if (motif.size() > LongueurMaxMotif)
        throw ErreurTarvo(NumeroErreur::DonneeInvalide, SourceRegles,
                          QStringLiteral("La valeur cherchée pour [%1] est trop longue : %2 "
                                         "caractères, %3 au plus.")
                              .arg(champ.titre)
                              .arg(motif.size())
                              .arg(LongueurMaxMotif));
    return motif;
}

// A typed value for a number or date column, or the refusal.
QVariant valeurTypee(const Champ& champ, const QString& texte) {
    const std::optional<QVariant> valeur = LireValeur(champ.genre, texte);
    if (!valeur)
        refuser(champ, texte);
    return *valeur;
}

std::optional<QVariant> lireNombre(const QString& texte) {
    QString t = texte.trimmed();
    t.remove(u' ').remove(u'\u202F').remove(u'\u00A0');
    bool ok = false;
    const qint64 entier = t.toLongLong(&ok);
    if (ok)
        return QVariant(entier);
    t.replace(u',', u'.');
    const double reel = t.toDouble(&ok);
    if (ok)
        return QVariant(reel);
    return std::nullopt;
}

std::optional<QVariant> lireDate(const QString& texte) {
    const QString t = texte.trimmed();
    static const QStringList formatsMoment = {
        QStringLiteral("dd/MM/yyyy HH:mm:ss"), QStringLiteral("dd/MM/yyyy HH:mm"),
        QStringLiteral("d/M/yyyy H:mm:ss"),    QStringLiteral("d/M/yyyy H:mm"),
        QStringLiteral("yyyy-MM-dd HH:mm:ss"), QStringLiteral("yyyy-MM-ddTHH:mm:ss"),
        QStringLiteral("yyyy-MM-dd HH:mm")};
    for (const QString& format : formatsMoment) {
        const QDateTime moment = QDateTime::fromString(t, format);
        if (moment.isValid())
            return QVariant(moment);
    }
    static const QStringList formatsJour = {
        QStringLiteral("dd/MM/yyyy"), QStringLiteral("d/M/yyyy"), QStringLiteral("yyyy-MM-dd")};
    for (const QString& format : formatsJour) {
        const QDate jour = QDate::fromString(t, format);
        if (jour.isValid())
            return QVariant(jour);
    }
    return std::nullopt;
}

} // namespace

std::optional<QVariant> LireValeur(db::Genre genre, const QString& texte) {
    switch (genre) {
    case db::Genre::Nombre:
        return lireNombre(texte);
    case db::Genre::Date:
        return lireDate(texte);
    case db::Genre::Texte:
        break;
    }
    return QVariant(texte);
}

QVariant ValeurComparable(const Champ& champ, const QVariant& valeur) {
    if (valeur.isNull() || champ.genre != db::Genre::Date)
        return valeur;
    const QDateTime moment = db::Dialecte::lireDateHeure(valeur);
    return moment.isValid() ? QVariant(moment) : valeur;
}

Critere CritereRecherche(Comparaison comparaison, const Champ& champ, const QString& saisie) {
    if (champ.genre != db::Genre::Texte)
        return {champ, Operateur::Egal, valeurTypee(champ, saisie)};
    if (comparaison == Comparaison::ParMotif)
        return {champ, Operateur::Comme, motifVerifie(champ, saisie)};
    return {champ, Operateur::Egal, saisie};
}

Critere CritereFiltreSel(Comparaison comparaison, const Champ& champ, const QVariant& valeurCellule,
                         const QString& selection) {
    if (comparaison == Comparaison::Exacte)
        return {champ, Operateur::Egal, ValeurComparable(champ, valeurCellule)};
    const QString valeur = selection.trimmed();
    if (champ.genre == db::Genre::Texte)
        return {champ, Operateur::Contient, motifVerifie(champ, valeur)};
    return {champ, Operateur::Egal, valeurTypee(champ, valeur)};
}

Critere CritereFiltreHorsSel(const Champ& champ, const QVariant& valeurCellule) {
    return {champ, Operateur::Different, ValeurComparable(champ, valeurCellule)};
}

QString DescriptionFiltre(const QList<Critere>& filtre) {
    QStringList clauses;
    for (const Critere& critere : filtre) {
        QString operateur;
        switch (critere.operateur) {
        case Operateur::Egal:
            operateur = QStringLiteral("égal à");
            break;
        case Operateur::Different:
            operateur = QStringLiteral("différent de");
            break;
        case Operateur::Comme:
            operateur = QStringLiteral("comme");
            break;
        case Operateur::Contient:
            operateur = QStringLiteral("contient");
            break;
        }
        const QString valeur =
            critere.valeur.isNull()
                ? QStringLiteral("(vide)")
                : QStringLiteral("« %1 »").arg(TexteFrancais(critere.valeur, critere.champ.genre));
        clauses << QStringLiteral("« %1 » %2 %3").arg(critere.champ.titre, operateur, valeur);
    }
    return clauses.join(QStringLiteral(" et "));
}

std::optional<Champ> ChampNomme(const QList<Champ>& champs, const QString& nom) {
    for (const Champ& champ : champs)
        if (champ.titre.compare(nom, Qt::CaseInsensitive) == 0 ||
            champ.nom.compare(nom, Qt::CaseInsensitive) == 0)
            return champ;
    return std::nullopt;
}

} // namespace tarvo::navigateurs
