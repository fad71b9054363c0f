#include "Login.h"

#include "Garde.h"
#include "app/Contexte.h"
#include "app/OuvertureConnexion.h"
#include "base/Ini.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

namespace tarvo::ui {
namespace {

constexpr int LongueurNomMax = 255;

} // namespace

QString utilisateurSession() {
    QString nom = qEnvironmentVariable("USERNAME");
    if (nom.isEmpty())
        nom = qEnvironmentVariable("USER");
#ifdef Q_OS_UNIX
    if (nom.isEmpty())
        if (const char* session = getlogin())
            nom = QString::fromLocal8Bit(session);
    if (nom.isEmpty())
        if (const passwd* compte = getpwuid(geteuid()))
            nom = QString::fromLocal8Bit(compte->pw_name);
#endif
    return nom.left(LongueurNomMax);
}

DialogueConnexion::DialogueConnexion(Contexte& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QStringLiteral("Ouverture de session"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    utilisateur_ = new QLineEdit(utilisateurSession(), this);
    utilisateur_->setObjectName(QStringLiteral("txtUserName"));
    utilisateur_->setMaxLength(LongueurNomMax);
    motDePasse_ = new QLineEdit(this);
    motDePasse_->setObjectName(QStringLiteral("txtPassword"));
    motDePasse_->setEchoMode(QLineEdit::Password);
    // Stars, whatever the style would draw.
    motDePasse_->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));

    auto* lblUtilisateur = new QLabel(QStringLiteral("&Utilisateur:"), this);
    lblUtilisateur->setObjectName(QStringLiteral("lblLabels0"));
    lblUtilisateur->setBuddy(utilisateur_);
    auto* lblMotDePasse = new QLabel(QStringLiteral("&Mot de passe:"), this);
    lblMotDePasse->setObjectName(QStringLiteral("lblLabels1"));
    lblMotDePasse->setBuddy(motDePasse_);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    auto* annuler = new QPushButton(QStringLiteral("Annuler"), this);
    annuler->setObjectName(QStringLiteral("cmdCancel"));
    annuler->setAutoDefault(false);
    connecterGarde(ctx_, ok, &QPushButton::clicked, this, &DialogueConnexion::valider);
    // Escape and the title bar's close box reject the dialog too.
    connect(annuler, &QPushButton::clicked, this, &QDialog::reject);

    auto* formulaire = new QFormLayout;
    formulaire->addRow(lblUtilisateur, utilisateur_);
    formulaire->addRow(lblMotDePasse, motDePasse_);
    auto* boutons = new QHBoxLayout;
    boutons->addStretch(1);
    boutons->addWidget(ok);
    boutons->addWidget(annuler);
    auto* tout = new QVBoxLayout(this);
    tout->addLayout(formulaire);
    tout->addLayout(boutons);
    setMinimumWidth(340);

    if (utilisateur_->text().isEmpty())
        utilisateur_->setFocus();
    else
        motDePasse_->setFocus();
}

void DialogueConnexion::valider() {
    bool ouverte = false;
    try {
        ouverte = ConnexionBase(ctx_, utilisateur_->text(), motDePasse_->text());
    } catch (const SectionIniIntrouvable& e) {
        // The start-up ends once the dialog is closed.
        AfficherSectionIntrouvable(ctx_, e);
        arret_ = true;
        reject();
        return;
    }
    if (ouverte) {
        loginOK_ = true;
        accept();
        return;
    }
    motDePasse_->setFocus();
    motDePasse_->selectAll();
}

} // namespace tarvo::ui
