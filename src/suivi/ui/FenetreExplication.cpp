#include "FenetreExplication.h"

#include "TableauSuivi.h"

#include <QFileInfo>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tarvo::suivi {
namespace {

QString moment(const QDateTime& d) {
    return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")) : QString();
}

// As entered, a withdrawal with its minus sign.
QString quantiteSignee(const LigneExpliquee& l) {
    const qint64 signee = l.codeType == QStringLiteral("{EXPSA}") ? -l.quantite : l.quantite;
    return (signee > 0 ? QStringLiteral("+") : QString()) + QString::number(signee);
}

} // namespace

FenetreExplication::FenetreExplication(qint32 noExp, const LigneArticle& ligne,
                                       const Explication& explication, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("SuiviExplication"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Explication : expédition N° %1, code barres %2")
                       .arg(noExp)
                       .arg(ligne.codeBarres));

    auto* article = new QLabel(QStringLiteral("%1 %2 : commandé %3")
                                   .arg(ligne.reference, ligne.designation)
                                   .arg(ligne.qteCommandee),
                               this);
    auto* preparee = new QLabel(
        QStringLiteral("Quantité préparée : %1").arg(explication.quantitePreparee), this);
    preparee->setObjectName(QStringLiteral("QuantitePreparee"));
    QFont gras = preparee->font();
    gras.setBold(true);
    preparee->setFont(gras);

    QTableWidget* saisies =
        tableau(this, QStringLiteral("Saisies"),
                {QStringLiteral("Saisie"), QStringLiteral("Colis"), QStringLiteral("Type"),
                 QStringLiteral("Quantité"), QStringLiteral("Intégration"),
                 QStringLiteral("Archive"), QStringLiteral("Effet")});
    for (const LigneExpliquee& l : explication.lignes) {
        const bool compte = l.effet == Effet::Compte;
        ajouterLigne(saisies,
                     {moment(l.dateSaisie), l.colis,
                      l.typeSaisie + QStringLiteral(" ") + l.codeType, quantiteSignee(l),
                      moment(l.dateIntegration), QFileInfo(l.archive).fileName(),
                      texteEffet(l.effet)},
                     {3}, compte ? QColor() : QColor(0x80, 0x80, 0x80), !compte);
        // The archive's folder is the same for every run: its name alone in
        // the grid, the whole path under the pointer.
        saisies->item(saisies->rowCount() - 1, 5)->setToolTip(l.archive);
    }
    saisies->resizeColumnsToContents();

    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(article);
    disposition->addWidget(preparee);
    disposition->addWidget(saisies, 1);
    disposition->addWidget(new QLabel(QStringLiteral("En gris : les saisies qui ne comptent plus, "
                                                     "avec la raison dans « Effet »."),
                                      this));
    resize(1100, 380);
}

} // namespace tarvo::suivi
