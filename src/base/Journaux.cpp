#include "Journaux.h"

#include "Environnement.h"
#include "FichierRegulier.h"
#include "Windows1252.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <filesystem>

namespace tarvo {
namespace {

const QString CRLF = QStringLiteral("\r\n");
// Rolling a log takes a rename; the lock is held no longer than that.
constexpr int DelaiVerrou = 2000;

// Several programs may write the same log at once (workstation windows,
// tarvoctl): the lock lets one of them roll it, and the ones that saw the long
// file before it was rolled find the new short one and append to it. Never
// fails: a log that cannot be rolled now (locked too long, opened by another
// program on Windows) takes this entry and is rolled at a later write.
void tournerSiTropLong(const QString& chemin, const QString& precedent) {
    if (fichiers::nature(chemin) != fichiers::Nature::Regulier ||
        QFileInfo(chemin).size() < TailleMaxJournal)
        return;
    QLockFile verrou(chemin + QStringLiteral(".verrou"));
    if (!verrou.tryLock(DelaiVerrou) || QFileInfo(chemin).size() < TailleMaxJournal)
        return;
    // Replaces the older previous file in one step on every system.
    std::error_code ignoree;
    std::filesystem::rename(QFileInfo(chemin).filesystemFilePath(),
                            QFileInfo(precedent).filesystemFilePath(), ignoree);
}

// A log is opened as a regular file of the program folder only: never
// through a link, which would write wherever it points, nor a FIFO, which
// would hold the program.
void ajouterAuFichier(Environnement& ctx, const QString& nomFichier, const QString& texte) {
    const QString chemin = ctx.chemin(nomFichier);
    tournerSiTropLong(chemin, ctx.chemin(nomJournalPrecedent(nomFichier)));
    const QString source = QStringLiteral("EcrireLog");
    const QString motsEchec = QStringLiteral("Impossible d'écrire dans le fichier ");
    QFile f;
    fichiers::ouvrirEnAjout(f, chemin, source, motsEchec);
    fichiers::ecrire(f, chemin, Windows1252::encoder(texte), source, motsEchec);
}

} // namespace

QString nomJournalPrecedent(const QString& nomFichier) {
    const QFileInfo info(nomFichier);
    return info.completeBaseName() + QStringLiteral(".ancien.") + info.suffix();
}

QString horodatageJournal(const QDateTime& moment) {
    return moment.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
}

void EcrireLog(Environnement& ctx, const QString& nomFichier, const QString& texte) {
    ajouterAuFichier(ctx, nomFichier,
                     horodatageJournal(ctx.horloge.maintenant()) + u' ' + texte + CRLF);
}

void TraceDebug(Environnement& ctx, const QString& texte) {
    EcrireLog(ctx, FichierDebug, texte);
}

void TraceErreur(Environnement& ctx, const QString& message, qint32 numero,
                 const QString& description) {
    const QString ligne =
        message + QStringLiteral(" Err=") + QString::number(numero) + u' ' + description;
    EcrireLog(ctx, FichierErreurs, ligne);
    ctx.prompts.message(Prompts::Icone::Aucune, QString(), ligne);
}

void trace_erreur_etat(Environnement& ctx, const QString& nomEtat, const QString& nomCommande,
                       const EchecEtat& echec) {
    const Erreur& e = echec.erreur;
    ctx.prompts.critique(
        QString(), QStringLiteral("Problème de connexion lors du calcul de l'état ") + nomEtat +
                       CRLF + QStringLiteral("Erreur n° : ") + QString::number(e.numero) + u' ' +
                       e.description + CRLF +
                       QStringLiteral("Informations détaillées dans le fichier ") + FichierErreurs);

    QString bloc;
    auto ligne = [&bloc](const QString& texte) { bloc += texte + CRLF; };
    ligne(horodatageJournal(ctx.horloge.maintenant()) +
          QStringLiteral(" Erreur lors du calcul du l'état ") + nomEtat);
    ligne(QStringLiteral("Erreur n° : ") + QString::number(e.numero));
    ligne(QStringLiteral("Source    : ") + e.source);
    ligne(QStringLiteral("LastDllError: ") + QString::number(echec.derniereErreurSysteme));
    ligne(QStringLiteral("Description : ") + e.description);
    ligne(QStringLiteral("Problème de connexion - Nb Erreur : ") +
          QString::number(echec.erreursConnexion.size()));
    for (qsizetype i = 0; i < echec.erreursConnexion.size(); ++i) {
        const ErreurFournisseur& f = echec.erreursConnexion[i];
        ligne(QStringLiteral("Erreur #    : ") + QString::number(i) + u' ' +
              QString::number(f.numero));
        ligne(QStringLiteral("Source      : ") + f.source);
        ligne(QStringLiteral("NativeError : ") + QString::number(f.erreurNative));
        ligne(QStringLiteral("Description : ") + f.description);
        ligne(QStringLiteral("SQLState    : ") + f.etatSql);
    }
    ligne(QString());
    ligne(QStringLiteral("DataEnv command     : ") + nomCommande);
    ligne(QStringLiteral("DataEnv CommandText : ") + echec.texteCommande);
    ligne(QStringLiteral("---------------"));
    ajouterAuFichier(ctx, FichierErreurs, bloc);
}

} // namespace tarvo
