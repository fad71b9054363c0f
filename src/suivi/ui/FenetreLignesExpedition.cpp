#include "FenetreLignesExpedition.h"

#include "FenetreALaPlace.h"
#include "FenetreExplication.h"
#include "TableauSuivi.h"
#include "app/Contexte.h"
#include "db/Base.h"
#include "suivi/Explication.h"
#include "ui/main/Garde.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tarvo::suivi {

FenetreLignesExpedition::FenetreLignesExpedition(Contexte& ctx, qint32 noExp,
                                                 DetailExpedition detail, QWidget* parent)
    : QDialog(parent), ctx_(ctx), noExp_(noExp), detail_(std::move(detail)) {
    setObjectName(QStringLiteral("SuiviLignes"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Lignes de l'expédition N° %1").arg(noExp));

    QTableWidget* lignes = tableau(this, QStringLiteral("LignesExpedition"),
                                   {QStringLiteral("Article"), QStringLiteral("Code barres"),
                                    QStringLiteral("Désignation"), QStringLiteral("Couleur"),
                                    QStringLiteral("Qté commandée"), QStringLiteral("Qté préparée"),
                                    QStringLiteral("Différence")});
    for (const LigneArticle& l : detail_.lignes) {
        const QColor couleur = l.difference() == 0 ? QColor() : QColor(0xB0, 0x00, 0x00);
        ajouterLigne(lignes,
                     {l.reference, l.codeBarres, l.designation, l.couleur,
                      QString::number(l.qteCommandee), QString::number(l.qtePreparee),
                      QString::number(l.difference())},
                     {4, 5, 6}, couleur);
    }
    lignes->resizeColumnsToContents();
    connect(lignes, &QTableWidget::cellDoubleClicked, this,
            [this](int rang, int) { expliquer(rang); });

    QTableWidget* suspects = tableau(this, QStringLiteral("ColisSuspects"),
                                     {QStringLiteral("Colis"), QStringLiteral("Poids pesé (kg)"),
                                      QStringLiteral("Poids attendu (kg)"),
                                      QStringLiteral("Écart %"), QStringLiteral("État")});
    for (const ColisControle& c : detail_.colisSuspects)
        // The weight check's own French figures: weights to the gram, the gap
        // to a tenth.
        ajouterLigne(suspects, TexteColisControle(c).split(u';'), {0, 1, 2, 3});
    suspects->resizeColumnsToContents();

    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(lignes, 3);
    disposition->addWidget(
        new QLabel(detail_.colisSuspects.isEmpty()
                       ? QStringLiteral("Aucun colis suspect.")
                       : QStringLiteral("Colis suspects (%1) :").arg(detail_.colisSuspects.size()),
                   this));
    disposition->addWidget(suspects, 1);
    suspects->setVisible(!detail_.colisSuspects.isEmpty());
    disposition->addWidget(new QLabel(
        QStringLiteral("Double-clic sur une ligne : les saisies derrière sa quantité préparée."),
        this));
    resize(820, 460);
}

void FenetreLignesExpedition::expliquer(int rang) {
    if (rang < 0 || rang >= detail_.lignes.size())
        return;
    const LigneArticle& ligne = detail_.lignes.at(rang);
    Explication explication;
    if (!ui::garde(ctx_, [&] {
            explication = Expliquer(db::Base(ctx_.cnx.get()), noExp_, ligne.codeBarres);
        }))
        return;
    montrerALaPlace(new FenetreExplication(noExp_, ligne, explication, this), ligne.codeBarres);
}

} // namespace tarvo::suivi
