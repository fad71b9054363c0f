#include "LectureScan.h"

#include <QRegularExpression>

namespace tarvo::colisage {
namespace {

Scan illisible(QString motif) {
    Scan s;
    s.motif = std::move(motif);
    return s;
}

bool chiffres(QStringView texte) {
    return !texte.isEmpty() &&
           std::all_of(texte.begin(), texte.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// A parcel number as a label or a person writes it, spaces before it allowed.
Scan colis(QStringView texte, Scan s) {
    const QString nombre = texte.trimmed().toString();
    bool ok = false;
    const int n = nombre.toInt(&ok);
    if (!chiffres(nombre) || !ok)
        return illisible(QStringLiteral("numéro de colis illisible"));
    if (n < 1 || n > ColisMaximum)
        return illisible(
            QStringLiteral("numéro de colis hors des limites (1 à %1)").arg(ColisMaximum));
    s.colis = static_cast<qint16>(n);
    return s;
}

Scan expedition(QStringView texte) {
    const QString nombre = texte.trimmed().toString();
    bool ok = false;
    const int n = nombre.toInt(&ok);
    if (!chiffres(nombre) || !ok || n < 1)
        return illisible(QStringLiteral("numéro d'expédition illisible"));
    Scan s;
    s.genre = Scan::Genre::Expedition;
    s.expedition = n;
    return s;
}

Scan poids(QStringView texte) {
    QString valeur = texte.trimmed().toString();
    valeur.replace(u',', u'.');
    static const QRegularExpression forme(QStringLiteral("^\\d{1,4}(\\.\\d{1,3})?$"));
    if (!forme.match(valeur).hasMatch())
        return illisible(QStringLiteral("poids illisible"));
    Scan s;
    s.genre = Scan::Genre::Poids;
    s.poids = valeur.toDouble();
    if (s.poids <= 0)
        return illisible(QStringLiteral("poids nul"));
    return s;
}

} // namespace

bool CleEan13Valide(QStringView texte) {
    if (texte.size() != 13 || !chiffres(texte))
        return false;
    int somme = 0;
    for (int i = 0; i < 12; ++i)
        somme += (texte[i].unicode() - u'0') * (i % 2 == 0 ? 1 : 3);
    return (10 - somme % 10) % 10 == texte[12].unicode() - u'0';
}

Scan LireScan(const QString& ligne) {
    const QString texte = ligne.trimmed();
    if (texte.isEmpty())
        return illisible(QStringLiteral("saisie vide"));
    const auto prefixe = [&texte](QStringView p) {
        return texte.startsWith(p, Qt::CaseInsensitive);
    };
    if (prefixe(u"EXP:")) {
        // A parcel label: "EXP:" with 6 characters, ",COLIS:" with 3.
        const qsizetype virgule = texte.indexOf(QStringLiteral(",COLIS:"), 0, Qt::CaseInsensitive);
        if (virgule < 0)
            return expedition(QStringView(texte).sliced(4));
        Scan s = expedition(QStringView(texte).sliced(4, virgule - 4));
        if (s.genre == Scan::Genre::Illisible)
            return s;
        return colis(QStringView(texte).sliced(virgule + 7), s);
    }
    if (prefixe(u"COLIS:")) {
        const QStringView reste = QStringView(texte).sliced(6).trimmed();
        Scan s;
        if (reste == u"+") {
            s.genre = Scan::Genre::ColisSuivant;
            return s;
        }
        s.genre = Scan::Genre::Colis;
        return colis(reste, s);
    }
    if (prefixe(u"POIDS:"))
        return poids(QStringView(texte).sliced(6));
    if (texte.compare(u"ANNULER", Qt::CaseInsensitive) == 0) {
        Scan s;
        s.genre = Scan::Genre::Annulation;
        return s;
    }
    // The removal entries read these as every article or every parcel: a
    // bench never writes them.
    if (texte.startsWith(u"<To") || texte.startsWith(u"..."))
        return illisible(QStringLiteral("code-barres réservé aux terminaux"));
    if (texte.size() > 50)
        return illisible(QStringLiteral("code-barres de plus de 50 caractères"));
    if (std::any_of(texte.begin(), texte.end(), [](QChar c) { return !c.isPrint(); }))
        return illisible(QStringLiteral("code-barres illisible"));
    if (texte.size() == 13 && chiffres(texte) && !CleEan13Valide(texte))
        return illisible(QStringLiteral("code EAN-13 dont la clé est fausse"));
    Scan s;
    s.genre = Scan::Genre::CodeBarres;
    s.texte = texte;
    return s;
}

} // namespace tarvo::colisage
