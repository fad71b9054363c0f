#include "InfoSoc.h"

#include "app/Contexte.h"
#include "base/Erreur.h"
#include "catalogue/ModeleSociete.h"
#include "catalogue/Societe.h"
#include "db/Base.h"
#include "ui/main/Garde.h"

#include <QApplication>
#include <QDataWidgetMapper>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace tarvo::catalogue {
namespace {

// The picture files offered; PNG and JPEG are read as well.
const QString FiltreImages =
    QStringLiteral("Image (*.gif *.bmp *.ico);;Autres images (*.png *.jpg *.jpeg)");
// 1500 twips at 15 twips a pixel.
constexpr int LargeurStatut = 100;

QToolButton* boutonNavigation(const QString& nom, const QString& texte, QWidget* parent) {
    auto* bouton = new QToolButton(parent);
    bouton->setObjectName(nom);
    bouton->setText(texte);
    bouton->setAutoRaise(true);
    return bouton;
}

QPushButton* bouton(const QString& nom, const QString& texte, QWidget* parent) {
    auto* b = new QPushButton(texte, parent);
    b->setObjectName(nom);
    return b;
}

} // namespace

InfoSoc::InfoSoc(Contexte& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("InfoSoc"));
    setWindowTitle(QStringLiteral("Informations société"));
    modele_ = new ModeleSociete(this);
    construire();
    if (const QString erreur = relire(); !erreur.isEmpty())
        signaler(erreur);
    liaison_->toFirst();
    etatBoutons(false);
    montrerPosition();
}

InfoSoc::~InfoSoc() = default;

void InfoSoc::construire() {
    liaison_ = new QDataWidgetMapper(this);
    liaison_->setModel(modele_);
    liaison_->setSubmitPolicy(QDataWidgetMapper::ManualSubmit);

    auto* grille = new QGridLayout;
    const QStringList& legendes = LegendesSociete();
    for (int colonne = 0; colonne < ColonneLogo; ++colonne) {
        auto* legende = new QLabel(legendes.at(colonne), this);
        auto* champ = new QLineEdit(this);
        champ->setObjectName(QStringLiteral("txtChamp%1").arg(colonne));
        legende->setBuddy(champ);
        grille->addWidget(legende, colonne, 0);
        grille->addWidget(champ, colonne, 1);
        liaison_->addMapping(champ, colonne);
        champs_ << champ;
    }
    grille->addWidget(new QLabel(legendes.at(ColonneLogo), this), ColonneLogo, 0, Qt::AlignTop);
    logo_ = new QLabel(this);
    logo_->setObjectName(QStringLiteral("imgLogo"));
    logo_->setToolTip(QStringLiteral("Double-cliquez pour modifier le logo"));
    logo_->setMinimumSize(120, 80);
    logo_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    grille->addWidget(logo_, ColonneLogo, 1);
    grille->setColumnStretch(1, 1);

    cmdEdit_ = bouton(QStringLiteral("cmdEdit"), QStringLiteral("Modifier"), this);
    cmdUpdate_ = bouton(QStringLiteral("cmdUpdate"), QStringLiteral("Enregistrer"), this);
    cmdCancel_ = bouton(QStringLiteral("cmdCancel"), QStringLiteral("&Annuler"), this);
    cmdRefresh_ = bouton(QStringLiteral("cmdRefresh"), QStringLiteral("Actualise&r"), this);
    cmdClose_ = bouton(QStringLiteral("cmdClose"), QStringLiteral("&Fermer"), this);
    auto* boutons = new QHBoxLayout;
    for (QPushButton* b : {cmdEdit_, cmdUpdate_, cmdCancel_, cmdRefresh_, cmdClose_})
        boutons->addWidget(b);
    boutons->addStretch();

    cmdFirst_ = boutonNavigation(QStringLiteral("cmdFirst"), QStringLiteral("|<"), this);
    cmdPrevious_ = boutonNavigation(QStringLiteral("cmdPrevious"), QStringLiteral("<"), this);
    cmdNext_ = boutonNavigation(QStringLiteral("cmdNext"), QStringLiteral(">"), this);
    cmdLast_ = boutonNavigation(QStringLiteral("cmdLast"), QStringLiteral(">|"), this);
    lblStatus_ = new QLabel(this);
    lblStatus_->setObjectName(QStringLiteral("lblStatus"));
    lblStatus_->setMinimumWidth(LargeurStatut);
    lblStatus_->setFrameShape(QFrame::StyledPanel);
    auto* bandeau = new QHBoxLayout;
    // The navigation keeps to the right edge whatever the width.
    bandeau->addStretch();
    for (QToolButton* b : {cmdFirst_, cmdPrevious_})
        bandeau->addWidget(b);
    bandeau->addWidget(lblStatus_);
    for (QToolButton* b : {cmdNext_, cmdLast_})
        bandeau->addWidget(b);

    auto* principal = new QVBoxLayout(this);
    principal->addLayout(grille);
    principal->addStretch();
    principal->addLayout(boutons);
    principal->addLayout(bandeau);

    connect(cmdFirst_, &QToolButton::clicked, this, &InfoSoc::premier);
    connect(cmdPrevious_, &QToolButton::clicked, this, &InfoSoc::precedent);
    connect(cmdNext_, &QToolButton::clicked, this, &InfoSoc::suivant);
    connect(cmdLast_, &QToolButton::clicked, this, &InfoSoc::dernier);
    connect(cmdEdit_, &QPushButton::clicked, this, &InfoSoc::modifier);
    ui::connecterGarde(ctx_, cmdUpdate_, &QPushButton::clicked, this, &InfoSoc::enregistrer);
    ui::connecterGarde(ctx_, cmdCancel_, &QPushButton::clicked, this, &InfoSoc::annuler);
    ui::connecterGarde(ctx_, cmdRefresh_, &QPushButton::clicked, this, &InfoSoc::actualiser);
    connect(cmdClose_, &QPushButton::clicked, this, &QWidget::close);
    connect(liaison_, &QDataWidgetMapper::currentIndexChanged, this, [this] {
        montrerPosition();
        montrerLogo();
    });
    // The form sees the keys before any of its controls, whichever has the
    // focus: a button would take the arrows to move the focus, and the field
    // mapping's own filter, installed with each mapping, would take Escape to
    // revert the field. Installed last, this filter runs first.
    for (QWidget* controle : findChildren<QWidget*>())
        controle->installEventFilter(this);
    resize(520, 560);
}

