#include "ArtEdEtiq.h"

#include "ApercuFenetre.h"
#include "app/Contexte.h"
#include "base/Erreur.h"
#include "labels/ImprEtiq.h"
#include "labels/PrinterSystem.h"
#include "ui/main/Garde.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace tarvo::etiquettes {

ArtEdEtiq::ArtEdEtiq(Contexte& ctx, QWidget* parent)
    : QDialog(parent), ctx_(ctx), CbArt_(new QLineEdit), LibArt_(new QLineEdit),
      NbEtiq_(new QLineEdit), BtImprim_(new QPushButton(QStringLiteral("Imprimer étiquette code "
                                                                       "barres"))) {
    setObjectName(QStringLiteral("ArtEdEtiq"));
    setWindowTitle(QStringLiteral("Edition des étiquettes code barres article"));
    CbArt_->setObjectName(QStringLiteral("CbArt"));
    CbArt_->setInputMask(QStringLiteral("0000000000000; "));
    LibArt_->setObjectName(QStringLiteral("LibArt"));
    LibArt_->setReadOnly(true);
    LibArt_->setMinimumWidth(LibArt_->fontMetrics().averageCharWidth() * 42);
    // Enter after a scan goes straight on to the number of labels.
    LibArt_->setFocusPolicy(Qt::ClickFocus);
    NbEtiq_->setObjectName(QStringLiteral("NbEtiq"));
    NbEtiq_->setInputMask(QStringLiteral("000; "));
    BtImprim_->setObjectName(QStringLiteral("BtImprim"));
    BtImprim_->setAutoDefault(false);
    auto* apercu = new QPushButton(QStringLiteral("Aperçu"));
    apercu->setObjectName(QStringLiteral("BtApercu"));
    apercu->setAutoDefault(false);

    auto* formulaire = new QFormLayout(this);
    formulaire->addRow(QStringLiteral("Code barre :"), CbArt_);
    formulaire->addRow(QStringLiteral("Libellé article :"), LibArt_);
    formulaire->addRow(QStringLiteral("Nombre d'étiquette :"), NbEtiq_);
    auto* boutons = new QHBoxLayout;
    boutons->addWidget(BtImprim_);
    boutons->addWidget(apercu);
    formulaire->addRow(boutons);
    formulaire->setSizeConstraint(QLayout::SetFixedSize);

    // A scanner ends the code with Enter: it moves on to the next field once
    // the code names an article.
    ui::connecterGarde(ctx_, CbArt_, &QLineEdit::returnPressed, this, [this] {
        if (validerCodeBarre())
            focusNextChild();
    });
    ui::connecterGarde(ctx_, CbArt_, &QLineEdit::editingFinished, this, [this] {
        if (!CbArt_->hasFocus())
            validerCodeBarre();
    });
    connect(NbEtiq_, &QLineEdit::returnPressed, this, [this] { focusNextChild(); });
    ui::connecterGarde(ctx_, BtImprim_, &QPushButton::clicked, this, &ArtEdEtiq::ImprEtiqArticle);
    ui::connecterGarde(ctx_, apercu, &QPushButton::clicked, this, &ArtEdEtiq::apercu);
}

bool ArtEdEtiq::validerCodeBarre() {
    const QString code = CbArt_->text();
    if (article_ && code == codeValide_)
        return true;
    std::optional<ArticleEtiquette> trouve;
    // A failed search shows its box and leaves the code to correct.
    ui::garde(ctx_, [&] { trouve = ChercherArticle(ctx_, code); });
    if (!trouve) {
        LibArt_->clear();
        // Focus changes are still being delivered: take it back afterwards.
        QTimer::singleShot(0, CbArt_, [champ = CbArt_] { champ->setFocus(); });
        CbArt_->setFocus();
        return false;
    }
    article_ = trouve;
    codeValide_ = code;
    LibArt_->setText(article_->libelle);
    LibArt_->setCursorPosition(0);
    return true;
}

void ArtEdEtiq::ImprEtiqArticle() {
    // The button cannot be reached while the code names no article.
    if (!validerCodeBarre())
        return;
    const auto systeme = systemeImpression();
    etiquettes::ImprEtiqArticle(ctx_, *systeme, *article_, NbEtiq_->text());
}

void ArtEdEtiq::apercu() {
    if (!validerCodeBarre())
        return;
    afficherApercuEtiquette(this, TexteArticleFenetre(ctx_, *article_, NbEtiq_->text()));
}

} // namespace tarvo::etiquettes
