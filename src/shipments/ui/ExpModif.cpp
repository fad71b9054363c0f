#include "ExpModif.h"

#include "ChoixDate.h"
#include "ExpAddCde.h"
#include "ListeRapport.h"
#include "OutilsFenetres.h"
#include "app/Contexte.h"
#include "labels/ImprEtiq.h"
#include "labels/ui/ExpEdEtiq.h"
#include "reports/ui/BranchementsEditions.h"
#include "shipments/ListesExpeditions.h"
#include "shipments/RechercheCommande.h"
#include "ui/main/CadreCommandes.h"
#include "ui/main/Garde.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <algorithm>

namespace tarvo::expeditions {
namespace {

const QString TitreModification = QStringLiteral("Modification des expéditions");

QLineEdit* champ(const QString& nom, QWidget* parent, bool lectureSeule = false) {
    auto* c = new QLineEdit(parent);
    c->setObjectName(nom);
    c->setReadOnly(lectureSeule);
    return c;
}

// A parcel count: up to three digits.
QLineEdit* champNombreColis(const QString& nom, QWidget* parent) {
    QLineEdit* c = champ(nom, parent);
    c->setMaxLength(3);
    c->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,3}")), c));
    return c;
}

QPushButton* bouton(const QString& nom, const QString& texte, QWidget* parent) {
    auto* b = new QPushButton(texte, parent);
    b->setObjectName(nom);
    return b;
}

} // namespace

ExpModif::ExpModif(Contexte& ctx, const ui::CadreCommandes* cadre, QWidget* parent)
    : QWidget(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("ExpModif"));
    setWindowTitle(TitreModification);
    if (cadre) {
        mnuEditionExp_ = cadre->mnuEditionExp();
        mnuEdEtiqExp_ = cadre->action(ui::Entree::mnuEdEtiqExp);
        entreesEditions_ = editions::entreesEditions(*cadre);
    }
    construire();
    connexionsEditions_ =
        editions::brancherEditions(ctx, entreesEditions_, this, [this]() -> std::optional<qint32> {
            if (!rsExp_)
                return std::nullopt;
            return rsExp_->noExpedition;
        });
    surActivation(ctx_, this, [this] { donnerFocusListe(); });
    resize(900, 680);

    ChargeListExp();
    selectionner(0);
    donnerFocusListe();
}

ExpModif::~ExpModif() {
    brancherEtiquettes(false);
    editions::debrancherEditions(entreesEditions_, connexionsEditions_);
}

