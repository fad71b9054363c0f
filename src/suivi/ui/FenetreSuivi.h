#pragma once

#include "suivi/Suivi.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QTableView;
class QTimer;

namespace tarvo {
struct Contexte;
}

namespace tarvo::suivi {

class LigneTotaux;
class ModeleSuivi;
class TriSuivi;

// "Suivi des préparations": one row per shipment coloured by its state,
// sorted and filtered by any column, the totals of the rows listed under
// them; it reloads by itself when an integration run ends on any
// workstation, where the clerk left the list: same shipment selected, same
// scroll. A double-click opens the shipment's lines.
class FenetreSuivi : public QWidget {
    Q_OBJECT
public:
    // The integration mark is read every `intervalleMs` milliseconds.
    explicit FenetreSuivi(Contexte& ctx, int intervalleMs = 5000, QWidget* parent = nullptr);
    ~FenetreSuivi() override;

    // Reads the rows again, keeping the current shipment, the scroll, the
    // sort and the filter. False when they could not be read (the box has been shown).
    bool charger();
    // The poll: reloads when an integration run ended since the last load,
    // the open shipments only when the closed ones are shown too (a run
    // does not change those). True when it reloaded. A failure shows its box once and stops the
    // poll until "Actualiser".
    bool verifierIntegration();
    // The lines and suspect parcels of shipment `noExp`, in a window of
    // their own.
    void ouvrirLignes(qint32 noExp);

private:
    bool relire(bool ouvertesSeulement);
    void construire();
    void filtrer();
    void afficherTotaux();
    void ajusterTotaux();

    Contexte& ctx_;
    double tolerance_ = 0;
    MarqueIntegration marque_;
    QCheckBox* closes_ = nullptr;
    QComboBox* colonneFiltre_ = nullptr;
    QLineEdit* filtre_ = nullptr;
    ModeleSuivi* modele_ = nullptr;
    TriSuivi* trie_ = nullptr;
    QTableView* liste_ = nullptr;
    LigneTotaux* totaux_ = nullptr;
    QTimer* minuterie_ = nullptr;
};

} // namespace tarvo::suivi
