#include "IntegData.h"

#include "FichiersIntegres.h"
#include "Integration.h"
#include "LecteurLignes.h"
#include "Saisies.h"
#include "SqlTerminal.h"
#include "SuiviLignes.h"
#include "app/Connexion.h"
#include "app/Contexte.h"
#include "app/FormesMessages.h"
#include "app/Ini.h"
#include "app/Journaux.h"
#include "db/Dialecte.h"
#include "db/Transaction.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <filesystem>
#include <optional>

namespace tarvo::terminal {
namespace {

const QString Source = QStringLiteral("IntegData");
const QString Section = QStringLiteral("[SCANPAL2]");
const QString CRLF = QStringLiteral("\r\n");

// Two runs in the same second must not share an archive: the later one
// takes the first free name, with its rank in brackets.
QString cheminArchive(const QString& dossier, const QDateTime& dateIntegration) {
    QString chemin = QDir::fromNativeSeparators(dossier);
    if (!chemin.endsWith(u'/'))
        chemin += u'/';
    const QString debut = chemin + QStringLiteral("Intégration du ") +
                          dateIntegration.toString(QStringLiteral("yyyy-MM-dd à HH'h'mm'mn'ss"));
    QString nom = debut + QStringLiteral(".txt");
    for (int rang = 2; QFileInfo::exists(nom); ++rang)
        nom = debut + QStringLiteral(" (%1).txt").arg(rang);
    return nom;
}

// A complete copy of the first `taille` bytes under its final name, or none:
// a copy that fails half-way leaves no truncated archive behind.
void copierVersArchive(const QString& source, const QString& archive, qint64 taille) {
    QFile entree(source);
    QSaveFile sortie(archive);
    auto echec = [&](const QString& raison) {
        throw ErreurTarvo(NumeroErreur::FichierIllisible, Source,
                          QStringLiteral("Impossible d'archiver le fichier %1 sous %2 : %3")
                              .arg(source, archive, raison));
    };
    auto abandon = [&] {
        const QString raison = sortie.errorString();
        sortie.cancelWriting();
        echec(raison);
    };
    if (!entree.open(QIODevice::ReadOnly))
        echec(entree.errorString());
    if (!sortie.open(QIODevice::WriteOnly))
        echec(sortie.errorString());
    QByteArray bloc(1 << 20, Qt::Uninitialized);
    for (qint64 reste = taille; reste > 0;) {
        const qint64 lus = entree.read(bloc.data(), std::min<qint64>(reste, bloc.size()));
        if (lus < 0)
            echec(entree.errorString());
        if (lus == 0)
            echec(QStringLiteral("fichier raccourci pendant l'intégration"));
        if (sortie.write(bloc.constData(), lus) != lus)
            abandon();
        reste -= lus;
    }
    // A small file waits whole in the device's buffer: on a full disk only
    // the flush fails, and the commit must not keep an empty archive.
    if (!sortie.flush())
        abandon();
    if (!sortie.commit())
        echec(sortie.errorString());
}

void supprimerFichierData(const QString& travail) {
    QFile data(travail);
    if (!data.remove())
        throw ErreurTarvo(NumeroErreur::FichierIllisible, Source,
                          QStringLiteral("Les lignes sont intégrées et le fichier archivé, "
                                         "mais le fichier %1 n'a pas pu être supprimé : %2. "
                                         "Supprimez-le avant la prochaine intégration.")
                              .arg(travail, data.errorString()));
}

// Names the archive copy a run makes before its commit, so that the next run
// can remove it when a stop came in between.
QString cheminRepere(const QString& cheminData) {
    return cheminData + QStringLiteral(".archive-en-cours");
}

std::filesystem::path cheminSysteme(const QString& chemin) {
    return std::filesystem::path(chemin.toStdU16String());
}

void renommer(const QString& depuis, const QString& vers) {
    std::error_code erreur;
    std::filesystem::rename(cheminSysteme(depuis), cheminSysteme(vers), erreur);
    if (erreur)
        throw ErreurTarvo(NumeroErreur::FichierIllisible, Source,
                          QStringLiteral("Impossible de renommer le fichier %1 en %2 : %3")
                              .arg(depuis, vers, QString::fromLocal8Bit(erreur.message())));
}

// The work file of a run that committed nothing goes back to its place,
// unless a terminal has started a new data file since: it then waits under
// its work name for the next run. A link never replaces an existing file.
void remettreEnPlace(const QString& travail, const QString& cheminData) {
    std::error_code erreur;
    std::filesystem::create_hard_link(cheminSysteme(travail), cheminSysteme(cheminData), erreur);
    if (!erreur)
        QFile::remove(travail);
}

void noterRepere(const QString& repere, const QString& archive) {
    QSaveFile f(repere);
    const QByteArray texte = archive.toUtf8();
    if (!f.open(QIODevice::WriteOnly) || f.write(texte) != texte.size() || !f.flush() ||
        !f.commit()) {
        const QString raison = f.errorString();
        f.cancelWriting();
        throw ErreurTarvo(
            NumeroErreur::FichierIllisible, Source,
            QStringLiteral("Impossible d'écrire le fichier %1 : %2").arg(repere, raison));
    }
}

// An archive copy that a stop left before its run's commit holds lines that
// were not integrated: it goes. One that the table knows stays.
void retirerArchiveNonValidee(const db::Base& base, const QString& repere) {
    QFile f(repere);
    if (!f.open(QIODevice::ReadOnly))
        return;
    const QString archive = QString::fromUtf8(f.readAll());
    f.close();
    db::Requete connue = base.preparer(sql::ArchiveValidee);
    connue.lier(u":archive", archive);
    const bool validee = connue.suivante();
    connue.terminer();
    if (!validee)
        QFile::remove(archive);
    QFile::remove(repere);
}

QString texteEchec(const Erreur& e, qint64 ligneFichier) {
    return QStringLiteral("Erreur n° : ") + QString::number(e.numero) + CRLF +
           QStringLiteral("Source : ") + e.source + CRLF + QStringLiteral("Détail : ") +
           e.description + CRLF + QStringLiteral("Ligne fichier n° : ") +
           QString::number(ligneFichier) + CRLF;
}

void signalerEchec(Contexte& ctx, const Erreur& e, qint64 ligneFichier) {
    const QString texte = texteEchec(e, ligneFichier);
    ctx.prompts.critique(QStringLiteral("Erreur"), texte);
    try {
        EcrireLog(ctx, FichierErreurs,
                  QStringLiteral("Erreur IntegData") + CRLF + texte.chopped(2));
    } catch (const ErreurTarvo& journal) {
        afficherErreurDetaillee(ctx, QStringLiteral("Erreur"), journal.erreur());
    }
}

// Integrates the work file in one transaction, archives the bytes read,
// commits, then removes the work file.
ResultatIntegration integrerTravail(Contexte& ctx, const QString& cheminData,
                                    const QString& travail, qint64& ligneFichier) {
    ligneFichier = 0;
    SuiviLignes suivi(ctx.feedback);
    QByteArray ligne;
    const QString repere = cheminRepere(cheminData);
    // The archive copy of a run that is not committed goes with it.
    QString archiveNonValidee;
    try {
        // Declared before the transaction, so that a failure rolls back
        // before the file is closed.
        std::optional<LecteurLignes> lecteur;
        db::Base base(ctx.cnx.get());
        std::optional<db::Transaction> transaction(std::in_place, base);
        suivi.progression(0);
        const QDateTime dateIntegration = ctx.horloge.maintenant();
        Integration run(base, dateIntegration.toString(db::Dialecte::FormatDateHeure));

        lecteur.emplace(travail, Source);
        while (lecteur->suivante(ligne)) {
            ++ligneFichier;
            suivi.ligneLue(ligne, lecteur->taille());
            TraiteLigne(run, ligne);
        }
        lecteur->fermer();
        suivi.progression(100);
        suivi.statut(QString());

        // The very file of a committed run, left by a stop between its commit
        // and its removal: its entries are in already.
        const IdentiteFichier identite{lecteur->empreinte(), lecteur->modification()};
        if (auto archive = archiveFichierIntegre(base, identite)) {
            retirerArchiveNonValidee(base, repere);
            transaction.reset();
            ligneFichier = EtapeSuppression;
            supprimerFichierData(travail);
            return {ResultatIntegration::Issue::DejaIntegre, cheminData, std::move(*archive)};
        }

        ligneFichier = EtapeArchive;
        retirerArchiveNonValidee(base, repere);
        const QString archive = cheminArchive(
            LireIni(ctx, QStringLiteral("CheminArchiveData"), Section), dateIntegration);
        noterRepere(repere, archive);
        archiveNonValidee = archive;
        copierVersArchive(travail, archive, lecteur->octetsLus());
        noterFichierIntegre(base, identite, run.dateIntegration(), archive);

        // The commit comes before the removal: a stop before the commit leaves
        // the work file with nothing committed; a stop after it leaves a file
        // that the next run recognises and only removes.
        ligneFichier = EtapeValidation;
        transaction->valider();
        archiveNonValidee.clear();

        ligneFichier = EtapeSuppression;
        QFile::remove(repere);
        supprimerFichierData(travail);
        return {ResultatIntegration::Issue::Integre, cheminData, archive};
    } catch (const ErreurTarvo&) {
        if (!archiveNonValidee.isEmpty()) {
            QFile::remove(archiveNonValidee);
            QFile::remove(repere);
        }
        if (ligneFichier > 0)
            suivi.montrerDerniereLigne(ligne);
        throw;
    }
}

} // namespace

ResultatIntegration IntegrerFichierData(Contexte& ctx, qint64& ligneFichier) {
    ligneFichier = 0;
    const QString cheminData = LireIni(ctx, QStringLiteral("FichierData"), Section);
    std::optional<ResultatIntegration> resultat;
    if (cheminData.isEmpty())
        return {ResultatIntegration::Issue::AucunFichier, cheminData, QString()};
    const QString travail = cheminTravail(cheminData);
    // First the work file a stop left.
    if (QFileInfo(travail).isFile())
        resultat = integrerTravail(ctx, cheminData, travail, ligneFichier);
    if (QFileInfo(cheminData).isFile()) {
        renommer(cheminData, travail);
        try {
            resultat = integrerTravail(ctx, cheminData, travail, ligneFichier);
        } catch (const ErreurTarvo&) {
            if (ligneFichier != EtapeSuppression)
                remettreEnPlace(travail, cheminData);
            throw;
        }
    }
    if (!resultat)
        return {ResultatIntegration::Issue::AucunFichier, cheminData, QString()};
    return *resultat;
}

bool IntegData(Contexte& ctx) {
    qint64 ligneFichier = 0;
    try {
        const ResultatIntegration r = IntegrerFichierData(ctx, ligneFichier);
        switch (r.issue) {
        case ResultatIntegration::Issue::AucunFichier:
            ctx.prompts.exclamation(QStringLiteral("Traitement impossible"),
                                    QStringLiteral("Aucun fichier de données disponible.") + CRLF +
                                        u'[' + r.cheminData + u']');
            return false;
        case ResultatIntegration::Issue::DejaIntegre:
            ctx.prompts.information(
                QStringLiteral("Intégration des lignes"),
                QStringLiteral("Ce fichier de données a déjà été intégré (archive : %1). "
                               "Il est supprimé sans être intégré une seconde fois.")
                    .arg(QDir::toNativeSeparators(r.archive)));
            return true;
        case ResultatIntegration::Issue::Integre:
            ctx.prompts.information(QStringLiteral("Intégration des lignes"),
                                    QStringLiteral("Traitement terminé"));
            return true;
        }
    } catch (const ErreurTarvo& e) {
        signalerEchec(ctx, e.erreur(), ligneFichier);
    }
    return false;
}

} // namespace tarvo::terminal
