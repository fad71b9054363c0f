#include "ExpEdEtiq.h"

#include "ApercuFenetre.h"
#include "app/Contexte.h"
#include "base/Erreur.h"
#include "labels/EtiquettesArticle.h"
#include "labels/ImprEtiq.h"
#include "labels/PrinterSystem.h"
#include "ui/main/Garde.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace tarvo::etiquettes {
namespace {

QLineEdit* champ(const QString& nom, const QString& texte, bool lectureSeule) {
    auto* c = new QLineEdit(texte);
    c->setObjectName(nom);
    c->setReadOnly(lectureSeule);
    c->setCursorPosition(0);
    return c;
}

// The leading number of a field, 0 when there is none.
int nombre(const QLineEdit* c) {
    try {
        return NombreEtiquettes(c->text());
    } catch (const ErreurTarvo&) {
        return 0;
    }
}

} // namespace

ExpEdEtiq::ExpEdEtiq(Contexte& ctx, const ExpeditionEtiquettes& expedition, QWidget* parent)
    : QDialog(parent), ctx_(ctx), expedition_(expedition),
      NbColTheo_(
          champ(QStringLiteral("NbColTheo"), QString::number(expedition.nbColisTheorique), true)),
      NoColis1_(champ(QStringLiteral("NoColis1"), QString(), false)),
      NoColis2_(champ(QStringLiteral("NoColis2"), QString(), false)) {
    setObjectName(QStringLiteral("ExpEdEtiq"));
    setWindowTitle(QStringLiteral("Edition des étiquettes expédition"));
    NoColis1_->setInputMask(QStringLiteral("000; "));
    NoColis2_->setInputMask(QStringLiteral("000; "));
    NoColis1_->setText(QStringLiteral("1"));
    NoColis2_->setText(QString::number(expedition.nbColisTheorique));

    auto* imprimer = new QPushButton(QStringLiteral("Imprimer étiquette expédition"));
    imprimer->setObjectName(QStringLiteral("BtImprim"));
    imprimer->setAutoDefault(false);
    auto* apercu = new QPushButton(QStringLiteral("Aperçu"));
    apercu->setObjectName(QStringLiteral("BtApercu"));
    apercu->setAutoDefault(false);

    auto* formulaire = new QFormLayout(this);
    formulaire->addRow(
        QStringLiteral("No Expédition :"),
        champ(QStringLiteral("NoExp"), QString::number(expedition.noExpedition), true));
    auto* lib1 = champ(QStringLiteral("Lib1"), expedition.libelle1, true);
    lib1->setMinimumWidth(lib1->fontMetrics().averageCharWidth() * 42);
    formulaire->addRow(QStringLiteral("Libellé 1 :"), lib1);
    formulaire->addRow(QStringLiteral("Libellé 2 :"),
                       champ(QStringLiteral("Lib2"), expedition.libelle2, true));
    formulaire->addRow(
        QStringLiteral("Nbr colis réel:"),
        champ(QStringLiteral("NbColReel"), QString::number(expedition.nbColisReel), true));
    formulaire->addRow(QStringLiteral("Nbr colis théorique:"), NbColTheo_);
    formulaire->addRow(QStringLiteral("Etiquette du colis N° :"), NoColis1_);
    formulaire->addRow(QStringLiteral("au colis N° :"), NoColis2_);
    auto* boutons = new QHBoxLayout;
    boutons->addWidget(imprimer);
    boutons->addWidget(apercu);
    formulaire->addRow(boutons);
    formulaire->setSizeConstraint(QLayout::SetFixedSize);

    ui::connecterGarde(ctx_, imprimer, &QPushButton::clicked, this, &ExpEdEtiq::imprimer);
    ui::connecterGarde(ctx_, apercu, &QPushButton::clicked, this, &ExpEdEtiq::apercu);
}

std::optional<std::pair<int, int>> ExpEdEtiq::plage() {
    const int premier = nombre(NoColis1_);
    const int dernier = nombre(NoColis2_);
    if (!PlageColisValide(premier, dernier, nombre(NbColTheo_))) {
        ctx_.prompts.exclamation(QStringLiteral("Valeur incorrecte"),
                                 QStringLiteral("N° de colis incorrect"));
        return std::nullopt;
    }
    return std::pair{premier, dernier};
}

void ExpEdEtiq::imprimer() {
    if (const auto p = plage()) {
        const auto systeme = systemeImpression();
        ImprEtiqExp(ctx_, *systeme, expedition_, p->first, p->second);
    }
}

void ExpEdEtiq::apercu() {
    const auto p = plage();
    if (!p)
        return;
    // The others differ only by their parcel number.
    const int nombre = p->second - p->first + 1;
    const QString legende =
        nombre == 1
            ? QStringLiteral("Étiquette du colis %1.").arg(p->first)
            : QStringLiteral("Première étiquette sur %1 : colis %2 (les colis %2 à %3 seront "
                             "imprimés).")
                  .arg(nombre)
                  .arg(p->first)
                  .arg(p->second);
    afficherApercuEtiquette(this, EtiquettesColis(ctx_, expedition_).texte(p->first), legende);
}

void ouvrirEtiquettesExpedition(QWidget* parent, Contexte& ctx, qint32 noExpedition) {
    std::optional<ExpeditionEtiquettes> expedition;
    if (!ui::garde(ctx, [&] { expedition = ChargerExpeditionEtiquettes(ctx, noExpedition); }))
        return;
    if (!expedition) {
        ctx.prompts.exclamation(
            QStringLiteral("Etiquettes expédition"),
            QStringLiteral("L'expédition n° %1 n'existe plus.").arg(noExpedition));
        return;
    }
    ouvrirEtiquettesExpedition(parent, ctx, *expedition);
}

void ouvrirEtiquettesExpedition(QWidget* parent, Contexte& ctx,
                                const ExpeditionEtiquettes& expedition) {
    if (!ColisTheoriquesDefinis(ctx, expedition))
        return;
    ExpEdEtiq fenetre(ctx, expedition, parent);
    fenetre.exec();
}

} // namespace tarvo::etiquettes