void ExpModif::construire() {
    listeExp_ =
        new ListeRapport(QStringLiteral("ListeExp"), ColonnesListeExp(), false, false, this);
    affClot_ = new QCheckBox(QStringLiteral("Afficher les expéditions closes"), this);
    affClot_->setObjectName(QStringLiteral("AffClot"));
    btActualiser_ = bouton(QStringLiteral("BtActualiser"), QStringLiteral("Actualiser"), this);

    noExp_ = champ(QStringLiteral("NoExp"), this, true);
    dateCrea_ = champ(QStringLiteral("DateCrea"), this, true);
    lib1_ = champ(QStringLiteral("Lib1"), this);
    lib2_ = champ(QStringLiteral("Lib2"), this);
    livraison_ = new QPlainTextEdit(this);
    livraison_->setObjectName(QStringLiteral("Livraison"));
    livraison_->setReadOnly(true);
    livraison_->setMaximumHeight(90);
    nbColTheo_ = champNombreColis(QStringLiteral("NbColTheo"), this);
    nbColReel_ = champNombreColis(QStringLiteral("NbColReel"), this);
    tare_ = champ(QStringLiteral("Tare"), this);
    poidsBrut_ = champ(QStringLiteral("PoidsBrut"), this);
    poidsNet_ = champ(QStringLiteral("PoidsNet"), this);
    volume_ = champ(QStringLiteral("Volume"), this);
    dateClot_ = new ChoixDate(QStringLiteral("DateClot"), this);

    listeCde_ = new ListeRapport(QStringLiteral("ListeCde"), ColonnesListeCde(), true, true, this);
    enrModifExp_ = bouton(QStringLiteral("EnrModifExp"), QStringLiteral("Enregistrer"), this);
    btAjCde_ = bouton(QStringLiteral("BtAjCde"), QStringLiteral("Ajouter commande"), this);
    btSupCde_ = bouton(QStringLiteral("BtSupCde"), QStringLiteral("Supprimer commande"), this);
    btSupExp_ = bouton(QStringLiteral("BtSupExp"), QStringLiteral("Supprimer Expédition"), this);
    btEdition_ = bouton(QStringLiteral("BtEdition"), QStringLiteral("Editions / Contrôle"), this);

    auto* options = new QHBoxLayout;
    options->addWidget(affClot_);
    options->addStretch(1);
    options->addWidget(btActualiser_);

    auto* detail = new QGridLayout;
    const auto ligne = [this, detail](int rang, int colonne, const QString& texte, QWidget* w) {
        detail->addWidget(new QLabel(texte, this), rang, colonne);
        detail->addWidget(w, rang, colonne + 1);
    };
    ligne(0, 0, QStringLiteral("No Expédition :"), noExp_);
    ligne(0, 2, QStringLiteral("Date création :"), dateCrea_);
    ligne(1, 0, QStringLiteral("Libellé 1 :"), lib1_);
    ligne(2, 0, QStringLiteral("Libellé 2 :"), lib2_);
    ligne(1, 2, QStringLiteral("Nbr colis théorique:"), nbColTheo_);
    ligne(2, 2, QStringLiteral("Nbr colis réel:"), nbColReel_);
    ligne(3, 2, QStringLiteral("Tare:"), tare_);
    ligne(4, 2, QStringLiteral("Poids brut:"), poidsBrut_);
    ligne(5, 2, QStringLiteral("Poids Net:"), poidsNet_);
    ligne(6, 2, QStringLiteral("Volume:"), volume_);
    ligne(7, 2, QStringLiteral("Date cloture :"), dateClot_);
    detail->addWidget(new QLabel(QStringLiteral("Livraison :"), this), 3, 0, Qt::AlignTop);
    detail->addWidget(livraison_, 3, 1, 5, 1);
    detail->setColumnStretch(1, 2);
    detail->setColumnStretch(3, 1);

    QWidget* barreBt =
        barreBoutons(this, {enrModifExp_, btAjCde_, btSupCde_, btSupExp_, btEdition_});

    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(new QLabel(QStringLiteral("Liste des expéditions :"), this));
    disposition->addWidget(listeExp_, 2);
    disposition->addLayout(options);
    disposition->addLayout(detail);
    disposition->addWidget(
        new QLabel(QStringLiteral("Liste des commandes de l'expédtion :"), this));
    disposition->addWidget(listeCde_, 2);
    disposition->addWidget(barreBt);

    // The details follow the highlighted row however it moves (mouse, arrow
    // keys, program), so that every button acts on the shipment in view.
    ui::connecterGarde(ctx_, listeExp_, &ListeRapport::focusRecu, this, [this] {
        if (!suiviSuspendu_)
            afficherLigneCourante();
    });
    ui::connecterGarde(ctx_, listeExp_->selectionModel(), &QItemSelectionModel::currentRowChanged,
                       this, [this] {
                           if (!suiviSuspendu_)
                               afficherLigneCourante();
                       });
    ui::connecterGarde(ctx_, listeExp_, &ListeRapport::clicked, this,
                       &ExpModif::afficherLigneCourante);
    ui::connecterGarde(ctx_, affClot_, &QCheckBox::clicked, this, [this] {
        // A list left as it was keeps the box as it was.
        if (!actualiser())
            affClot_->setChecked(!affClot_->isChecked());
    });
    ui::connecterGarde(ctx_, btActualiser_, &QPushButton::clicked, this, [this] { actualiser(); });
    ui::connecterGarde(ctx_, enrModifExp_, &QPushButton::clicked, this, &ExpModif::enregistrer);
    ui::connecterGarde(ctx_, btAjCde_, &QPushButton::clicked, this, &ExpModif::ajouterCommande);
    ui::connecterGarde(ctx_, btSupCde_, &QPushButton::clicked, this, &ExpModif::SupCde);
    ui::connecterGarde(ctx_, btSupExp_, &QPushButton::clicked, this, &ExpModif::SupExp);
    ui::connecterGarde(ctx_, btEdition_, &QPushButton::clicked, this, &ExpModif::editions);
}

