#pragma once

#include "Journee.h"
#include "LignesTerminal.h"

#include <QList>
#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

// Hand-held terminals downloading into the data file: each opens it for
// appending, holds it open while it writes a line every few milliseconds
// (sometimes a burst), closes it after some lines or seconds, and starts
// again. They stand for hardware: nobody kills them.
namespace journee {

struct LigneEcrite {
    Saisie saisie;
    // Without its CR LF.
    QByteArray ligne;
    // Which terminal wrote it, in which of its downloads (from 1), at which
    // line of that download (from 1).
    int terminal = 0;
    int telechargement = 0;
    int rang = 0;
};

class Terminaux {
public:
    Terminaux(Journee& journee, int nombre, quint64 graine);
    ~Terminaux();

    void demarrer();
    // Stops the writers and waits until each has closed its file.
    void arreter();

    // Every line written, each terminal's lines in their order.
    QList<LigneEcrite> lignes() const;
    qint64 octets() const;
    QStringList erreurs() const;

private:
    void ecrire(int numero, quint64 graine);
    Saisie tirer(QRandomGenerator& alea, QList<Saisie>& recents);

    Journee& journee_;
    int nombre_;
    quint64 graine_;
    std::atomic<bool> arret_{false};
    std::atomic<qint64> moment_{0};
    std::vector<std::thread> fils_;
    mutable std::mutex verrou_;
    QList<LigneEcrite> lignes_;
    qint64 octets_ = 0;
    QStringList erreurs_;
};

} // namespace journee
