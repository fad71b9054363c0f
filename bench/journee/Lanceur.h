#pragma once

#include <QByteArray>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <atomic>
#include <condition_variable>
#include <map>
#include <mutex>
#include <set>
#include <sys/types.h>
#include <thread>

// Runs programs to their end as a workstation or a scheduler does, and lets a
// third party kill any of them meanwhile.
namespace journee {

struct Issue {
    QString programme;
    QStringList arguments;
    // Exit code of a normal exit, -1 otherwise.
    int statut = -1;
    // The signal that ended the process, 0 for a normal exit.
    int signal = 0;
    // Killed on purpose: by the day's random kills, or for not ending.
    bool tueParNous = false;
    bool bloque = false;
    qint64 dureeMs = 0;
    QByteArray sortie;
    QByteArray erreurs;
    // The spawn itself failed.
    QString echecLancement;
};

class Lanceur {
public:
    // Outputs go to numbered files in `dossierSorties`, read back and removed.
    explicit Lanceur(QString dossierSorties);
    ~Lanceur();
    Lanceur(const Lanceur&) = delete;
    Lanceur& operator=(const Lanceur&) = delete;

    // `entree`, when given, is the file the program reads as standard
    // input; otherwise it reads /dev/null.
    Issue executer(const QString& programme, const QStringList& arguments,
                   const QString& entree = QString());

    // SIGKILL to one of the running processes; returns its command line,
    // empty when none runs.
    QString tuerAuHasard(QRandomGenerator& alea);

    // The processes that run longer than this are killed and reported.
    static constexpr int LimiteSecondes = 180;

private:
    struct EnCours {
        QString commande;
        qint64 debutMs;
    };

    void surveiller();

    QString dossierSorties_;
    std::atomic<int> numero_{0};
    std::mutex verrou_;
    std::map<pid_t, EnCours> enCours_;
    std::set<pid_t> tues_;
    std::set<pid_t> bloques_;
    std::condition_variable fin_;
    bool arret_ = false;
    std::thread surveillant_;
};

} // namespace journee
