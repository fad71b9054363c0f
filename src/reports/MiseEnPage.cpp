#include "MiseEnPage.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>

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

Bande& Bande::texte(double x, double y, double largeur, double hauteur, const QString& texte,
                    Style style, Qt::Alignment alignement) {
    static QHash<int, QFontMetricsF> mesures;
    const int cle = static_cast<int>(style);
    auto m = mesures.find(cle);
    if (m == mesures.end())
        m = mesures.insert(cle, QFontMetricsF(police(style), &appareilMesure()));
    // A little room: the printer's rendering may be a hair wider.
    const QString visible = m->horizontalAdvance(texte) <= largeur * 0.98
                                ? texte
                                : m->elidedText(texte, Qt::ElideRight, largeur * 0.98);
    Element e;
    e.rect = QRectF(x, y, largeur, hauteur);
    e.texte = visible;
    e.style = style;
    e.alignement = alignement | Qt::AlignVCenter;
    elements_.append(std::move(e));
    return *this;
}

Bande& Bande::trait(double x1, double y1, double x2, double y2) {
    Element e;
    e.genre = Element::Genre::Trait;
    e.rect = QRectF(QPointF(x1, y1), QPointF(x2, y2));
    elements_.append(std::move(e));
    return *this;
}

Bande& Bande::image(const QRectF& rect, const QImage& image) {
    Element e;
    e.genre = Element::Genre::Image;
    e.rect = rect;
    e.image = image;
    elements_.append(std::move(e));
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
        if (document.pages.size() > 1) {
            poser(document.pages.last(), modele.reprise, y);
            y += modele.reprise.hauteur();
        }
        debut = y;
    };
    nouvellePage();
    for (qsizetype i = 0; i < modele.corps.size(); ++i) {
        const Bande& bande = modele.corps[i];
        double besoin = bande.hauteur();
        // A heading goes with what it heads, as long as the two fit a page.
        for (qsizetype j = i; j + 1 < modele.corps.size() && modele.corps[j].garderAvecSuivante;
             ++j)
            besoin += modele.corps[j + 1].hauteur();
        // A band taller than a whole page is printed on a page of its own.
        if (y + besoin > bas && y > debut)
            nouvellePage();
        poser(document.pages.last(), bande, y);
        y += bande.hauteur();
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