void InfoSoc::etatBoutons(bool edition) {
    cmdEdit_->setVisible(!edition);
    cmdRefresh_->setVisible(!edition);
    cmdClose_->setVisible(!edition);
    cmdUpdate_->setVisible(edition);
    cmdCancel_->setVisible(edition);
    for (QToolButton* b : {cmdFirst_, cmdPrevious_, cmdNext_, cmdLast_})
        b->setEnabled(!edition);
    // Text is changed only after "Modifier", never by a stray key in browse state.
    for (QLineEdit* champ : std::as_const(champs_))
        champ->setReadOnly(!edition);
}

void InfoSoc::montrerPosition() {
    lblStatus_->setText(QStringLiteral("Enregistrement : ") +
                        QString::number(liaison_->currentIndex() + 1));
}

void InfoSoc::montrerLogo() {
    QPixmap image;
    const int ligne = liaison_->currentIndex();
    if (ligne >= 0)
        image.loadFromData(modele_->data(modele_->index(ligne, ColonneLogo)).toByteArray());
    logo_->setPixmap(image);
}

bool InfoSoc::aller(int ligne) {
    if (ligne < 0 || ligne >= modele_->rowCount())
        return false;
    liaison_->setCurrentIndex(ligne);
    return true;
}

void InfoSoc::premier() {
    aller(0);
}

void InfoSoc::dernier() {
    aller(modele_->rowCount() - 1);
}

// Past either end the computer beeps and the form stays on the end row.
void InfoSoc::precedent() {
    if (!aller(liaison_->currentIndex() - 1) && modele_->rowCount() > 0)
        QApplication::beep();
}

void InfoSoc::suivant() {
    if (!aller(liaison_->currentIndex() + 1) && modele_->rowCount() > 0)
        QApplication::beep();
}

