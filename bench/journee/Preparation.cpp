#include "Preparation.h"

#include "ServeurDeTest.h"

#include <QDir>
#include <QFile>

namespace journee {
namespace {

bool ecrire(const QString& chemin, const QByteArray& contenu) {
    QFile f(chemin);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           f.write(contenu) == contenu.size() && f.flush();
}

QByteArray ini(const QString& racine) {
    const QString d = racine + u'/';
    return QStringLiteral("[DB]\r\n"
                          "PROVIDER=SQLITE\r\n"
                          "SECURITYMODE=INTEG\r\n"
                          "SERVERNAME=\r\n"
                          "DBNAME=tarvo.db\r\n"
                          "[Controle Version]\r\n"
                          "FichierInfoVersion=%1version.ini\r\n"
                          "[SCANPAL2]\r\n"
                          "FichierArticle=%1terminal/ARTICLE.TXT\r\n"
                          "FichierExpedition=%1terminal/EXPEDITION.TXT\r\n"
                          "FichierData=%1terminal/DATA.TXT\r\n"
                          "CheminArchiveData=%1archive/\r\n"
                          "[ZEBRA]\r\n"
                          "NomImprimanteArt=ZEBRA-ART\r\n"
                          "MargeGaucheArt=10\r\n"
                          "NomImprimanteExp=ZEBRA-EXP\r\n"
                          "MargeGaucheExp=10\r\n")
        .arg(d)
        .toUtf8();
}

} // namespace

QString passerSurServeur(Journee& j) {
    const std::optional<tarvo::test::ServeurEssai>& serveur = tarvo::test::ServeurEssaiDisponible();
    if (!serveur)
        return QStringLiteral("Aucun moteur T-SQL d'essai ne tourne.");
    const QString base = tarvo::test::CreerBaseServeur();
    tarvo::test::CopierVersServeur(j.dossier.base, base);
    if (!ecrire(j.dossier.chemin(QStringLiteral("TARVOX.ini")),
                tarvo::test::IniSurServeur(ini(j.dossier.racine), base)))
        return QStringLiteral("Impossible d'écrire la configuration dans %1").arg(j.dossier.racine);
    j.parametres = tarvo::test::ParametresServeur(base);
    j.compte = {QStringLiteral("--utilisateur"), serveur->utilisateur};
    qputenv("TARVO_MOT_DE_PASSE", serveur->motDePasse.toUtf8());
    return {};
}

QString preparerDossier(Journee& j) {
    QDir racine(j.dossier.racine);
    for (const char* d : {"terminal", "archive", "spool/ZEBRA-ART", "spool/ZEBRA-EXP", "editions",
                          "exports", "sorties"})
        if (!racine.mkpath(QString::fromLatin1(d)))
            return QStringLiteral("Impossible de créer %1")
                .arg(racine.filePath(QString::fromLatin1(d)));
    const Issue version = j.lanceur.executer(j.tarvoctl, {QStringLiteral("--version")});
    if (version.statut != 0)
        return QStringLiteral("%1 --version échoue").arg(j.tarvoctl);
    if (!ecrire(j.dossier.chemin(QStringLiteral("TARVOX.ini")), ini(j.dossier.racine)) ||
        !ecrire(j.dossier.chemin(QStringLiteral("version.ini")),
                "[TARVOX]\r\nVersionRef=" + version.sortie.trimmed() +
                    "\r\nUpdateFile=/bin/true\r\n"))
        return QStringLiteral("Impossible d'écrire la configuration dans %1").arg(j.dossier.racine);
    const Issue base = j.commande({QStringLiteral("init-base"), QStringLiteral("--demo")});
    if (base.statut != 0)
        return QStringLiteral("init-base --demo échoue : %1").arg(QString::fromUtf8(base.erreurs));
    return {};
}

} // namespace journee
