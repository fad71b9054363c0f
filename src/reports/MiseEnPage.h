#pragma once

#include <QFont>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>

namespace tarvo::editions {

// The kinds of text of a report, each with its font (Arial, or the
// metric-compatible Liberation Sans where Arial is not installed).
enum class Style { Normal, Gras, Titre, Numero, Petit };
QFont police(Style style);

// One thing drawn on a page; positions in points (1/72 inch) from the top
// left corner of its band, then of its page.
struct Element {
    enum class Genre { Texte, Trait, Image };
    Genre genre = Genre::Texte;
    QRectF rect;
    QString texte;
    Style style = Style::Normal;
    Qt::Alignment alignement = Qt::AlignLeft | Qt::AlignVCenter;
    QImage image;
};

// A section of a report: a height and what it holds. A band is never split
// across pages. One-line texts that do not fit their width are cut with an
// ellipsis when they are added: a detail line keeps its height, so columns
// stay aligned and a page holds a known number of lines; the whole value is
// in the database and on the screens.
class Bande {
public:
    explicit Bande(double hauteur = 0) : hauteur_(hauteur) {}

    double hauteur() const { return hauteur_; }
    const QList<Element>& elements() const { return elements_; }
    // Keeps this band on the page of the band that follows it (a heading
    // never ends a page alone).
    bool garderAvecSuivante = false;

    Bande& texte(double x, double y, double largeur, double hauteur, const QString& texte,
                 Style style = Style::Normal, Qt::Alignment alignement = Qt::AlignLeft);
    Bande& trait(double x1, double y1, double x2, double y2);
    Bande& image(const QRectF& rect, const QImage& image);

private:
    double hauteur_;
    QList<Element> elements_;
};

struct Page {
    QList<Element> elements;
};

// A report laid out in pages, ready to paint on any device.
struct Document {
    QString titre;
    QSizeF taille;
    QList<Page> pages;
};

// The sections of one report, in printing order: the report header (first
// page), the page header (every page), the columns repeated at the top of
// the following pages, and the body (group header, details, group footers,
// report footer) flowed from page to page. The page footer, "Edité le :"
// and "Page n/N", is added once the number of pages is known.
struct Modele {
    QString titre;
    Bande enTeteEtat;
    Bande enTetePage;
    Bande reprise;
    QList<Bande> corps;
    QString dateEdition;
};

// A4 portrait, in points.
inline constexpr double LargeurPage = 595.0;
inline constexpr double HauteurPage = 842.0;
inline constexpr double Marge = 36.0;
inline constexpr double LargeurUtile = LargeurPage - 2 * Marge;

Document mettreEnPage(const Modele& modele);

} // namespace tarvo::editions
