#include "MiseEnPage.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>
#include <algorithm>

namespace tarvo::editions {
namespace {

constexpr double HauteurPiedPage = 20.0;

QString famille() {
    static const QString nom = QFontDatabase::hasFamily(QStringLiteral("Arial"))
                                   ? QStringLiteral("Arial")
                                   : QStringLiteral("Liberation Sans");
    return nom;
}

// Texts are measured at 72 dots per inch, so that one dot is one point.
const QImage& appareilMesure() {
    static const QImage image = [] {
        QImage i(1, 1, QImage::Format_RGB32);
        const int pointsParMetre = qRound(72.0 / 0.0254);
        i.setDotsPerMeterX(pointsParMetre);
        i.setDotsPerMeterY(pointsParMetre);
        return i;
    }();
    return image;
}

} // namespace

QFont police(Style style) {
    QFont f(famille());
    switch (style) {
    case Style::Normal:
        f.setPointSizeF(9);
        break;
    case Style::Gras:
        f.setPointSizeF(9);
        f.setBold(true);
        break;
    case Style::Titre:
        f.setPointSizeF(14);
        f.setBold(true);
        break;
    case Style::Numero:
        f.setPointSizeF(18);
        f.setBold(true);
        break;
    case Style::Petit:
        f.setPointSizeF(7.5);
        break;
    }
    return f;
}

namespace {

const QFontMetricsF& mesure(Style style) {
    static QHash<int, QFontMetricsF> mesures;
    const int cle = static_cast<int>(style);
    auto m = mesures.find(cle);
    if (m == mesures.end())
        m = mesures.insert(cle, QFontMetricsF(police(style), &appareilMesure()));
    return *m;
}

// A little room: the printer's rendering may be a hair wider.
double largeurSure(double largeur) {
    return largeur * 0.98;
}

// No field of an order holds more than a few hundred characters: a longer
// text (pasted by mistake) is cut with a visible mark rather than laid out
// word by word over more than a page, which a band cannot span.
constexpr qsizetype LongueurMaxTexte = 1000;

QString borne(const QString& texte) {
    if (texte.size() <= LongueurMaxTexte)
        return texte;
    qsizetype coupe = LongueurMaxTexte;
    if (texte.at(coupe - 1).isHighSurrogate())
        --coupe;
    return texte.left(coupe) + QStringLiteral(" […]");
}

} // namespace

QStringList lignesCoupees(const QString& texte, double largeur, Style style) {
    const QFontMetricsF& m = mesure(style);
    const double place = largeurSure(largeur);
    QStringList lignes;
    for (const QString& paragraphe : texte.split(u'\n')) {
        QString ligne;
        for (QString mot : paragraphe.split(u' ', Qt::SkipEmptyParts)) {
            const QString essai = ligne.isEmpty() ? mot : ligne + u' ' + mot;
            if (m.horizontalAdvance(essai) <= place) {
                ligne = essai;
                continue;
            }
            if (!ligne.isEmpty())
                lignes << ligne;
            // A word wider than a whole line goes on over as many as it needs.
            while (mot.size() > 1 && m.horizontalAdvance(mot) > place) {
                qsizetype n = 1;
                while (n + 1 < mot.size() && m.horizontalAdvance(mot.left(n + 1)) <= place)
                    ++n;
                lignes << mot.left(n);
                mot = mot.mid(n);
            }
            ligne = mot;
        }
        lignes << ligne;
    }
    return lignes;
}

Bande& Bande::texte(double x, double y, double largeur, double hauteur, const QString& valeur,
                    Style style, Qt::Alignment alignement) {
    const QString texte = borne(valeur);
    Element e;
    e.rect = QRectF(x, y, largeur, hauteur);
    e.texte = texte;
    e.style = style;
    e.alignement = alignement | Qt::AlignVCenter;
    double croissance = 0;
    const QFontMetricsF& m = mesure(style);
    if (texte.contains(u'\n') || m.horizontalAdvance(texte) > largeurSure(largeur)) {
        const QStringList lignes = lignesCoupees(texte, largeur, style);
        e.texte = lignes.join(u'\n');
        // Centred in a box grown by whole lines, the first line stays where a
        // single line would be.
        croissance = static_cast<double>(lignes.size() - 1) * m.lineSpacing();
    }
    ajouter(std::move(e), croissance);
    return *this;
}

void Bande::ajouter(Element element, double croissance) {
    dessin_.append(element.rect);
    croissances_.append(croissance);
    elements_.append(std::move(element));
    if (croissance > 0)
        aGrandi_ = true;
    if (aGrandi_)
        placer();
}

// Each element moves down by the most that any element above it, ending
// where it starts or higher, has moved and grown.
void Bande::placer() {
    const qsizetype n = elements_.size();
    QList<qsizetype> ordre(n);
    for (qsizetype i = 0; i < n; ++i)
        ordre[i] = i;
    std::stable_sort(ordre.begin(), ordre.end(), [this](qsizetype a, qsizetype b) {
        return dessin_[a].normalized().top() < dessin_[b].normalized().top();
    });
    QList<double> decalages(n, 0.0);
    double poussee = 0;
    for (qsizetype k = 0; k < n; ++k) {
        const qsizetype i = ordre[k];
        const double haut = dessin_[i].normalized().top();
        double decalage = 0;
        for (qsizetype l = 0; l < k; ++l) {
            const qsizetype j = ordre[l];
            if (dessin_[j].normalized().bottom() <= haut + 0.01)
                decalage = qMax(decalage, decalages[j] + croissances_[j]);
        }
        decalages[i] = decalage;
        QRectF r = dessin_[i].translated(0, decalage);
        if (croissances_[i] > 0)
            r.setHeight(r.height() + croissances_[i]);
        elements_[i].rect = r;
        poussee = qMax(poussee, decalage + croissances_[i]);
    }
    hauteur_ = hauteurDessin_ + poussee;
}

Bande& Bande::trait(double x1, double y1, double x2, double y2) {
    Element e;
    e.genre = Element::Genre::Trait;
    e.rect = QRectF(QPointF(x1, y1), QPointF(x2, y2));
    ajouter(std::move(e), 0);
    return *this;
}

Bande& Bande::image(const QRectF& rect, const QImage& image) {
    Element e;
    e.genre = Element::Genre::Image;
    e.rect = rect;
    e.image = image;
    ajouter(std::move(e), 0);
    return *this;
}

namespace {

void poser(Page& page, const Bande& bande, double y) {
    for (Element e : bande.elements()) {
        e.rect.translate(Marge, y);
        page.elements.append(std::move(e));
    }
}

} // namespace

Document mettreEnPage(const Modele& modele) {
    Document document;
    document.titre = modele.titre;
    document.taille = QSizeF(LargeurPage, HauteurPage);
    const double bas = HauteurPage - Marge - HauteurPiedPage;

    double y = 0;
    double debut = 0;
    const auto nouvellePage = [&] {
        document.pages.append(Page{});
        y = Marge;
        if (document.pages.size() == 1) {
            poser(document.pages.last(), modele.enTeteEtat, y);
            y += modele.enTeteEtat.hauteur();
        }
        poser(document.pages.last(), modele.enTetePage, y);
        y += modele.enTetePage.hauteur();
        debut = y;
    };
    const auto poserBande = [&](const Bande& bande) {
        poser(document.pages.last(), bande, y);
        y += bande.hauteur();
    };
    nouvellePage();
    for (qsizetype i = 0; i < modele.corps.size(); ++i) {
        const Bande& bande = modele.corps[i];
        double besoin = bande.hauteur();
        // A heading goes with what it heads, a last line with its total, as
        // long as they fit a page together.
        for (qsizetype j = i; j + 1 < modele.corps.size() && modele.corps[j].garderAvecSuivante;
             ++j)
            besoin += modele.corps[j + 1].hauteur();
        // A band taller than a whole page is printed on a page of its own;
        // an empty page is never left behind.
        if (y + besoin > bas && y > debut) {
            nouvellePage();
            if (bande.suite >= 0 && bande.suite < modele.suites.size())
                for (const Bande& entete : modele.suites[bande.suite])
                    poserBande(entete);
        }
        poserBande(bande);
    }

    // The page footers, now that the number of pages is known.
    const qsizetype total = document.pages.size();
    for (qsizetype n = 0; n < total; ++n) {
        Bande pied(HauteurPiedPage);
        pied.trait(0, 2, LargeurUtile, 2);
        pied.texte(0, 4, 250, 14, QStringLiteral("Edité le : ") + modele.dateEdition, Style::Petit);
        pied.texte(LargeurUtile - 150, 4, 150, 14,
                   QStringLiteral("Page %1/%2").arg(n + 1).arg(total), Style::Petit,
                   Qt::AlignRight);
        poser(document.pages[n], pied, bas);
    }
    return document;
}

} // namespace tarvo::editions