bool ExpModif::ChargeListExp() {
    return ui::garde(ctx_, [this] {
        listeExp_->remplir(expeditions::ChargeListExp(ctx_, affClot_->isChecked()));
    });
}

void ExpModif::ChargeDetailExp(qint32 NoExp) {
    IndexExpCourant_ = listeExp_->ligneCourante();
    const bool ok =
        ui::garde(ctx_, [this, NoExp] { rsExp_ = expeditions::ChargeDetailExp(ctx_, NoExp); });
    if (!ok || !rsExp_) {
        // Gone meanwhile (another workstation) or unreadable: nothing is shown.
        viderDetail();
        return;
    }
    InitZoneData();
    brancherEtiquettes(true);
}

void ExpModif::InitZoneData() {
    const ZoneData z = expeditions::InitZoneData(*rsExp_);
    noExp_->setText(z.noExp);
    lib1_->setText(z.lib1);
    lib2_->setText(z.lib2);
    dateCrea_->setText(z.dateCrea);
    dateClot_->setValeur(z.dateClot, ctx_.horloge.maintenant());
    nbColTheo_->setText(z.nbColTheo);
    nbColReel_->setText(z.nbColReel);
    tare_->setText(z.tare);
    poidsNet_->setText(z.poidsNet);
    poidsBrut_->setText(z.poidsBrut);
    volume_->setText(z.volume);
    livraison_->setPlainText(
        QString(z.livraison).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    chargee_ = saisie();
}

void ExpModif::ChargeListCde(qint32 NoExp) {
    ui::garde(ctx_, [this, NoExp] {
        listeCde_->remplir(expeditions::ChargeListCde(ctx_, NumeroExpedition{NoExp}));
    });
}

void ExpModif::viderDetail() {
    for (QLineEdit* c : {noExp_, dateCrea_, lib1_, lib2_, tare_, poidsBrut_, poidsNet_, volume_})
        c->clear();
    livraison_->clear();
    nbColTheo_->setText(QStringLiteral("0"));
    nbColReel_->setText(QStringLiteral("0"));
    dateClot_->setValeur(std::nullopt, ctx_.horloge.maintenant());
    rsExp_.reset();
    listeCde_->vider();
    brancherEtiquettes(false);
}

void ExpModif::selectionner(int rang) {
    const int lignes = listeExp_->nombreLignes();
    if (lignes == 0)
        return;
    suiviSuspendu_ = true;
    listeExp_->choisirLigne(std::clamp(rang, 0, lignes - 1));
    suiviSuspendu_ = false;
}

void ExpModif::donnerFocusListe() {
    suiviSuspendu_ = true;
    listeExp_->setFocus(Qt::OtherFocusReason);
    suiviSuspendu_ = false;
    afficherLigneCourante();
}

void ExpModif::afficherLigneCourante() {
    const int rang = listeExp_->ligneCourante();
    std::optional<qint32> numero;
    if (rang >= 0 && rang < listeExp_->nombreLignes())
        numero = listeExp_->cle(rang).toInt();
    if (rsExp_ && numero == rsExp_->noExpedition && modifiee()) {
        // Back on the shipment being edited: what was typed stays, its orders
        // are read again.
        ChargeListCde(*numero);
        return;
    }
    if (!quitterExpedition()) {
        revenirALExpedition();
        return;
    }
    if (!numero) {
        viderDetail();
        return;
    }
    ChargeDetailExp(*numero);
    if (rsExp_)
        ChargeListCde(*numero);
}

SaisieExpedition ExpModif::saisie() const {
    return {lib1_->text(),      lib2_->text(),      dateClot_->valeur(),
            nbColTheo_->text(), nbColReel_->text(), tare_->text(),
            poidsNet_->text(),  poidsBrut_->text(), volume_->text()};
}

bool ExpModif::modifiee() const {
    return rsExp_ && saisie() != chargee_;
}

bool ExpModif::quitterExpedition() {
    if (!modifiee())
        return true;
    switch (ctx_.prompts.questionAnnulable(
        Prompts::Icone::Question, TitreModification,
        QStringLiteral("Enregistrer les modifications de l'expédition %1 ?")
            .arg(rsExp_->noExpedition))) {
    case Prompts::Reponse::Oui:
        return enregistrer();
    case Prompts::Reponse::Non:
        viderDetail();
        return true;
    case Prompts::Reponse::Annuler:
        break;
    }
    return false;
}

void ExpModif::revenirALExpedition() {
    const auto retour = [this] {
        if (rsExp_ && rangExpedition(rsExp_->noExpedition) >= 0)
            selectionner(rangExpedition(rsExp_->noExpedition));
    };
    retour();
    // A mouse press highlights the row it hit once the change of current row
    // has been handled: the highlight comes back after it.
    QMetaObject::invokeMethod(this, retour, Qt::QueuedConnection);
}

void ExpModif::closeEvent(QCloseEvent* evenement) {
    if (quitterExpedition())
        evenement->accept();
    else
        evenement->ignore();
}

bool ExpModif::montrerExpedition(qint32 noExp) {
    const int rang = rangExpedition(noExp);
    if (rang < 0)
        return false;
    selectionner(rang);
    donnerFocusListe();
    return true;
}

void ExpModif::montrerExpeditionTrouvee(qint32 noExp) {
    if (montrerExpedition(noExp))
        return;
    if (!affClot_->isChecked()) {
        affClot_->setChecked(true);
        actualiser();
        if (montrerExpedition(noExp))
            return;
        // The closed ones did not bring it in: the list goes back as it was.
        affClot_->setChecked(false);
        actualiser();
    }
    ui::garde(ctx_, [this, noExp] {
        ctx_.prompts.information(TitreExpeditionHorsListe, TexteExpeditionHorsListe(ctx_, noExp));
    });
}

bool ExpModif::actualiser() {
    db::JeuEnregistrements jeu;
    // A failed reload leaves the list, its highlight and the details as they were.
    if (!ui::garde(ctx_, [&] { jeu = expeditions::ChargeListExp(ctx_, affClot_->isChecked()); }))
        return false;
    std::optional<qint32> gardee;
    for (int rang = 0; rsExp_ && rang < jeu.nombreLignes(); ++rang)
        if (jeu.cle(rang).toInt() == rsExp_->noExpedition)
            gardee = rsExp_->noExpedition;
    // The shipment shown leaves the list: its edits are saved or dropped first.
    if (!gardee && !quitterExpedition())
        return false;
    listeExp_->remplir(std::move(jeu));
    selectionner(gardee ? rangExpedition(*gardee) : 0);
    afficherLigneCourante();
    return true;
}

int ExpModif::rangExpedition(qint32 noExp) const {
    for (int rang = 0; rang < listeExp_->nombreLignes(); ++rang)
        if (listeExp_->cle(rang).toInt() == noExp)
            return rang;
    return -1;
}

bool ExpModif::enregistrer() {
    if (!rsExp_)
        return false;
    const SaisieExpedition saisie = this->saisie();
    Enregistrement resultat;
    if (!ui::garde(ctx_, [&] { resultat = EnregistrerExpedition(ctx_, *rsExp_, saisie); }))
        return false;
    if (!resultat.refus.isEmpty())
        ctx_.prompts.exclamation(TitreModification, resultat.refus);
    if (!resultat.detail)
        return false;
    rsExp_ = resultat.detail;
    chargee_ = saisie;
    ctx_.afficheStatut(QStringLiteral("Expédition N° %1 enregistrée.").arg(rsExp_->noExpedition));
    // The row shows at once what was saved, a closing date in red bold
    // included; it stays, highlighted, until the next reload of the list.
    if (IndexExpCourant_ >= 0 && IndexExpCourant_ < listeExp_->nombreLignes() &&
        listeExp_->cle(IndexExpCourant_).toInt() == rsExp_->noExpedition) {
        ModeleRapport* ligne = listeExp_->modele();
        ligne->changerValeur(IndexExpCourant_, 1, rsExp_->libelle1);
        ligne->changerValeur(IndexExpCourant_, 2, rsExp_->libelle2);
        ligne->changerValeur(IndexExpCourant_, 4, rsExp_->dateCloture);
        ligne->marquer(IndexExpCourant_, !rsExp_->dateCloture.isNull());
    }
    return true;
}

void ExpModif::ajouterCommande() {
    if (!rsExp_)
        return;
    // The caption and the target are the shipment shown, which is the one
    // highlighted.
    const ZoneData z = expeditions::InitZoneData(*rsExp_);
    ExpAddCde ajout(ctx_, this);
    ajout.NoExpCible = rsExp_->noExpedition;
    ajout.setLibExp(z.noExp + QStringLiteral(" - ") + z.lib1 + QStringLiteral(" - ") + z.lib2);
    ajout.ChargeListCde(rsExp_->noLieuLivraison.toInt());
    ajout.exec();
    donnerFocusListe();
}

void ExpModif::SupCde() {
    if (!rsExp_ || listeCde_->nombreLignes() == 0)
        return;
    if (!ctx_.prompts.question(
            Prompts::Icone::Question, QStringLiteral("Suppression de commande d'une expédition"),
            QStringLiteral("Supprimer la(les) commande(s) sélectionnée(s) ?"), true))
        return;
    const qint32 numero = rsExp_->noExpedition;
    const QStringList commandes = listeCde_->clesCochees();
    ui::garde(ctx_, [&] { expeditions::SupCde(ctx_, numero, commandes); });
    ChargeListCde(numero);
}

void ExpModif::SupExp() {
    if (!rsExp_)
        return;
    const qint32 numero = rsExp_->noExpedition;
    if (!ctx_.prompts.question(Prompts::Icone::Question,
                               QStringLiteral("Suppression d'une expédition"),
                               QStringLiteral("Supprimer l'expédition N° %1 ?").arg(numero), true))
        return;
    if (!ui::garde(ctx_, [&] { expeditions::SupExp(ctx_, numero); }))
        return;
    // Gone with its edits: nothing is left to save.
    viderDetail();
    const int position = listeExp_->ligneCourante();
    if (!ChargeListExp()) {
        // The list still holds the deleted shipment: show nothing rather than it.
        viderDetail();
        return;
    }
    selectionner(position);
    donnerFocusListe();
}

void ExpModif::editions() {
    if (!rsExp_ || !mnuEditionExp_)
        return;
    mnuEditionExp_->popup(btEdition_->mapToGlobal(QPoint(0, 0)));
}

void ExpModif::AffImprimEtiqExp() {
    if (!rsExp_)
        return;
    // The fields on the screen count, saved or not.
    etiquettes::ExpeditionEtiquettes expedition;
    expedition.noExpedition = noExp_->text().toInt();
    expedition.libelle1 = lib1_->text();
    expedition.libelle2 = lib2_->text();
    if (!rsExp_->noLieuLivraison.isNull())
        expedition.noLieuLivraison = rsExp_->noLieuLivraison.toInt();
    expedition.nbColisReel = nbColReel_->text().trimmed().toInt();
    expedition.nbColisTheorique = nbColTheo_->text().trimmed().toInt();
    if (!etiquettes::ColisTheoriquesDefinis(ctx_, expedition))
        return;
    etiquettes::ouvrirEtiquettesExpedition(this, ctx_, expedition);
}

void ExpModif::brancherEtiquettes(bool actif) {
    if (!mnuEdEtiqExp_)
        return;
    if (actif && !connexionEtiquettes_) {
        connexionEtiquettes_ = ui::connecterGarde(ctx_, mnuEdEtiqExp_, &QAction::triggered, this,
                                                  &ExpModif::AffImprimEtiqExp);
    } else if (!actif && connexionEtiquettes_) {
        disconnect(connexionEtiquettes_);
        connexionEtiquettes_ = {};
    }
    mnuEdEtiqExp_->setEnabled(actif);
}

} // namespace tarvo::expeditions
