#include "IntegData.h"

#include "ChampsFixes.h"
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

// A complete copy under its final name, or none: a copy that fails half-way
// leaves no truncated archive behind.
void copierVersArchive(const QString& source, const QString& archive) {
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
    for (;;) {
        const qint64 lus = entree.read(bloc.data(), bloc.size());
        if (lus < 0)
            echec(entree.errorString());
        if (lus == 0)
            break;
        if (sortie.write(bloc.constData(), lus) != lus)
            abandon();
    }
    // A small file waits whole in the device's buffer: on a full disk only
    // the flush fails, and the commit must not keep an empty archive.
    if (!sortie.flush())
        abandon();
    if (!sortie.commit())
        echec(sortie.errorString());
}

// The very file on disk: its bytes and the time it was written. The same
// bytes written again later make another file.
struct IdentiteFichier {
    QString empreinte;
    qint64 modification = 0;
};

db::Requete identifier(const db::Base& base, const db::TexteSql& sql, const IdentiteFichier& f) {
    db::Requete r = base.preparer(sql);
    r.lier(u":empreinte", f.empreinte).lier(u":modification", f.modification);
    return r;
}

std::optional<QString> archiveFichierIntegre(const db::Base& base, const IdentiteFichier& f) {
    db::Requete requete = identifier(base, sql::ArchiveFichierIntegre, f);
    if (!requete.suivante())
        return std::nullopt;
    QString archive = requete.texte(0);
    requete.terminer();
    return archive;
}

void noterFichierIntegre(const db::Base& base, const IdentiteFichier& f,
                         const QString& dateIntegration, const QString& archive) {
    identifier(base, sql::NoterFichierIntegre, f)
        .lier(u":dateIntegration", dateIntegration)
        .lier(u":archive", archive)
        .executer();
}

void supprimerFichierData(const QString& cheminData) {
    QFile data(cheminData);
    if (!data.remove())
        throw ErreurTarvo(NumeroErreur::FichierIllisible, Source,
                          QStringLiteral("Les lignes sont intégrées et le fichier archivé, "
                                         "mais le fichier %1 n'a pas pu être supprimé : %2. "
                                         "Supprimez-le avant la prochaine intégration.")
                              .arg(cheminData, data.errorString()));
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

} // namespace

ResultatIntegration IntegrerFichierData(Contexte& ctx, qint64& ligneFichier) {
    ligneFichier = 0;
    const QString cheminData = LireIni(ctx, QStringLiteral("FichierData"), Section);
    if (cheminData.isEmpty() || !QFileInfo(cheminData).isFile())
        return {ResultatIntegration::Issue::AucunFichier, cheminData, QString()};

    SuiviLignes suivi(ctx.feedback);
    QByteArray ligne;
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

        lecteur.emplace(cheminData, Source);
        const qint64 taille = lecteur->taille();
        qint64 octets = 0;
        while (lecteur->suivante(ligne)) {
            ++ligneFichier;
            // Each line counts with its CR LF; a last line without one may
            // take the count past the size.
            octets += ligne.size() + 2;
            suivi.progression(taille > 0 ? std::min(100, pourcentage(octets, taille)) : 100);
            suivi.ligne(ligne);
            TraiteLigne(run, ligne);
        }
        lecteur->fermer();
        suivi.progression(100);
        suivi.statut(QString());

        // The very file of a committed run, left by a stop between its commit
        // and its removal: its entries are in already.
        const IdentiteFichier identite{lecteur->empreinte(), lecteur->modification()};
        if (auto archive = archiveFichierIntegre(base, identite)) {
            transaction.reset();
            ligneFichier = EtapeSuppression;
            supprimerFichierData(cheminData);
            return {ResultatIntegration::Issue::DejaIntegre, cheminData, std::move(*archive)};
        }

        ligneFichier = EtapeArchive;
        const QString archive = cheminArchive(
            LireIni(ctx, QStringLiteral("CheminArchiveData"), Section), dateIntegration);
        copierVersArchive(cheminData, archive);
        archiveNonValidee = archive;
        noterFichierIntegre(base, identite, run.dateIntegration(), archive);

        // The commit comes before the removal: a stop before the commit leaves
        // the file in place with nothing committed; a stop after it leaves a
        // file that the next run recognises and only removes.
        ligneFichier = EtapeValidation;
        transaction->valider();
        archiveNonValidee.clear();

        ligneFichier = EtapeSuppression;
        supprimerFichierData(cheminData);
        return {ResultatIntegration::Issue::Integre, cheminData, archive};
    } catch (const ErreurTarvo&) {
        if (!archiveNonValidee.isEmpty())
            QFile::remove(archiveNonValidee);
        if (ligneFichier > 0)
            suivi.montrerDerniereLigne(ligne);
        throw;
    }
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
