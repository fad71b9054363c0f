#include "ApercuEtat.h"

#include "app/Contexte.h"
#include "reports/Edition.h"
#include "reports/Peinture.h"
#include "ui/main/DialoguesFichiers.h"
#include "ui/main/Garde.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

namespace tarvo::editions {
namespace {

constexpr double ResolutionEcran = 96.0;

QPushButton* bouton(const QString& nom, const QString& texte, QWidget* parent) {
    auto* b = new QPushButton(texte, parent);
    b->setObjectName(nom);
    return b;
}

} // namespace

ApercuEtat::ApercuEtat(Contexte& ctx, Document document, QWidget* parent)
    : QWidget(parent, Qt::Window), ctx_(ctx), document_(std::move(document)) {
    setObjectName(QStringLiteral("ApercuEtat"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(document_.titre);

    auto* imprimer = bouton(QStringLiteral("BtImprimer"), QStringLiteral("Imprimer..."), this);
    auto* pdf = bouton(QStringLiteral("BtPdf"), QStringLiteral("Enregistrer en PDF..."), this);
    auto* fermer = bouton(QStringLiteral("BtFermer"), QStringLiteral("Fermer"), this);
    premiere_ = bouton(QStringLiteral("BtPremiere"), QStringLiteral("|<"), this);
    precedente_ = bouton(QStringLiteral("BtPrecedente"), QStringLiteral("<"), this);
    suivante_ = bouton(QStringLiteral("BtSuivante"), QStringLiteral(">"), this);
    derniere_ = bouton(QStringLiteral("BtDerniere"), QStringLiteral(">|"), this);
    numero_ = new QLabel(this);
    numero_->setObjectName(QStringLiteral("lblPage"));

    auto* barre = new QHBoxLayout;
    barre->addWidget(imprimer);
    barre->addWidget(pdf);
    barre->addStretch(1);
    barre->addWidget(premiere_);
    barre->addWidget(precedente_);
    barre->addWidget(numero_);
    barre->addWidget(suivante_);
    barre->addWidget(derniere_);
    barre->addSpacing(12);
    barre->addWidget(fermer);

    vue_ = new QLabel;
    vue_->setObjectName(QStringLiteral("VuePage"));
    defilement_ = new QScrollArea(this);
    defilement_->setWidget(vue_);
    defilement_->setAlignment(Qt::AlignHCenter);
    defilement_->setBackgroundRole(QPalette::Dark);

    auto* disposition = new QVBoxLayout(this);
    disposition->addLayout(barre);
    disposition->addWidget(defilement_, 1);

    ui::connecterGarde(ctx_, imprimer, &QPushButton::clicked, this, &ApercuEtat::imprimer);
    ui::connecterGarde(ctx_, pdf, &QPushButton::clicked, this, &ApercuEtat::choisirFichierPdf);
    connect(fermer, &QPushButton::clicked, this, &QWidget::close);
    ui::connecterGarde(ctx_, premiere_, &QPushButton::clicked, this, [this] { allerA(0); });
    ui::connecterGarde(ctx_, precedente_, &QPushButton::clicked, this,
                       [this] { allerA(page_ - 1); });
    ui::connecterGarde(ctx_, suivante_, &QPushButton::clicked, this, [this] { allerA(page_ + 1); });
    ui::connecterGarde(ctx_, derniere_, &QPushButton::clicked, this,
                       [this] { allerA(document_.pages.size() - 1); });

    allerA(0);
    // The whole width of a page and as much of its height as the screen allows.
    const int largeur = vue_->width() + 60;
    int hauteur = vue_->height() + 80;
    if (const QScreen* ecran = screen())
        hauteur = qMin(hauteur, ecran->availableGeometry().height() - 60);
    resize(largeur, hauteur);
}

void ApercuEtat::allerA(qsizetype page) {
    page = qBound<qsizetype>(0, page, document_.pages.size() - 1);
    if (page == page_ || document_.pages.isEmpty())
        return;
    page_ = page;
    vue_->setPixmap(QPixmap::fromImage(imagePage(document_, page_, ResolutionEcran)));
    vue_->adjustSize();
    numero_->setText(QStringLiteral("Page %1/%2").arg(page_ + 1).arg(document_.pages.size()));
    premiere_->setEnabled(page_ > 0);
    precedente_->setEnabled(page_ > 0);
    suivante_->setEnabled(page_ + 1 < document_.pages.size());
    derniere_->setEnabled(page_ + 1 < document_.pages.size());
}

void ApercuEtat::imprimer() {
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setFullPage(true);
    imprimante.setPageSize(QPageSize(QPageSize::A4));
    imprimante.setDocName(document_.titre);
    QPrintDialog dialogue(&imprimante, this);
    if (dialogue.exec() != QDialog::Accepted)
        return;
    QPainter peintre;
    if (!peintre.begin(&imprimante)) {
        ctx_.prompts.critique(QStringLiteral("Erreur"),
                              QStringLiteral("L'impression n'a pas pu commencer."));
        return;
    }
    for (qsizetype n = 0; n < document_.pages.size(); ++n) {
        if (n > 0)
            imprimante.newPage();
        peindrePage(peintre, document_, n);
    }
    peintre.end();
}

bool ApercuEtat::enregistrerPdf(const QString& fichier) {
    return ui::garde(ctx_, [&] { ecrirePdf(document_, avecExtensionPdf(fichier)); });
}

void ApercuEtat::keyPressEvent(QKeyEvent* evenement) {
    if (evenement->key() == Qt::Key_Escape && evenement->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(evenement);
}

void ApercuEtat::choisirFichierPdf() {
    const QString fichier = ui::choisirFichierEnregistrement(
        this, QStringLiteral("Enregistrer en PDF"), ui::GenreFichier::Pdf,
        document_.nomFichier.isEmpty() ? document_.titre + QStringLiteral(".pdf")
                                       : document_.nomFichier);
    if (!fichier.isEmpty())
        enregistrerPdf(fichier);
}

ApercuEtat* ouvrirApercu(Contexte& ctx, const Document& document, QWidget* parent) {
    auto* apercu = new ApercuEtat(ctx, document, parent ? parent->window() : nullptr);
    apercu->show();
    apercu->raise();
    apercu->activateWindow();
    return apercu;
}

} // namespace tarvo::editions
