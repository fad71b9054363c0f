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

// A section of a report: a height and what it holds, placed as designed.
// A text too wide for its box wraps inside it, at spaces where it can, and
// grows downwards; whatever lies below a grown text moves down with it and
// the band grows as much, so that no part of a value is ever left out, up
// to a thousand characters (a longer one is cut, ending with " […]"). A
// band is never split across pages.
class Bande {
public:
    explicit Bande(double hauteur = 0) : hauteur_(hauteur), hauteurDessin_(hauteur) {}

    double hauteur() const { return hauteur_; }
    const QList<Element>& elements() const { return elements_; }
    // Keeps this band on the page of the band that follows it (a heading
    // never ends a page alone, a last line never leaves its total).
    bool garderAvecSuivante = false;
    // The group the band belongs to, as an index into Modele::suites: a page
    // that this band starts opens with the group's repeated heading. -1: a
    // band that opens its group or belongs to none.
    qsizetype suite = -1;

    Bande& texte(double x, double y, double largeur, double hauteur, const QString& texte,
                 Style style = Style::Normal, Qt::Alignment alignement = Qt::AlignLeft);
    Bande& trait(double x1, double y1, double x2, double y2);
    Bande& image(const QRectF& rect, const QImage& image);

private:
    void ajouter(Element element, double croissance);
    void placer();

    double hauteur_;
    double hauteurDessin_;
    QList<Element> elements_;
    // As designed, and how much each element grew; kept to place them again
    // when an element added later grows.
    QList<QRectF> dessin_;
    QList<double> croissances_;
    bool aGrandi_ = false;
};

// The lines of `texte` once wrapped to `largeur` points in `style`: at spaces
// where it can, inside a word too long for a line by itself.
QStringList lignesCoupees(const QString& texte, double largeur, Style style);

struct Page {
    QList<Element> elements;
};

// A report laid out in pages, ready to paint on any device.
struct Document {
    QString titre;
    // The name proposed when it is saved; the title when empty.
    QString nomFichier;
    QSizeF taille;
    QList<Page> pages;
};

// The sections of one report, in printing order: the report header (first
// page), the page header (every page) and the body (group headers, details,
// group footers, report footer) flowed from page to page. A group that goes
// on over a page break repeats its heading (`suites`, named by the bands'
// `suite`) at the top of the new page. The page footer, "Edité le :" and
// "Page n/N", is added once the number of pages is known.
struct Modele {
    QString titre;
    Bande enTeteEtat;
    Bande enTetePage;
    QList<Bande> corps;
    QList<QList<Bande>> suites;
    QString dateEdition;
};

// A4 portrait, in points.
inline constexpr double LargeurPage = 595.0;
inline constexpr double HauteurPage = 842.0;
inline constexpr double Marge = 36.0;
inline constexpr double LargeurUtile = LargeurPage - 2 * Marge;

Document mettreEnPage(const Modele& modele);

} // namespace tarvo::editions
