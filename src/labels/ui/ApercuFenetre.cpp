#include "ApercuFenetre.h"

#include "labels/ApercuEpl2.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

namespace tarvo::etiquettes {

QDialog* afficherApercuEtiquette(QWidget* parent, const QByteArray& texte, const QString& legende) {
    const ApercuEtiquette apercu = ApercuEpl2(texte);
    auto* fenetre = new QDialog(parent);
    fenetre->setAttribute(Qt::WA_DeleteOnClose);
    fenetre->setObjectName(QStringLiteral("ApercuEtiquette"));
    fenetre->setWindowTitle(QStringLiteral("Aperçu de l'étiquette"));
    auto* disposition = new QVBoxLayout(fenetre);
    if (!legende.isEmpty()) {
        auto* ligne = new QLabel(legende);
        ligne->setObjectName(QStringLiteral("Legende"));
        disposition->addWidget(ligne);
    }
    auto* image = new QLabel;
    image->setObjectName(QStringLiteral("ImageEtiquette"));
    image->setPixmap(QPixmap::fromImage(apercu.image));
    auto* defilement = new QScrollArea;
    defilement->setWidget(image);
    defilement->setMinimumSize(std::min(apercu.image.width() + 24, 900),
                               std::min(apercu.image.height() + 24, 700));
    disposition->addWidget(defilement);
    auto* details = new QLabel(QStringLiteral("%1 exemplaire(s), %2 × %3 points (203 dpi)")
                                   .arg(apercu.exemplaires)
                                   .arg(apercu.image.width())
                                   .arg(apercu.image.height()));
    disposition->addWidget(details);
    if (!apercu.anomalies.isEmpty()) {
        auto* anomalies = new QLabel(apercu.anomalies.join(u'\n'));
        anomalies->setObjectName(QStringLiteral("Anomalies"));
        anomalies->setStyleSheet(QStringLiteral("color: darkred"));
        disposition->addWidget(anomalies);
    }
    auto* boutons = new QDialogButtonBox(QDialogButtonBox::Close);
    QObject::connect(boutons, &QDialogButtonBox::rejected, fenetre, &QDialog::reject);
    disposition->addWidget(boutons);
    fenetre->show();
    return fenetre;
}

} // namespace tarvo::etiquettes
