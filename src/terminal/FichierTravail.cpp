#include "FichierTravail.h"

#include "SqlTerminal.h"
#include "base/Erreur.h"
#include "base/Feedback.h"
#include "base/FichierRegulier.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QThread>
#include <filesystem>

namespace tarvo::terminal {
namespace {

const QString Source = QStringLiteral("IntegData");
// The archive is written under its name and this suffix, and takes its name
// only once its lines are committed.
const QString SuffixeProvisoire = QStringLiteral(".en-cours");
// Beside the work file, the bytes a committed run did not read, before they
// take its place.
const QString SuffixeReste = QStringLiteral(".reste");
// Bytes copied at a time into the archive.
constexpr qint64 Bloc = 1 << 20;

[[noreturn]] void illisible(const QString& chemin, const QFile& f) {
    throw ErreurTarvo(
        NumeroErreur::FichierIllisible, Source,
        QStringLiteral("Lecture impossible du fichier %1 : %2").arg(chemin, f.errorString()));
}

// Copies the bytes of `entree` from `depuis` into `sortie`: up to `jusqua`,
// which must be there, or to the end of the file.
void copier(QFile& entree, const QString& chemin, qint64 depuis, QFile& sortie,
            const QString& cheminSortie, qint64 jusqua = -1) {
    if (!entree.seek(depuis))
        illisible(chemin, entree);
    for (qint64 position = depuis; jusqua < 0 || position < jusqua;) {
        const QByteArray bloc = entree.read(jusqua < 0 ? Bloc : std::min(Bloc, jusqua - position));
        if (bloc.isEmpty()) {
            if (jusqua >= 0 || entree.error() != QFileDevice::NoError)
                illisible(chemin, entree);
            break;
        }
        fichiers::ecrire(sortie, cheminSortie, bloc, Source);
        position += bloc.size();
    }
}

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

void ArretDemande(const std::stop_token& arret) {
    if (arret.stop_requested())
        throw ErreurTarvo(NumeroErreur::Annulation, Source,
                          QStringLiteral("Intégration annulée : rien n'en a été enregistré."));
}

FichierTravail::FichierTravail(QString cheminData, QString dossierArchive, Feedback& feedback,
                               std::chrono::milliseconds patience, std::chrono::milliseconds calme,
                               std::stop_token arret)
    : cheminData_(std::move(cheminData)), dossierArchive_(std::move(dossierArchive)),
      travail_(cheminTravail(cheminData_)), feedback_(feedback), patience_(patience), calme_(calme),
      arret_(std::move(arret)) {}

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
        attendreCalme(cheminData_);
        if (!fichiers::renommerSansRemplacer(cheminData_, travail_, Source))
            return prendre(false);
    }
    lecteur_.emplace(travail_, Source, [this](qint64 octetsLus, bool ligneEntamee) {
        return suite(octetsLus, ligneEntamee);
    });
    return true;
}

void FichierTravail::attendreCalme(const QString& chemin) {
    QFile sonde;
    fichiers::ouvrirEnLecture(sonde, chemin, Source);
    if (fichiers::ecrivain(sonde) != fichiers::Ecrivain::Inconnu)
        return;
    const qint64 debut = maintenantMs();
    fichiers::Etat vu = fichiers::etat(sonde);
    qint64 depuis = debut;
    for (;;) {
        const qint64 maintenant = maintenantMs();
        if (maintenant - depuis >= calme_.count())
            return;
        if (maintenant - debut > patience_.count())
            throw FichierEnCoursDEcriture{};
        if (maintenant - debut > 1000)
            feedback_.statut(QStringLiteral("Le fichier de données change encore : attente de la "
                                            "fin de l'envoi du terminal…"));
        ArretDemande(arret_);
        QThread::msleep(50);
        const fichiers::Etat maintenantVu = fichiers::etat(sonde);
        if (!(maintenantVu == vu)) {
            vu = maintenantVu;
            depuis = maintenantMs();
        }
    }
}

