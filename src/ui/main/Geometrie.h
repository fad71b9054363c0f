#pragma once

class QWidget;

namespace tarvo::ui {

// The main window's place and size as the settings store keeps them, in twips
// (1/1440 inch).
struct GeometrieTwips {
    float gauche = 1000;
    float haut = 1000;
    float largeur = 6500;
    float hauteur = 6500;
    // False on the first run, when the store holds no size yet.
    bool enregistree = false;
};

// Reads section Settings of the per-user store; absent or unreadable values
// take their defaults.
GeometrieTwips lireGeometrie();
void ecrireGeometrie(const GeometrieTwips& geometrie);

// Converts between pixels and twips with the logical resolution of a screen.
struct Resolution {
    double dpiX = 96;
    double dpiY = 96;

    int pixelsX(float twips) const;
    int pixelsY(float twips) const;
    float twipsX(int pixels) const;
    float twipsY(int pixels) const;
};

// The resolution of the screen the widget is on (the primary screen before it
// is shown).
Resolution resolutionEcran(const QWidget* widget);

} // namespace tarvo::ui
