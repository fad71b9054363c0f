// tarvoctl: the commands of Tarvo from a shell or a scheduler.
#include "Commandes.h"
#include "DernierRecours.h"
#include "ProgressionTerminal.h"
#include "PromptsTerminal.h"
#include "app/Contexte.h"
#include "app/Demarrage.h"
#include "app/OuvertureConnexion.h"
#include "base/DossierProgramme.h"
#include "base/Francais.h"
#include "base/Memoire.h"
#include "base/Version.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>
#include <cstdlib>
#ifndef Q_OS_WIN
#include <unistd.h>
#endif

using namespace tarvo;

namespace {

constexpr int StatutUsage = 2;

QString texteUsage() {
    QString texte = QStringLiteral(
        "Usage : tarvoctl [--dir DOSSIER] [--oui] [--ignorer-version] [--utilisateur NOM] "
        "COMMANDE [ARGUMENTS]\n"
        "        tarvoctl --version\n\nCommandes :\n");
    for (const ctl::Commande& c : ctl::toutesLesCommandes())
        texte += QStringLiteral("  %1 %2\n      %3\n").arg(c.nom, c.arguments, c.description);
    texte += QStringLiteral("\nSans --dir, le dossier du programme (TARVOX.ini, journaux) est "
                            "celui de la variable TARVO_DIR, sinon le dossier de tarvoctl, sinon "
                            "(programme installé) ~/.local/share/tarvo.\n");
    texte += QStringLiteral("\nLe mot de passe d'une connexion SQL Server en mode SQL est lu "
                            "dans la variable d'environnement TARVO_MOT_DE_PASSE.\n");
    return texte;
}

int usage(const QString& message) {
    QTextStream err(stderr);
    if (!message.isEmpty())
        err << message << "\n\n";
    err << texteUsage();
    return StatutUsage;
}

// The checks of the desktop start-up, then the connection Cnx.
bool preparerBase(Contexte& ctx, bool ignorerVersion, const QString& utilisateur) {
    ctx.controleParGamme = true;
    if (ignorerVersion) {
        if (!VerifierFichierIni(ctx))
            return false;
        ctx.modeSecurite = LireModeSecurite(ctx);
    } else if (!ControlesDeDemarrage(ctx, nullptr)) {
        return false;
    }
    if (ctx.modeSecurite == QStringLiteral("INTEG"))
        return ConnexionBase(ctx, QString(), QString());
    return ConnexionBase(ctx, utilisateur, qEnvironmentVariable("TARVO_MOT_DE_PASSE"));
}

int executer(int argc, char* argv[]) {
    garderLeTasMemoire();
    // Reports are laid out and painted with real fonts, which need a
    // platform; tarvoctl never shows a window, so none needs a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#ifndef Q_OS_WIN
    // A scheduler's session has no runtime folder: give Qt the private one
    // it would pick itself, so that standard error holds only Tarvo's own
    // messages.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString dossier =
            QDir::tempPath() + QStringLiteral("/runtime-tarvo-") + QString::number(::getuid());
        if (QDir().mkpath(dossier) &&
            QFile::setPermissions(dossier, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dossier));
    }
#endif
    QGuiApplication application(argc, argv);
    QCoreApplication::setApplicationName(NomProduit());
    adopterLocaleFrancaise();

    QStringList arguments = application.arguments().mid(1);
    std::optional<QString> dossier;
    bool oui = false;
    bool ignorerVersion = false;
    std::optional<QString> utilisateur;
    try {
        if (ctl::extraireDrapeau(arguments, QStringLiteral("--version"))) {
            QTextStream(stdout) << VersionCourante() << '\n';
            return 0;
        }
        if (ctl::extraireDrapeau(arguments, QStringLiteral("--aide")) ||
            ctl::extraireDrapeau(arguments, QStringLiteral("--help"))) {
            QTextStream(stdout) << texteUsage();
            return 0;
        }
        dossier = ctl::extraireValeur(arguments, QStringLiteral("--dir"));
        oui = ctl::extraireDrapeau(arguments, QStringLiteral("--oui"));
        ignorerVersion = ctl::extraireDrapeau(arguments, QStringLiteral("--ignorer-version"));
        utilisateur = ctl::extraireValeur(arguments, QStringLiteral("--utilisateur"));
    } catch (const ctl::ErreurUsage& e) {
        return usage(e.message());
    }
    if (arguments.isEmpty())
        return usage(QStringLiteral("Aucune commande indiquée."));

    const QString nom = arguments.takeFirst();
    const QList<ctl::Commande> commandes = ctl::toutesLesCommandes();
    const auto commande = std::find_if(commandes.begin(), commandes.end(),
                                       [&nom](const ctl::Commande& c) { return c.nom == nom; });
    if (commande == commandes.end())
        return usage(QStringLiteral("Commande inconnue : ") + nom);

    ctl::PromptsTerminal prompts(oui);
    ctl::ProgressionTerminal progression;
    HorlogeSysteme horloge;
    Contexte ctx(dossier ? QDir(*dossier).absolutePath() : DossierProgramme(), prompts, progression,
                 horloge);
    try {
        return ctl::DernierRecours(ctx, [&] {
            if (commande->prealable == ctl::Prealable::FichierIni && !VerifierFichierIni(ctx))
                return 1;
            if (commande->prealable == ctl::Prealable::Base &&
                !preparerBase(ctx, ignorerVersion,
                              utilisateur.value_or(qEnvironmentVariable("USER"))))
                return 1;
            return commande->executer(ctx, arguments);
        });
    } catch (const ctl::ErreurUsage& e) {
        return usage(e.message());
    }
}

// A script reading tarvoctl's output must never take a cut output for a
// whole one: output that could not be written fails the command.
int sortieEcrite(int statut) {
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return statut;
    std::fputs("tarvoctl : la sortie standard n'a pas pu être écrite.\n", stderr);
    return 1;
}

} // namespace

int main(int argc, char* argv[]) {
    return sortieEcrite(executer(argc, argv));
}