bool FichierTravail::suite(qint64 octetsLus, bool ligneEntamee) {
    const fichiers::Ecrivain ecrivain = fichiers::ecrivain(lecteur_->fichier());
    if (ecrivain == fichiers::Ecrivain::Inconnu)
        return suiteSansBail(octetsLus, ligneEntamee);
    if (ecrivain == fichiers::Ecrivain::Aucun) {
        // What the writer added just before letting the file go is read once
        // more; after that nobody can reach the file by its name.
        if (relu_)
            return false;
        relu_ = true;
        return true;
    }
    relu_ = false;
    patienter(octetsLus);
    return true;
}

bool FichierTravail::suiteSansBail(qint64 octetsLus, bool ligneEntamee) {
    // Bytes a writer added since the last read are read now.
    if (fichiers::etat(lecteur_->fichier()).taille > octetsLus)
        return true;
    // The file ends with a whole line: whatever comes later stays for the
    // next run.
    if (!ligneEntamee)
        return false;
    // A last line without its end is complete only once the file has stayed
    // the same for a while: a terminal may be writing it.
    if (octetsLus == octetsAttente_ && maintenantMs() - debutAttente_ >= calme_.count())
        return false;
    patienter(octetsLus);
    return true;
}

void FichierTravail::patienter(qint64 octetsLus) {
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
    ArretDemande(arret_);
    QThread::msleep(20);
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
    copier(lecteur_->fichier(), travail_, 0, sortie, provisoire_, lecteur_->octetsLus());
    fichiers::mettreSurDisque(sortie, provisoire_, Source);
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
    // added after the last read stays for the next run, alone under the work
    // name: ahead of a newer data file, and never spliced to one of its lines.
    QFile& travail = lecteur_->fichier();
    if (fichiers::etat(travail).taille > lecteur_->octetsLus()) {
        mettreResteAPart(travail, lecteur_->octetsLus());
        return;
    }
    retirer();
}

void FichierTravail::mettreResteAPart(QFile& travail, qint64 depuis) {
    const QString reste = travail_ + SuffixeReste;
    QFile::remove(reste);
    QFile sortie;
    if (!fichiers::creerNouveau(sortie, reste, Source))
        fichiers::exigerOrdinaire(reste, Source);
    copier(travail, travail_, depuis, sortie, reste);
    fichiers::mettreSurDisque(sortie, reste, Source);
    sortie.close();
    lecteur_->fermer();
    fichiers::remplacer(reste, travail_, Source);
}

void FichierTravail::reprendreReste(const db::Base& base) {
    QFile::remove(travail_ + SuffixeReste);
    if (fichiers::nature(travail_) != fichiers::Nature::Regulier)
        return;
    QFile travail;
    fichiers::ouvrirEnLecture(travail, travail_, Source);
    const qint64 taille = fichiers::etat(travail).taille;
    // A stop between a commit and the setting apart of the bytes that run
    // did not read leaves them after the committed ones: those are never
    // integrated twice.
    db::Requete dernieres = base.preparer(sql::DernieresIntegrations);
    while (dernieres.suivante()) {
        const QString empreinte = dernieres.texte(0);
        QFileInfo archive(dernieres.texte(1));
        if (!archive.exists())
            archive.setFile(dernieres.texte(1) + SuffixeProvisoire);
        const qint64 lus = archive.exists() ? archive.size() : -1;
        if (lus <= 0 || lus >= taille)
            continue;
        QCryptographicHash hachage(QCryptographicHash::Sha256);
        if (!travail.seek(0))
            illisible(travail_, travail);
        for (qint64 reste = lus; reste > 0;) {
            const QByteArray bloc = travail.read(std::min(reste, Bloc));
            if (bloc.isEmpty())
                illisible(travail_, travail);
            hachage.addData(bloc);
            reste -= bloc.size();
        }
        if (QString::fromLatin1(hachage.result().toHex()) != empreinte)
            continue;
        dernieres.terminer();
        const QString reste = travail_ + SuffixeReste;
        QFile sortie;
        if (!fichiers::creerNouveau(sortie, reste, Source))
            fichiers::exigerOrdinaire(reste, Source);
        copier(travail, travail_, lus, sortie, reste);
        fichiers::mettreSurDisque(sortie, reste, Source);
        sortie.close();
        travail.close();
        fichiers::remplacer(reste, travail_, Source);
        return;
    }
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
