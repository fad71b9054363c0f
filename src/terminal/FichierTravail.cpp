#include "FichierTravail.h"

#include "FichierRegulier.h"
#include "SqlTerminal.h"
#include "base/Erreur.h"
#include "base/Feedback.h"

#include <QDir>
#include <QThread>
#include <filesystem>

namespace tarvo::terminal {
namespace {

const QString Source = QStringLiteral("IntegData");
// The archive is written under its name and this suffix, and takes its name
// only once its lines are committed.
const QString SuffixeProvisoire = QStringLiteral(".en-cours");
// Bytes copied at a time into the archive.
constexpr qint64 Bloc = 1 << 20;

QString dossierAvecSeparateur(const QString& dossier) {
    QString chemin = QDir::fromNativeSeparators(dossier);
    if (!chemin.endsWith(u'/'))
        chemin += u'/';
    return chemin;
}

qint64 maintenantMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

FichierTravail::FichierTravail(QString cheminData, QString dossierArchive, Feedback& feedback,
                               std::chrono::milliseconds patience)
    : cheminData_(std::move(cheminData)), dossierArchive_(std::move(dossierArchive)),
      travail_(cheminTravail(cheminData_)), feedback_(feedback), patience_(patience) {}

bool FichierTravail::prendre(bool aussiData) {
    lecteur_.reset();
    archive_.clear();
    provisoire_.clear();
    relu_ = false;
    octetsAttente_ = -1;
    if (fichiers::nature(travail_) == fichiers::Nature::Absent) {
        if (!aussiData || fichiers::nature(cheminData_) == fichiers::Nature::Absent)
            return false;
        // Only a regular file is moved: a link would bring its target in.
        fichiers::exigerOrdinaire(cheminData_, Source);
        if (!fichiers::renommerSansRemplacer(cheminData_, travail_, Source))
            return prendre(false);
    }
    lecteur_.emplace(travail_, Source, [this](qint64 octetsLus) { return suite(octetsLus); });
    return true;
}

bool FichierTravail::suite(qint64 octetsLus) {
    if (fichiers::ecrivain(lecteur_->fichier()) != fichiers::Ecrivain::Present) {
        // What the writer added just before letting the file go is read once
        // more; after that nobody can reach the file by its name.
        if (relu_)
            return false;
        relu_ = true;
        return true;
    }
    relu_ = false;
    const qint64 maintenant = maintenantMs();
    if (octetsLus != octetsAttente_) {
        octetsAttente_ = octetsLus;
        debutAttente_ = maintenant;
    } else if (maintenant - debutAttente_ > patience_.count()) {
        throw FichierEnCoursDEcriture{};
    } else if (maintenant - debutAttente_ > 1000) {
        feedback_.statut(QStringLiteral("Un terminal écrit encore le fichier de données : "
                                        "attente de la fin de son envoi…"));
    }
    QThread::msleep(20);
    return true;
}

IdentiteFichier FichierTravail::identite() {
    return {lecteur_->empreinte(), lecteur_->modification()};
}

QString FichierTravail::archiver(const QDateTime& dateIntegration) {
    const QString debut = dossierAvecSeparateur(dossierArchive_) +
                          QStringLiteral("Intégration du ") +
                          dateIntegration.toString(QStringLiteral("yyyy-MM-dd à HH'h'mm'mn'ss"));
    // Two runs in the same second keep an archive each: the later one takes
    // the first free name, with its rank in brackets.
    QFile sortie;
    for (int rang = 1;; ++rang) {
        const QString nom =
            debut + (rang == 1 ? QStringLiteral(".txt") : QStringLiteral(" (%1).txt").arg(rang));
        if (fichiers::nature(nom) != fichiers::Nature::Absent)
            continue;
        sortie.setFileName(nom + SuffixeProvisoire);
        if (fichiers::creerNouveau(sortie, nom + SuffixeProvisoire, Source)) {
            archive_ = nom;
            provisoire_ = nom + SuffixeProvisoire;
            break;
        }
    }
    QFile& entree = lecteur_->fichier();
    if (!entree.seek(0))
        throw ErreurTarvo(NumeroErreur::FichierIllisible, Source,
                          QStringLiteral("Lecture impossible du fichier %1 : %2")
                              .arg(travail_, entree.errorString()));
    QByteArray bloc;
    for (qint64 reste = lecteur_->octetsLus(); reste > 0;) {
        bloc = entree.read(std::min(reste, Bloc));
        if (bloc.isEmpty())
            throw ErreurTarvo(NumeroErreur::FichierIllisible, Source,
                              QStringLiteral("Lecture impossible du fichier %1 : %2")
                                  .arg(travail_, entree.errorString()));
        fichiers::ecrire(sortie, bloc, Source);
        reste -= bloc.size();
    }
    fichiers::mettreSurDisque(sortie, Source);
    sortie.close();
    return archive_;
}

void FichierTravail::terminer() {
    if (!fichiers::renommerSansRemplacer(provisoire_, archive_, Source))
        throw ErreurTarvo(NumeroErreur::FichierIllisible, Source,
                          QStringLiteral("Les lignes sont intégrées, mais l'archive %1 n'a pas "
                                         "pu prendre son nom : un fichier %2 existe déjà.")
                              .arg(provisoire_, archive_));
    provisoire_.clear();
    // Where the system cannot tell whether a terminal still writes, what it
    // added after the last read goes back to the data file for the next run.
    QFile& travail = lecteur_->fichier();
    const qint64 lus = lecteur_->octetsLus();
    if (travail.size() > lus) {
        if (!travail.seek(lus))
            throw ErreurTarvo(NumeroErreur::FichierIllisible, Source,
                              QStringLiteral("Lecture impossible du fichier %1 : %2")
                                  .arg(travail_, travail.errorString()));
        fichiers::ajouter(cheminData_, travail.readAll(), Source);
    }
    retirer();
}

void FichierTravail::retirer() {
    lecteur_->fermer();
    QFile travail(travail_);
    if (!travail.remove() && fichiers::nature(travail_) != fichiers::Nature::Absent)
        throw ErreurTarvo(NumeroErreur::FichierIllisible, Source,
                          QStringLiteral("Les lignes sont intégrées et le fichier archivé, "
                                         "mais le fichier %1 n'a pas pu être supprimé : %2. "
                                         "Supprimez-le avant la prochaine intégration.")
                              .arg(travail_, travail.errorString()));
}

void FichierTravail::abandonner(bool remettre) noexcept {
    if (lecteur_)
        lecteur_->fermer();
    if (!provisoire_.isEmpty())
        QFile::remove(provisoire_);
    provisoire_.clear();
    if (!remettre)
        return;
    // A link never replaces an existing file: a new data file stays, and the
    // work file waits for the next run.
    std::error_code erreur;
    std::filesystem::create_hard_link(std::filesystem::path(travail_.toStdU16String()),
                                      std::filesystem::path(cheminData_.toStdU16String()), erreur);
    if (!erreur)
        QFile::remove(travail_);
}

void FichierTravail::reprendreArchives(const db::Base& base, const QString& dossierArchive) {
    const QString dossier = dossierAvecSeparateur(dossierArchive);
    const QStringList provisoires = QDir(dossier).entryList(
        {QLatin1Char('*') + SuffixeProvisoire},
        QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& nom : provisoires) {
        const QString provisoire = dossier + nom;
        const QString archive = provisoire.chopped(SuffixeProvisoire.size());
        bool validee = false;
        if (fichiers::nature(provisoire) == fichiers::Nature::Regulier) {
            db::Requete connue = base.preparer(sql::ArchiveValidee);
            connue.lier(u":archive", archive);
            validee = connue.suivante();
            connue.terminer();
        }
        if (!validee || !fichiers::renommerSansRemplacer(provisoire, archive, Source))
            QFile::remove(provisoire);
    }
}

std::optional<QString> FichierTravail::ecarterAncienRepere(const QString& cheminData) {
    const QString repere = cheminData + QStringLiteral(".archive-en-cours");
    if (fichiers::nature(repere) == fichiers::Nature::Absent)
        return std::nullopt;
    QString nomme;
    if (fichiers::nature(repere) == fichiers::Nature::Regulier) {
        QFile f;
        try {
            fichiers::ouvrirEnLecture(f, repere, Source);
            nomme = QString::fromUtf8(f.read(512));
        } catch (const ErreurTarvo&) {
        }
    }
    QFile::remove(repere);
    return QStringLiteral("Le fichier %1 (« %2 ») est ignoré et supprimé : Tarvo ne supprime "
                          "aucun fichier qu'un fichier du dossier des terminaux désigne.")
        .arg(repere, nomme);
}

} // namespace tarvo::terminal
