#include "ExpNewManuel.h"

#include "ListeRapport.h"
#include "OutilsFenetres.h"
#include "app/Contexte.h"
#include "shipments/CreationExpeditions.h"
#include "shipments/ListesExpeditions.h"
#include "ui/main/Garde.h"

#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace tarvo::expeditions {

ExpNewManuel::ExpNewManuel(Contexte& ctx, QWidget* parent)
    : QWidget(parent), ctx_(ctx),
      listeClient_(new ListeRapport(QStringLiteral("ListeClient"), ColonnesListeClient(), false,
                                    true, this)),
      listeCde_(new ListeRapport(QStringLiteral("ListeCde"), ColonnesListeCde(), true, true, this)),
      btCreerExp_(new QPushButton(QStringLiteral("Créer Expédition"), this)) {
    setObjectName(QStringLiteral("ExpNewManuel"));
    setWindowTitle(QStringLiteral("Création des expéditions (Mode Manuel)"));
    btCreerExp_->setObjectName(QStringLiteral("BtCreerExp"));

    QWidget* barreBt = barreBoutons(this, {btCreerExp_});

    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(new QLabel(
        QStringLiteral("Liste des clients en commande (par lieu de livraison) :"), this));
    disposition->addWidget(listeClient_, 1);
    disposition->addWidget(new QLabel(QStringLiteral("Liste des commandes disponibles :"), this));
    disposition->addWidget(listeCde_, 1);
    disposition->addWidget(barreBt);

    // The orders follow the highlighted customer row however it moves.
    ui::connecterGarde(ctx_, listeClient_, &ListeRapport::focusRecu, this, [this] {
        if (!suiviSuspendu_)
            chargerCommandesDuClient();
    });
    ui::connecterGarde(ctx_, listeClient_->selectionModel(),
                       &QItemSelectionModel::currentRowChanged, this, [this] {
                           if (!suiviSuspendu_)
                               chargerCommandesDuClient();
                       });
    ui::connecterGarde(ctx_, listeClient_, &ListeRapport::clicked, this,
                       &ExpNewManuel::chargerCommandesDuClient);
    ui::connecterGarde(ctx_, btCreerExp_, &QPushButton::clicked, this,
                       &ExpNewManuel::creerExpedition);
    surActivation(ctx_, this, [this] { donnerFocusListeClient(); });
    resize(820, 560);

    ChargeListClient();
    selectionner(0);
    donnerFocusListeClient();
}

void ExpNewManuel::ChargeListClient() {
    ui::garde(ctx_, [this] { listeClient_->remplir(expeditions::ChargeListClient(ctx_)); });
}

void ExpNewManuel::ChargeListCde(qint32 LI_No) {
    ui::garde(ctx_, [this, LI_No] {
        listeCde_->remplir(expeditions::ChargeListCde(ctx_, LieuLivraison{LI_No}));
    });
}

void ExpNewManuel::selectionner(int rang) {
    const int lignes = listeClient_->nombreLignes();
    if (lignes == 0)
        return;
    suiviSuspendu_ = true;
    listeClient_->choisirLigne(std::clamp(rang, 0, lignes - 1));
    suiviSuspendu_ = false;
}

void ExpNewManuel::donnerFocusListeClient() {
    suiviSuspendu_ = true;
    listeClient_->setFocus(Qt::OtherFocusReason);
    suiviSuspendu_ = false;
    chargerCommandesDuClient();
}

void ExpNewManuel::chargerCommandesDuClient() {
    const int rang = listeClient_->ligneCourante();
    if (rang < 0) {
        listeCde_->vider();
        return;
    }
    ChargeListCde(listeClient_->cle(rang).toInt());
}

void ExpNewManuel::creerExpedition() {
    const int position = std::max(listeClient_->ligneCourante(), 0);
    const QStringList commandes = listeCde_->clesCochees();
    Rattachements faits;
    if (ui::garde(ctx_, [&] { faits = CreerExpManuel(ctx_, commandes); })) {
        SignalerRefus(ctx_, faits.refusees);
        ctx_.prompts.information(QStringLiteral("Création d'expédition mode manuel"),
                                 TexteCreationTerminee(faits.expeditions));
    }
    ChargeListClient();
    selectionner(position);
    donnerFocusListeClient();
}

} // namespace tarvo::expeditions
