#pragma once

#include "suivi/ChargementSuivi.h"
#include "ui/main/TravailDeFond.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QTableView;
class QTimer;

namespace tarvo {
struct Contexte;
}

namespace tarvo::ui {
class BandeauAttente;
}

namespace tarvo::suivi {

class LigneTotaux;
class ModeleSuivi;

// "Suivi des préparations": one row per shipment coloured by its state,
// sorted and filtered by any column, the totals of the rows listed under
// them; it reloads by itself when an integration run ends on any
// workstation, where the clerk left the list: same shipment selected, same
// scroll. A double-click opens the shipment's lines.
//
// Reading, sorting and filtering run off the window's thread, on a
// connection of their own: five years of history take seconds to read, and
// the window answers meanwhile. A read shows its strip with « Annuler »,
// which leaves the list as it was.
class FenetreSuivi : public QWidget {
    Q_OBJECT
public:
    // The integration mark is read every `intervalleMs` milliseconds.
    explicit FenetreSuivi(Contexte& ctx, int intervalleMs = 5000, QWidget* parent = nullptr);
    ~FenetreSuivi() override;

    // Starts reading the rows again, keeping the current shipment, the
    // scroll, the sort and the filter. A failure shows its box and stops
    // the poll; a read that succeeds starts it again.
    void charger();
    // The poll: reloads when an integration run ended since the last load,
    // the open shipments only when the closed ones are shown too (a run
    // does not change those). Nothing while other work runs. A failure
    // shows its box once and stops the poll until "Actualiser".
    void verifierIntegration();
    // True while rows are read or listed, or a filter typed waits to be.
    bool occupee() const;
    // The lines and suspect parcels of shipment `noExp`, in a window of
    // their own.
    void ouvrirLignes(qint32 noExp);

signals:
    // New rows were read and are listed.
    void lignesLues();

private:
    void lire(bool sonde);
    void lister();
    Presentation presentation() const;
    void montrer(std::shared_ptr<const QList<LigneSuivi>> lignes, ListeSuivi liste);
    void renoncer();
    void construire();
    void ajusterTotaux();

    Contexte& ctx_;
    double tolerance_ = 0;
    MarqueIntegration marque_;
    // Whether the rows shown hold the closed shipments.
    bool closesLues_ = false;
    // Counts the changes of filter and sort, so that a read that lands
    // listed with an older one is listed again.
    int versionPresentation_ = 0;
    ui::TravailDeFond<ChargementSuivi> lecture_;
    ui::TravailDeFond<ListeSuivi> liste_;
    QCheckBox* closes_ = nullptr;
    QComboBox* colonneFiltre_ = nullptr;
    QLineEdit* filtre_ = nullptr;
    ModeleSuivi* modele_ = nullptr;
    QTableView* vue_ = nullptr;
    LigneTotaux* totaux_ = nullptr;
    ui::BandeauAttente* attente_ = nullptr;
    QTimer* minuterie_ = nullptr;
    // A filter typed is listed once the typing pauses.
    QTimer* frappe_ = nullptr;
};

} // namespace tarvo::suivi
