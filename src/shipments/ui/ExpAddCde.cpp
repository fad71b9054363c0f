#include "ExpAddCde.h"

#include "ListeRapport.h"
#include "OutilsFenetres.h"
#include "app/Contexte.h"
#include "shipments/ControleCommandes.h"
#include "shipments/CreationExpeditions.h"
#include "shipments/ListesExpeditions.h"
#include "ui/main/Garde.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvo::expeditions {

ExpAddCde::ExpAddCde(Contexte& ctx, QWidget* parent)
    : QDialog(parent), ctx_(ctx),
      libExp_(new QLabel(QStringLiteral("No Expédition - Libellé 1 - Libellé 2"), this)),
      listeCde_(new ListeRapport(QStringLiteral("ListeCde"), ColonnesListeCde(), true, true, this)),
      btAjCde_(new QPushButton(QStringLiteral("Ajouter commande"), this)) {
    setObjectName(QStringLiteral("ExpAddCde"));
    setWindowTitle(QStringLiteral("Ajout de commande à une expédition"));
    setModal(true);
    libExp_->setObjectName(QStringLiteral("LibExp"));
    btAjCde_->setObjectName(QStringLiteral("BtAjCde"));
    btAjCde_->setAutoDefault(false);

    QWidget* barreBt = barreBoutons(this, {btAjCde_});

    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(libExp_);
    disposition->addWidget(new QLabel(QStringLiteral("Liste des commandes disponibles :"), this));
    disposition->addWidget(listeCde_, 1);
    disposition->addWidget(barreBt);

    ui::connecterGarde(ctx_, btAjCde_, &QPushButton::clicked, this, &ExpAddCde::ajouterCommandes);
    resize(820, 420);
}

void ExpAddCde::setLibExp(const QString& texte) {
    libExp_->setText(texte);
}

void ExpAddCde::ChargeListCde(qint32 LI_No) {
    LI_No_ = LI_No;
    ui::garde(ctx_, [this, LI_No] {
        listeCde_->remplir(expeditions::ChargeListCde(ctx_, LieuLivraison{LI_No}));
    });
}

void ExpAddCde::ajouterCommandes() {
    const QStringList commandes = listeCde_->clesCochees();
    // When the closed shipment is not confirmed, or on a failure, nothing
    // was attached: the window stays for another try.
    bool confirme = true;
    if (!commandes.isEmpty() &&
        (!ui::garde(ctx_, [&] { confirme = ConfirmerAjout(ctx_, NoExpCible); }) || !confirme))
        return;
    Rattachements faits;
    if (!ui::garde(ctx_, [&] { faits = AddCdeExp(ctx_, NoExpCible, commandes); }))
        return;
    if (faits.refusees.isEmpty()) {
        accept();
        return;
    }
    // Another workstation took some of the orders since the list was read:
    // the person sees which, and what is still offered.
    SignalerRefus(ctx_, faits.refusees);
    ChargeListCde(LI_No_);
}

} // namespace tarvo::expeditions
