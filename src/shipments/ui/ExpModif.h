#pragma once

#include "reports/ui/BranchementsEditions.h"
#include "shipments/ModificationExpedition.h"

#include <QPointer>
#include <QWidget>
#include <optional>

class QAction;
class QCloseEvent;
class QCheckBox;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace tarvo {
struct Contexte;
}

namespace tarvo::ui {
class CadreCommandes;
}

namespace tarvo::expeditions {

class ChoixDate;
class ListeRapport;

// "Modification des expéditions": the shipments of the last three years, the
// details of the one in the current row, its orders, and the printouts menu.
class ExpModif : public QWidget {
    Q_OBJECT
public:
    // `cadre` gives the main window's printouts menu, shown by "Editions /
    // Contrôle", and its entries; without it the window has no printouts.
    ExpModif(Contexte& ctx, const ui::CadreCommandes* cadre, QWidget* parent = nullptr);
    ~ExpModif() override;

    // False when the list could not be read (the box has been shown).
    bool ChargeListExp();
    void ChargeDetailExp(qint32 NoExp);
    void ChargeListCde(qint32 NoExp);
    void AffImprimEtiqExp();
    // "Supprimer commande" and "Supprimer Expédition": the question, the
    // removal, and the reload of what the window shows.
    void SupCde();
    void SupExp();

    // Selects the row of shipment `noExp` and shows it; false when the list
    // does not hold it (the selection then stays as it was).
    bool montrerExpedition(qint32 noExp);
    // The order search's last step: shows shipment `noExp`, ticking
    // "Afficher les expéditions closes" when that brings it into the list;
    // otherwise the list stays as it was and a box says why it cannot show it.
    void montrerExpeditionTrouvee(qint32 noExp);

    // The shipment shown, if any.
    const std::optional<DetailExpedition>& rsExp() const { return rsExp_; }

protected:
    // A changed shipment is saved, left as it was loaded, or kept with the
    // window, as the person answers.
    void closeEvent(QCloseEvent* evenement) override;

private:
    void construire();
    void InitZoneData();
    void viderDetail();
    // Makes row `rang` of the shipment list (kept within it) current without
    // loading it: the caller shows it once afterwards.
    void selectionner(int rang);
    // Gives the focus to the shipment list and shows its current row.
    void donnerFocusListe();
    // Shows the shipment of the current row, or nothing when there is none.
    void afficherLigneCourante();
    // "Actualiser": reloads the list and keeps the shipment shown when it is
    // still listed. False when the list stays as it was: unreadable, or the
    // person kept a changed shipment the new list leaves out.
    bool actualiser();
    // The list row of shipment `noExp`, -1 when it is not listed.
    int rangExpedition(qint32 noExp) const;
    // True when the shipment was saved.
    bool enregistrer();
    // What the detail area holds now.
    SaisieExpedition saisie() const;
    // True when the detail area no longer shows the shipment as loaded.
    bool modifiee() const;
    // Before the shown shipment gives way to another one or to none: when it
    // was changed, asks whether to save it. False when the person cancels or
    // the save was refused: the shipment stays, with what was typed.
    bool quitterExpedition();
    // Makes the shown shipment's row current again, without loading it.
    void revenirALExpedition();
    void ajouterCommande();
    void editions();
    void brancherEtiquettes(bool actif);

    Contexte& ctx_;
    QPointer<QMenu> mnuEditionExp_;
    QPointer<QAction> mnuEdEtiqExp_;
    QMetaObject::Connection connexionEtiquettes_;
    // The report entries of the printouts menu, wired while the window lives.
    QList<editions::EntreeEdition> entreesEditions_;
    QList<QMetaObject::Connection> connexionsEditions_;
    std::optional<DetailExpedition> rsExp_;
    // The detail area as it showed rsExp_ when loaded or last saved.
    SaisieExpedition chargee_;
    int IndexExpCourant_ = -1;
    // While set, the list's focus and current-row changes do not load: the
    // running handler shows the current row once, when it is done.
    bool suiviSuspendu_ = false;

    ListeRapport* listeExp_ = nullptr;
    QCheckBox* affClot_ = nullptr;
    QPushButton* btActualiser_ = nullptr;
    QLineEdit* noExp_ = nullptr;
    QLineEdit* dateCrea_ = nullptr;
    QLineEdit* lib1_ = nullptr;
    QLineEdit* lib2_ = nullptr;
    QPlainTextEdit* livraison_ = nullptr;
    QLineEdit* nbColTheo_ = nullptr;
    QLineEdit* nbColReel_ = nullptr;
    QLineEdit* tare_ = nullptr;
    QLineEdit* poidsBrut_ = nullptr;
    QLineEdit* poidsNet_ = nullptr;
    QLineEdit* volume_ = nullptr;
    ChoixDate* dateClot_ = nullptr;
    ListeRapport* listeCde_ = nullptr;
    QPushButton* enrModifExp_ = nullptr;
    QPushButton* btAjCde_ = nullptr;
    QPushButton* btSupCde_ = nullptr;
    QPushButton* btSupExp_ = nullptr;
    QPushButton* btEdition_ = nullptr;
};

} // namespace tarvo::expeditions
