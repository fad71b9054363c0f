#include "Demarrage.h"

#include "Contexte.h"
#include "base/Ini.h"
#include "base/Version.h"

#include <QFileInfo>
#include <QProcess>

namespace tarvo {
namespace {

const QString TitreLancement = QStringLiteral("Lancement interrompu");
const QString TitreVersion = QStringLiteral("ATTENTION - VERSION INCORRECTE");
const QString PertesDonnees =
    QStringLiteral("ATTENTION CONTINUER PEUT ENTRAINER DES PERTES DE DONNEES IRREVERSIBLE !");

} // namespace

bool lancerDetache(const QString& ligneDeCommande) {
    // "C:\Program Files\…\maj.exe" is usually written without quotes: a
    // value that names an existing file as a whole is that program alone.
    if (QFileInfo(ligneDeCommande).isFile())
        return QProcess::startDetached(ligneDeCommande, {});
    QStringList morceaux = QProcess::splitCommand(ligneDeCommande);
    if (morceaux.isEmpty())
        return false;
    const QString programme = morceaux.takeFirst();
    return QProcess::startDetached(programme, morceaux);
}

bool VerifierFichierIni(Contexte& ctx) {
    if (QFileInfo(ctx.chemin(NomFichierIni)).isFile())
        return true;
    ctx.prompts.critique(TitreLancement,
                         QStringLiteral("Le fichier d'initialisation suivant est introuvable : ") +
                             NomFichierIni);
    return false;
}

bool ControleVersion(Contexte& ctx, const QString& cheminInfoVersion,
                     const LanceurProgramme& lanceur) {
    // An empty path names no file at all: it must not fall back on TARVOX.ini.
    if (cheminInfoVersion.isEmpty() || !QFileInfo(cheminInfoVersion).isFile()) {
        ctx.prompts.critique(
            TitreLancement,
            QStringLiteral("Le fichier de contrôle de version suivant est introuvable : ") +
                cheminInfoVersion);
        return false;
    }
    const QString section = QStringLiteral("[TARVOX]");
    const QString courante = VersionCourante();
    const QString reference =
        LireIni(ctx, QStringLiteral("VersionRef"), section, cheminInfoVersion);
    if (reference == courante)
        return true;

    const QString miseAJour =
        LireIni(ctx, QStringLiteral("UpdateFile"), section, cheminInfoVersion);
    const QString texte =
        QStringLiteral("La version [") + courante +
        QStringLiteral("] ne correspond pas à la version de référence [") + reference +
        QStringLiteral("]\r\nVoulez-vous effectuer la mise à jour ? - ") + miseAJour;
    if (!lanceur) {
        ctx.prompts.critique(TitreLancement + QStringLiteral(" - VERSION INCORRECTE"), texte);
        return false;
    }
    if (ctx.prompts.question(Prompts::Icone::Critique,
                             TitreLancement + QStringLiteral(" - VERSION INCORRECTE"), texte,
                             true)) {
        if (!lanceur(miseAJour))
            ctx.prompts.critique(TitreLancement,
                                 QStringLiteral("La mise à jour n'a pas pu être lancée : ") +
                                     miseAJour);
        return false;
    }
    if (!ctx.prompts.question(
            Prompts::Icone::Exclamation, TitreVersion,
            QStringLiteral("Voulez-vous continuer sans faire la mise à jour ?\r\n") + PertesDonnees,
            false))
        return false;
    if (!ctx.prompts.question(
            Prompts::Icone::Exclamation, TitreVersion,
            QStringLiteral(
                "CONFIRMEZ-vous que vous souhaitez continuer sans faire la mise à jour ?\r\n") +
                PertesDonnees,
            false))
        return false;
    return true;
}

QString LireModeSecurite(Contexte& ctx) {
    const QString mode =
        LireIni(ctx, QStringLiteral("SECURITYMODE"), QStringLiteral("[DB]")).toUpper();
    return mode == QStringLiteral("INTEG") ? mode : QStringLiteral("SQL");
}

bool ControlesDeDemarrage(Contexte& ctx, const LanceurProgramme& lanceur) {
    ctx.controleParGamme = true;
    if (!VerifierFichierIni(ctx))
        return false;
    try {
        if (!ControleVersion(ctx,
                             LireIni(ctx, QStringLiteral("FichierInfoVersion"),
                                     QStringLiteral("[Controle Version]")),
                             lanceur))
            return false;
        ctx.modeSecurite = LireModeSecurite(ctx);
    } catch (const SectionIniIntrouvable& e) {
        AfficherSectionIntrouvable(ctx, e);
        return false;
    }
    return true;
}

} // namespace tarvo
