#include "Geometrie.h"

#include "base/Version.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace tarvo::ui {
namespace {

constexpr double TwipsParPouce = 1440.0;
// A hand-edited store must not throw the window millions of pixels away.
constexpr double LimitePixels = 100000.0;

int enPixels(float twips, double dpi) {
    return static_cast<int>(
        std::lround(std::clamp(twips * dpi / TwipsParPouce, -LimitePixels, LimitePixels)));
}

QSettings reglages() {
    return QSettings(NomProduit(), NomProduit());
}

float lireValeur(const QSettings& s, const QString& cle, float defaut) {
    const QVariant brute = s.value(cle);
    if (!brute.isValid())
        return defaut;
    // Stored as decimal text; a value written with a decimal comma reads too.
    QString texte = brute.toString().trimmed();
    texte.replace(u',', u'.');
    bool ok = false;
    const float valeur = texte.toFloat(&ok);
    return ok && std::isfinite(valeur) ? valeur : defaut;
}

QString texte(float valeur) {
    return QString::number(static_cast<double>(valeur), 'g', 7);
}

} // namespace

GeometrieTwips lireGeometrie() {
    QSettings s = reglages();
    s.beginGroup(QStringLiteral("Settings"));
    GeometrieTwips g;
    g.gauche = lireValeur(s, QStringLiteral("MainLeft"), g.gauche);
    g.haut = lireValeur(s, QStringLiteral("MainTop"), g.haut);
    g.largeur = lireValeur(s, QStringLiteral("MainWidth"), g.largeur);
    g.hauteur = lireValeur(s, QStringLiteral("MainHeight"), g.hauteur);
    g.enregistree = s.contains(QStringLiteral("MainWidth"));
    return g;
}

void ecrireGeometrie(const GeometrieTwips& g) {
    QSettings s = reglages();
    s.beginGroup(QStringLiteral("Settings"));
    s.setValue(QStringLiteral("MainLeft"), texte(g.gauche));
    s.setValue(QStringLiteral("MainTop"), texte(g.haut));
    s.setValue(QStringLiteral("MainWidth"), texte(g.largeur));
    s.setValue(QStringLiteral("MainHeight"), texte(g.hauteur));
    s.endGroup();
    s.sync();
}

int Resolution::pixelsX(float twips) const {
    return enPixels(twips, dpiX);
}

int Resolution::pixelsY(float twips) const {
    return enPixels(twips, dpiY);
}

float Resolution::twipsX(int pixels) const {
    return static_cast<float>(pixels * TwipsParPouce / dpiX);
}

float Resolution::twipsY(int pixels) const {
    return static_cast<float>(pixels * TwipsParPouce / dpiY);
}

Resolution resolutionEcran(const QWidget* widget) {
    const QScreen* ecran =
        widget && widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
    if (!ecran)
        return {};
    return {ecran->logicalDotsPerInchX(), ecran->logicalDotsPerInchY()};
}

} // namespace tarvo::ui
