#include "Lanceur.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace journee {
namespace {

QByteArray lireEtSupprimer(const QString& chemin) {
    QFile f(chemin);
    QByteArray contenu;
    if (f.open(QIODevice::ReadOnly))
        contenu = f.readAll();
    f.close();
    QFile::remove(chemin);
    return contenu;
}

qint64 maintenantMs() {
    return QDateTime::currentMSecsSinceEpoch();
}

} // namespace

Lanceur::Lanceur(QString dossierSorties)
    : dossierSorties_(std::move(dossierSorties)), surveillant_([this] { surveiller(); }) {}

Lanceur::~Lanceur() {
    {
        std::lock_guard garde(verrou_);
        arret_ = true;
    }
    fin_.notify_all();
    surveillant_.join();
}

Issue Lanceur::executer(const QString& programme, const QStringList& arguments,
                        const QString& entree) {
    Issue issue;
    issue.programme = programme;
    issue.arguments = arguments;
    const QString base = QDir(dossierSorties_).filePath(QString::number(++numero_));
    const QByteArray sortie = QFile::encodeName(base + QStringLiteral(".out"));
    const QByteArray erreurs = QFile::encodeName(base + QStringLiteral(".err"));

    std::vector<QByteArray> textes{QFile::encodeName(programme)};
    for (const QString& a : arguments)
        textes.push_back(a.toUtf8());
    std::vector<char*> argv;
    for (QByteArray& t : textes)
        argv.push_back(t.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const auto liberer = qScopeGuard([&] { posix_spawn_file_actions_destroy(&actions); });
    const QByteArray fichierEntree =
        entree.isEmpty() ? QByteArray("/dev/null") : QFile::encodeName(entree);
    posix_spawn_file_actions_addopen(&actions, 0, fichierEntree.constData(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, sortie.constData(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, erreurs.constData(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);

    const qint64 debut = maintenantMs();
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    if (rc != 0) {
        issue.echecLancement = QString::fromLocal8Bit(std::strerror(rc));
        return issue;
    }
    {
        std::lock_guard garde(verrou_);
        enCours_[pid] = {arguments.join(u' '), debut};
    }
    // Wait without reaping, so that the pid cannot be reused while the
    // killer may still pick it.
    siginfo_t info{};
    while (waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT) != 0 && errno == EINTR) {
    }
    {
        std::lock_guard garde(verrou_);
        enCours_.erase(pid);
        issue.tueParNous = tues_.erase(pid) > 0;
        issue.bloque = bloques_.erase(pid) > 0;
    }
    int etat = 0;
    while (waitpid(pid, &etat, 0) < 0 && errno == EINTR) {
    }
    issue.dureeMs = maintenantMs() - debut;
    if (WIFEXITED(etat))
        issue.statut = WEXITSTATUS(etat);
    else if (WIFSIGNALED(etat))
        issue.signal = WTERMSIG(etat);
    issue.sortie = lireEtSupprimer(QFile::decodeName(sortie));
    issue.erreurs = lireEtSupprimer(QFile::decodeName(erreurs));
    return issue;
}

QString Lanceur::tuerAuHasard(QRandomGenerator& alea) {
    std::lock_guard garde(verrou_);
    if (enCours_.empty())
        return {};
    auto it = enCours_.begin();
    std::advance(it, alea.bounded(static_cast<int>(enCours_.size())));
    if (::kill(it->first, SIGKILL) != 0)
        return {};
    tues_.insert(it->first);
    return it->second.commande;
}

void Lanceur::surveiller() {
    std::unique_lock garde(verrou_);
    while (!fin_.wait_for(garde, std::chrono::seconds(1), [this] { return arret_; })) {
        const qint64 limite = maintenantMs() - LimiteSecondes * 1000LL;
        for (const auto& [pid, e] : enCours_)
            if (e.debutMs < limite && !bloques_.contains(pid) && ::kill(pid, SIGKILL) == 0)
                bloques_.insert(pid);
    }
}

} // namespace journee