void InfoSoc::modifier() {
    if (liaison_->currentIndex() < 0) {
        signaler(QStringLiteral("Aucune information société n'est enregistrée."));
        return;
    }
    lblStatus_->setText(QStringLiteral("Modifier l'enregistrement"));
    signet_ = liaison_->currentIndex();
    lus_.clear();
    affiches_.clear();
    for (int colonne = 0; colonne < ColonneLogo; ++colonne) {
        lus_ << modele_->data(modele_->index(signet_, colonne)).toString();
        affiches_ << champs_.at(colonne)->text();
    }
    edition_ = true;
    etatBoutons(true);
}

// Only the fields the person changed are written; the form then shows the
// row as the database holds it.
void InfoSoc::enregistrer() {
    ChangementsSociete changements;
    for (int colonne = 0; colonne < ColonneLogo; ++colonne) {
        const QString texte = champs_.at(colonne)->text();
        if (texte != affiches_.value(colonne))
            changements.insert(colonne, texte);
    }
    // Refusee keeps the edit state, with the changes, for another try or
    // "&Annuler".
    if (EnregistrerSociete(ctx_, signet_, lus_, changements) != IssueEnregistrement::Refusee)
        quitterEdition();
}

// Reading the rows again drops the changes and shows a logo replaced
// meanwhile; errors while cancelling are not shown.
void InfoSoc::annuler() {
    quitterEdition();
}

QString InfoSoc::relire() {
    try {
        modele_->remplir(LireSocietes(db::Base(ctx_.cnx.get())));
    } catch (const ErreurTarvo& e) {
        return e.erreur().description;
    }
    return {};
}

void InfoSoc::quitterEdition() {
    relire();
    if (!aller(signet_))
        aller(0);
    edition_ = false;
    signet_ = -1;
    etatBoutons(false);
    montrerPosition();
    montrerLogo();
}

void InfoSoc::actualiser() {
    if (const QString erreur = relire(); !erreur.isEmpty()) {
        signaler(erreur);
        return;
    }
    liaison_->toFirst();
    montrerPosition();
    montrerLogo();
}

void InfoSoc::remplacerLogo() {
    const QString fichier = ctx_.prompts.choisirFichier(QString(), FiltreImages);
    if (fichier.isEmpty())
        return;
    const std::optional<QByteArray> octets = ChargerLogo(ctx_, fichier);
    if (!octets)
        return;
    // The first logo of an empty table made its row: show it.
    if (modele_->rowCount() == 0) {
        actualiser();
        return;
    }
    // Only the picture shown changes: text changes in progress stay pending
    // for "Enregistrer".
    QPixmap image;
    image.loadFromData(*octets);
    logo_->setPixmap(image);
}

void InfoSoc::signaler(const QString& description) {
    ctx_.prompts.message(Prompts::Icone::Aucune, QString(), description);
}

bool InfoSoc::toucheNavigation(const QKeyEvent* evenement) {
    if (edition_)
        return false;
    const bool ctrl = evenement->modifiers().testFlag(Qt::ControlModifier);
    switch (evenement->key()) {
    case Qt::Key_Escape:
        close();
        return true;
    case Qt::Key_End:
        dernier();
        return true;
    case Qt::Key_Home:
        premier();
        return true;
    case Qt::Key_Up:
    case Qt::Key_PageUp:
        ctrl ? premier() : precedent();
        return true;
    case Qt::Key_Down:
    case Qt::Key_PageDown:
        ctrl ? dernier() : suivant();
        return true;
    default:
        return false;
    }
}

bool InfoSoc::eventFilter(QObject* objet, QEvent* evenement) {
    if (objet == logo_ && evenement->type() == QEvent::MouseButtonDblClick) {
        ui::garde(ctx_, [this] { remplacerLogo(); });
        return true;
    }
    if (evenement->type() == QEvent::KeyPress &&
        toucheNavigation(static_cast<QKeyEvent*>(evenement)))
        return true;
    return QWidget::eventFilter(objet, evenement);
}

void InfoSoc::keyPressEvent(QKeyEvent* evenement) {
    if (!toucheNavigation(evenement))
        QWidget::keyPressEvent(evenement);
}

} // namespace tarvo::catalogue
