#include "APropos.h"

#include "Logo.h"
#include "app/Contexte.h"
#include "base/Version.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#ifdef Q_OS_WIN
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#endif

namespace tarvo::ui {
namespace {

QFrame* ligne(QWidget* parent, const QString& nom) {
    auto* l = new QFrame(parent);
    l->setObjectName(nom);
    l->setFrameShape(QFrame::HLine);
    l->setFrameShadow(QFrame::Sunken);
    return l;
}

QLabel* etiquette(QWidget* parent, const QString& nom, const QString& texte) {
    auto* l = new QLabel(texte, parent);
    l->setObjectName(nom);
    return l;
}

#ifdef Q_OS_WIN
// A text value of HKEY_LOCAL_MACHINE; empty when the key or the value is absent.
QString valeurRegistre(const QString& cle, const QString& valeur) {
    QSettings registre(QStringLiteral("HKEY_LOCAL_MACHINE\\") + cle, QSettings::NativeFormat);
    return registre.value(valeur).toString();
}

bool lancerOutilSysteme() {
    const QString chemin = valeurRegistre(
        QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"), QStringLiteral("PATH"));
    if (!chemin.isEmpty())
        return QProcess::startDetached(chemin, {});
    const QString dossier = valeurRegistre(
        QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"), QStringLiteral("MSINFO"));
    if (dossier.isEmpty())
        return false;
    const QString programme = dossier + QStringLiteral("\\MSINFO32.EXE");
    return QFileInfo(programme).isFile() && QProcess::startDetached(programme, {});
}
#endif

} // namespace

FenetreAPropos::FenetreAPropos(Contexte& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("À propos de Tarvo"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* icone = new QLabel(this);
    icone->setObjectName(QStringLiteral("picIcon"));
    icone->setPixmap(logoTarvo(48));
    icone->setAlignment(Qt::AlignTop);

    QLabel* titre = etiquette(this, QStringLiteral("lblTitle"), NomProduit());
    QFont grand = titre->font();
    grand.setPointSizeF(grand.pointSizeF() * 1.6);
    grand.setBold(true);
    titre->setFont(grand);
    QLabel* version = etiquette(this, QStringLiteral("lblVersion"),
                                QStringLiteral("Version ") + VersionCourante());
    QLabel* description = etiquette(this, QStringLiteral("lblDescription"), DescriptionFichier());
    description->setWordWrap(true);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* systeme = new QPushButton(QStringLiteral("Infos &système..."), this);
    systeme->setObjectName(QStringLiteral("cmdSysInfo"));
    systeme->setAutoDefault(false);
    connect(systeme, &QPushButton::clicked, this, &FenetreAPropos::informationsSysteme);

    auto* texte = new QVBoxLayout;
    texte->addWidget(titre);
    texte->addWidget(version);
    texte->addWidget(ligne(this, QStringLiteral("Line1")));
    texte->addWidget(description);
    texte->addStretch(1);

    auto* haut = new QHBoxLayout;
    haut->addWidget(icone);
    haut->addLayout(texte, 1);

    auto* boutons = new QVBoxLayout;
    boutons->addWidget(ok);
    boutons->addWidget(systeme);
    auto* bas = new QHBoxLayout;
    bas->addStretch(1);
    bas->addLayout(boutons);

    auto* tout = new QVBoxLayout(this);
    tout->addLayout(haut, 1);
    tout->addWidget(ligne(this, QStringLiteral("Line2")));
    tout->addLayout(bas);
    resize(460, 260);
}

void FenetreAPropos::informationsSysteme() {
#ifdef Q_OS_WIN
    if (lancerOutilSysteme())
        return;
#endif
    ctx_.prompts.message(Prompts::Icone::Aucune, QString(),
                         QStringLiteral("Les informations système ne sont pas disponibles pour "
                                        "l'instant"));
}

} // namespace tarvo::ui
