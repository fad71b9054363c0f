#pragma once

#include <QWidget>

class QPushButton;

namespace tarvo {
struct Contexte;
}

namespace tarvo::expeditions {

class ListeRapport;

// "Création des expéditions (Mode Manuel)": the checked orders of one
// customer and delivery place become one shipment.
class ExpNewManuel : public QWidget {
    Q_OBJECT
public:
    explicit ExpNewManuel(Contexte& ctx, QWidget* parent = nullptr);

    void ChargeListClient();
    void ChargeListCde(qint32 LI_No);

private:
    // Makes row `rang` of the customer list (kept within it) current without
    // loading its orders: the caller loads them once afterwards.
    void selectionner(int rang);
    // Gives the focus to the customer list and shows the orders of its
    // current row.
    void donnerFocusListeClient();
    void chargerCommandesDuClient();
    void creerExpedition();

    Contexte& ctx_;
    ListeRapport* listeClient_;
    ListeRapport* listeCde_;
    QPushButton* btCreerExp_;
    // While set, the customer list's focus and current-row changes do not
    // load: the running handler loads the orders once, when it is done.
    bool suiviSuspendu_ = false;
};

} // namespace tarvo::expeditions
