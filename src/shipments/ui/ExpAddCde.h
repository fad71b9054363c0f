#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace tarvo {
struct Contexte;
}

namespace tarvo::expeditions {

class ListeRapport;

// "Ajout de commande à une expédition": the opener sets the target shipment,
// the caption and the order list, then shows it modally.
class ExpAddCde : public QDialog {
    Q_OBJECT
public:
    explicit ExpAddCde(Contexte& ctx, QWidget* parent = nullptr);

    qint32 NoExpCible = 0;
    void setLibExp(const QString& texte);
    void ChargeListCde(qint32 LI_No);

private:
    void ajouterCommandes();

    Contexte& ctx_;
    // The delivery place whose orders the list offers.
    qint32 LI_No_ = 0;
    QLabel* libExp_;
    ListeRapport* listeCde_;
    QPushButton* btAjCde_;
};

} // namespace tarvo::expeditions
