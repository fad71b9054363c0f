#include "Splash.h"

#include "Logo.h"
#include "base/Version.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace tarvo::ui {
namespace {

QLabel* etiquette(QWidget* parent, const QString& nom, const QString& texte, qreal echelle = 1,
                  bool gras = false) {
    auto* l = new QLabel(texte, parent);
    l->setObjectName(nom);
    QFont police = l->font();
    police.setPointSizeF(police.pointSizeF() * echelle);
    police.setBold(gras);
    l->setFont(police);
    return l;
}

} // namespace

FenetreDemarrage::FenetreDemarrage(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(NomProduit());
    // Only a picture: it takes no click and no keyboard focus.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);

    auto* cadre = new QFrame(this);
    cadre->setObjectName(QStringLiteral("Frame1"));
    cadre->setFrameStyle(QFrame::Box | QFrame::Raised);
    cadre->setLineWidth(2);

    auto* logo = new QLabel(cadre);
    logo->setObjectName(QStringLiteral("imgLogo"));
    logo->setPixmap(logoTarvo(96));
    logo->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    QLabel* produit = etiquette(cadre, QStringLiteral("lblProductName"), NomProduit(), 2.4, true);
    QLabel* gamme = etiquette(cadre, QStringLiteral("lblProduit"),
                              QStringLiteral("Gestionnaire des expéditions"), 1.3, true);
    QLabel* version = etiquette(cadre, QStringLiteral("lblVersion"),
                                QStringLiteral("Version ") + VersionCourante(), 1.1);
    QLabel* societe = etiquette(cadre, QStringLiteral("lblCompany"), NomSociete());
    QLabel* description =
        etiquette(cadre, QStringLiteral("lblFileDescription"), DescriptionFichier());
    description->setWordWrap(true);
    version->setAlignment(Qt::AlignRight);
    societe->setAlignment(Qt::AlignRight);

    auto* grille = new QGridLayout(cadre);
    grille->setContentsMargins(18, 18, 18, 18);
    grille->setHorizontalSpacing(18);
    grille->addWidget(logo, 0, 0, 3, 1);
    grille->addWidget(produit, 0, 1);
    grille->addWidget(gamme, 1, 1);
    grille->addWidget(version, 2, 1);
    grille->addWidget(description, 3, 0, 1, 2);
    grille->addWidget(societe, 4, 0, 1, 2);
    grille->setRowStretch(3, 1);

    auto* tout = new QVBoxLayout(this);
    tout->setContentsMargins(0, 0, 0, 0);
    tout->addWidget(cadre);
    setFixedSize(520, 300);
}

void FenetreDemarrage::afficher() {
    if (const QScreen* ecran = QGuiApplication::primaryScreen())
        move(ecran->availableGeometry().center() - rect().center());
    show();
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace tarvo::ui
