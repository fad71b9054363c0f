#include "ExpNewAuto.h"

#include "ListeRapport.h"
#include "OutilsFenetres.h"
#include "app/Contexte.h"
#include "shipments/CreationExpeditions.h"
#include "shipments/ListesExpeditions.h"
#include "ui/main/Garde.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvo::expeditions {

ExpNewAuto::ExpNewAuto(Contexte& ctx, QWidget* parent)
    : QWidget(parent), ctx_(ctx),
      listeCde_(new ListeRapport(QStringLiteral("ListeCde"), ColonnesListeCde(), true, true, this)),
      btCreerExp_(new QPushButton(QStringLiteral("Créer Expéditions"), this)) {
    setObjectName(QStringLiteral("ExpNewAuto"));
    setWindowTitle(QStringLiteral("Création des expéditions (Mode automatique)"));
    btCreerExp_->setObjectName(QStringLiteral("BtCreerExp"));

    QWidget* barreBt = barreBoutons(this, {btCreerExp_});

    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(new QLabel(QStringLiteral("Liste des commandes disponibles :"), this));
    disposition->addWidget(listeCde_, 1);
    disposition->addWidget(barreBt);

    ui::connecterGarde(ctx_, btCreerExp_, &QPushButton::clicked, this,
                       &ExpNewAuto::creerExpeditions);
    resize(820, 480);
    ChargeListCde();
}

void ExpNewAuto::ChargeListCde() {
    ui::garde(ctx_, [this] { listeCde_->remplir(expeditions::ChargeListCde(ctx_)); });
}

void ExpNewAuto::creerExpeditions() {
    const QStringList commandes = listeCde_->clesCochees();
    Rattachements faits;
    if (ui::garde(ctx_, [&] { faits = CreerExpAuto(ctx_, commandes); })) {
        SignalerRefus(ctx_, faits.refusees);
        ctx_.prompts.information(QStringLiteral("Création d'expédition mode automatique"),
                                 TexteCreationTerminee(faits.expeditions));
    }
    // Shipments written before a failure, and orders taken elsewhere, are
    // gone from the view too.
    ChargeListCde();
}

} // namespace tarvo::expeditions
