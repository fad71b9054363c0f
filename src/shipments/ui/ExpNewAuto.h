#pragma once

#include <QWidget>

class QPushButton;

namespace tarvo {
struct Contexte;
}

namespace tarvo::expeditions {

class ListeRapport;

// "Création des expéditions (Mode automatique)": every checked order becomes
// a shipment of its own.
class ExpNewAuto : public QWidget {
    Q_OBJECT
public:
    explicit ExpNewAuto(Contexte& ctx, QWidget* parent = nullptr);

    void ChargeListCde();

private:
    void creerExpeditions();

    Contexte& ctx_;
    ListeRapport* listeCde_;
    QPushButton* btCreerExp_;
};

} // namespace tarvo::expeditions
