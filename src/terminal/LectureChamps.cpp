#include "LectureChamps.h"

#include "base/Erreur.h"
#include "base/FormesMessages.h"
#include "base/Windows1252.h"

#include <QLocale>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace tarvo::terminal {
namespace {

bool estBlanc(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool estChiffre(char c) {
    return c >= '0' && c <= '9';
}

// Whole numbers made of 1 to `maxChiffres` digits, the value in `valeur`.
bool chiffres(QByteArrayView t, qsizetype& i, int minChiffres, int maxChiffres, int& valeur) {
    valeur = 0;
    int n = 0;
    while (i < t.size() && estChiffre(t[i]) && n < maxChiffres) {
        valeur = valeur * 10 + (t[i] - '0');
        ++i;
        ++n;
    }
    return n >= minChiffres;
}

bool separateur(QByteArrayView t, qsizetype& i, char c) {
    if (i < t.size() && t[i] == c) {
        ++i;
        return true;
    }
    return false;
}

QByteArrayView sansBlancs(QByteArrayView t) {
    return t.trimmed();
}

// The decimal order of magnitude of a number written as [-]digits[.digits][e[±]digits]:
// positive for values of 1 and more.
long long ordreDeGrandeur(const std::string& n) {
    const std::size_t e = n.find('e');
    const std::string mantisse = n.substr(0, e);
    long long exposant = 0;
    if (e != std::string::npos) {
        std::size_t i = e + 1;
        const bool negatif = i < n.size() && n[i] == '-';
        if (i < n.size() && (n[i] == '-' || n[i] == '+'))
            ++i;
        for (; i < n.size(); ++i)
            exposant = std::min(exposant * 10 + (n[i] - '0'), 1'000'000'000LL);
        if (negatif)
            exposant = -exposant;
    }
    const std::size_t point = mantisse.find('.');
    const std::string entiere = mantisse.substr(0, point);
    const std::size_t premier = entiere.find_first_not_of("-0");
    if (premier != std::string::npos)
        return static_cast<long long>(entiere.size() - premier) + exposant;
    const std::string fraction =
        point == std::string::npos ? std::string() : mantisse.substr(point + 1);
    const std::size_t zeros = fraction.find_first_not_of('0');
    return exposant - static_cast<long long>(zeros == std::string::npos ? fraction.size() : zeros);
}

bool dateValide(int a, int m, int j) {
    static constexpr int jours[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (a < 1 || m < 1 || m > 12 || j < 1)
        return false;
    const bool bissextile = (a % 4 == 0 && a % 100 != 0) || a % 400 == 0;
    return j <= jours[m - 1] + (m == 2 && bissextile ? 1 : 0);
}

// yyyy-mm-dd as the terminals write it, or dd/mm/yyyy as a French workstation
// writes dates; one or two digits for the day and the month.
bool lireDate(QByteArrayView champ, int& a, int& m, int& j) {
    const QByteArrayView t = sansBlancs(champ);
    qsizetype i = 0;
    if (t.contains('-')) {
        if (!chiffres(t, i, 4, 4, a) || !separateur(t, i, '-') || !chiffres(t, i, 1, 2, m) ||
            !separateur(t, i, '-') || !chiffres(t, i, 1, 2, j))
            return false;
    } else if (!chiffres(t, i, 1, 2, j) || !separateur(t, i, '/') || !chiffres(t, i, 1, 2, m) ||
               !separateur(t, i, '/') || !chiffres(t, i, 4, 4, a)) {
        return false;
    }
    return i == t.size() && dateValide(a, m, j);
}

// hh:mm:ss on 24 hours, the seconds may be left out.
bool lireHeure(QByteArrayView champ, int& h, int& m, int& s) {
    const QByteArrayView t = sansBlancs(champ);
    qsizetype i = 0;
    s = 0;
    if (!chiffres(t, i, 1, 2, h) || !separateur(t, i, ':') || !chiffres(t, i, 2, 2, m))
        return false;
    if (separateur(t, i, ':') && !chiffres(t, i, 2, 2, s))
        return false;
    return i == t.size() && h < 24 && m < 60 && s < 60;
}

} // namespace

bool nombreEnTete(QByteArrayView texte, double& valeur, qsizetype* fin) {
    std::string n;
    bool signe = false, chiffre = false, point = false;
    qsizetype i = 0;
    auto suivant = [&]() -> char {
        while (i < texte.size() && estBlanc(texte[i]))
            ++i;
        return i < texte.size() ? texte[i] : '\0';
    };
    for (char c = suivant(); c != '\0'; c = suivant()) {
        if ((c == '+' || c == '-') && !signe && !chiffre && !point) {
            signe = true;
            if (c == '-')
                n += '-';
        } else if (estChiffre(c)) {
            chiffre = true;
            n += c;
        } else if (c == '.' && !point) {
            point = true;
            n += c;
        } else {
            break;
        }
        ++i;
    }
    if (!chiffre) {
        valeur = 0;
        if (fin)
            *fin = 0;
        return true;
    }
    // An exponent counts only with at least one digit.
    if (i < texte.size() && (texte[i] == 'e' || texte[i] == 'E')) {
        const qsizetype debut = i;
        std::string e = "e";
        ++i;
        char c = suivant();
        if (c == '+' || c == '-') {
            e += c;
            ++i;
        }
        bool chiffreExposant = false;
        for (c = suivant(); estChiffre(c); c = suivant()) {
            e += c;
            chiffreExposant = true;
            ++i;
        }
        if (chiffreExposant)
            n += e;
        else
            i = debut;
    }
    if (fin)
        *fin = i;
    const char* debut = n.data();
    if (*debut == '-')
        ++debut;
    double v = 0;
    const auto erreur = std::from_chars(debut, n.data() + n.size(), v).ec;
    if (erreur == std::errc::result_out_of_range) {
        // Too small to hold reads as 0; too large is an overflow.
        if (ordreDeGrandeur(n) > 0)
            return false;
        v = 0;
    } else if (erreur != std::errc()) {
        v = 0;
    }
    valeur = n.front() == '-' ? -v : v;
    return true;
}

QByteArrayView LectureChamps::champ(qsizetype colonne, qsizetype longueur) const {
    const qsizetype debut = colonne - 1;
    if (debut >= ligne_.size())
        return {};
    return ligne_.sliced(debut, std::min(longueur, ligne_.size() - debut));
}

QByteArrayView LectureChamps::jusquAVirgule(qsizetype colonne, qsizetype* suite) const {
    const qsizetype debut = colonne - 1;
    const qsizetype virgule = debut < ligne_.size() ? ligne_.indexOf(',', debut) : -1;
    if (virgule < 0)
        echec(NumeroErreurLigne::ArgumentIncorrect,
              QStringLiteral("Aucune virgule ne termine le champ qui commence à la colonne %1.")
                  .arg(colonne));
    if (suite)
        *suite = virgule + 2;
    return ligne_.sliced(debut, virgule - debut);
}

// `enPartie`: something other than blanks follows the number, or stands
// where no number is.
double LectureChamps::nombre(QByteArrayView champ, const QString& nom, bool& enPartie) const {
    double v = 0;
    qsizetype fin = 0;
    if (!nombreEnTete(champ, v, &fin))
        echec(NumeroErreurLigne::Depassement,
              QStringLiteral("Dépassement de capacité : %1 %2.").arg(nom, citation(champ)));
    enPartie = !sansBlancs(champ.sliced(fin)).isEmpty();
    return v;
}

void LectureChamps::lueEnPartie(QByteArrayView champ, const QString& nom, double valeur) const {
    avertir(QStringLiteral("%1 %2 lu %3")
                .arg(nom, citation(champ), QLocale(QLocale::French).toString(valeur, 'g', 9)));
}

qint32 LectureChamps::entier32(QByteArrayView champ, const QString& nom) const {
    bool enPartie = false;
    const double lu = nombre(champ, nom, enPartie);
    const double v = std::nearbyint(lu);
    if (v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max())
        echec(NumeroErreurLigne::Depassement,
              QStringLiteral("Dépassement de capacité : %1 %2.").arg(nom, citation(champ)));
    if (enPartie || v != lu)
        lueEnPartie(champ, nom, v);
    return static_cast<qint32>(v);
}

qint16 LectureChamps::entier16(QByteArrayView champ, const QString& nom) const {
    bool enPartie = false;
    const double lu = nombre(champ, nom, enPartie);
    const double v = std::nearbyint(lu);
    if (v < std::numeric_limits<qint16>::min() || v > std::numeric_limits<qint16>::max())
        echec(NumeroErreurLigne::Depassement,
              QStringLiteral("Dépassement de capacité : %1 %2.").arg(nom, citation(champ)));
    if (enPartie || v != lu)
        lueEnPartie(champ, nom, v);
    return static_cast<qint16>(v);
}

double LectureChamps::reel32(QByteArrayView champ, const QString& nom) const {
    bool enPartie = false;
    const double v = nombre(champ, nom, enPartie);
    if (std::fabs(v) > std::numeric_limits<float>::max())
        echec(NumeroErreurLigne::Depassement,
              QStringLiteral("Dépassement de capacité : %1 %2.").arg(nom, citation(champ)));
    char tampon[32];
    const auto fin = std::to_chars(tampon, tampon + sizeof tampon, static_cast<float>(v)).ptr;
    double proche = 0;
    std::from_chars(tampon, fin, proche);
    if (enPartie)
        lueEnPartie(champ, nom, proche);
    return proche;
}

QString LectureChamps::moment(QByteArrayView date, QByteArrayView heure) const {
    int a = 0, mois = 0, j = 0;
    if (!lireDate(date, a, mois, j))
        echec(NumeroErreurLigne::TypeIncompatible,
              QStringLiteral("Date de saisie invalide : %1.").arg(citation(date)));
    int h = 0, m = 0, s = 0;
    if (!lireHeure(heure, h, m, s))
        echec(NumeroErreurLigne::TypeIncompatible,
              QStringLiteral("Heure de saisie invalide : %1.").arg(citation(heure)));
    // yyyy-MM-dd HH:mm:ss, two digits at a time.
    const int valeurs[] = {a / 100, a % 100, mois, j, h, m, s};
    QString texte(19, Qt::Uninitialized);
    QChar* sortie = texte.data();
    for (int v = 0; v < 7; ++v) {
        if (v >= 2)
            *sortie++ = QLatin1Char("  -- ::"[v]);
        *sortie++ = QLatin1Char(static_cast<char>('0' + valeurs[v] / 10));
        *sortie++ = QLatin1Char(static_cast<char>('0' + valeurs[v] % 10));
    }
    return texte;
}

QString LectureChamps::texte(QByteArrayView champ) {
    return Windows1252::decoder(champ);
}

void LectureChamps::avertir(const QString& texte) const {
    if (avertissements_)
        avertissements_->append(texte);
}

void LectureChamps::echec(qint64 numero, const QString& description) const {
    throw ErreurTarvo(numero, source_, description);
}

} // namespace tarvo::terminal
