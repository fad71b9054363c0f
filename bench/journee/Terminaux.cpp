#include "Terminaux.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace journee {
namespace {

constexpr int ColisParExpedition = 12;

// A write of the whole line, or the reason it failed.
QString ecrireTout(int fd, const QByteArray& octets) {
    qsizetype fait = 0;
    while (fait < octets.size()) {
        const ssize_t n =
            ::write(fd, octets.constData() + fait, static_cast<size_t>(octets.size() - fait));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return QString::fromLocal8Bit(std::strerror(errno));
        fait += n;
    }
    return {};
}

} // namespace

Terminaux::Terminaux(Journee& journee, int nombre, quint64 graine)
    : journee_(journee), nombre_(nombre), graine_(graine) {}

Terminaux::~Terminaux() {
    arreter();
}

void Terminaux::demarrer() {
    for (int i = 0; i < nombre_; ++i)
        fils_.emplace_back([this, i] { ecrire(i, graine_ + 1000 + static_cast<quint64>(i)); });
}

void Terminaux::arreter() {
    arret_ = true;
    for (std::thread& f : fils_)
        f.join();
    fils_.clear();
}

QList<LigneEcrite> Terminaux::lignes() const {
    std::lock_guard garde(verrou_);
    return lignes_;
}

qint64 Terminaux::octets() const {
    std::lock_guard garde(verrou_);
    return octets_;
}

QStringList Terminaux::erreurs() const {
    std::lock_guard garde(verrou_);
    return erreurs_;
}

// Mostly scans, some weighings, some removals of what this terminal put in
// lately, rarely a whole parcel or all parcels cleared.
Saisie Terminaux::tirer(QRandomGenerator& alea, QList<Saisie>& recents) {
    const std::vector<qint32> expeditions = journee_.catalogue.expeditions();
    const std::vector<QByteArray> articles = journee_.catalogue.articles();
    Saisie s;
    s.moment = momentNumero(moment_++);
    s.expedition =
        expeditions[static_cast<size_t>(alea.bounded(static_cast<int>(expeditions.size())))];
    s.colis = QByteArray::number(1 + alea.bounded(ColisParExpedition));
    const int tirage = alea.bounded(1000);
    if (tirage < 700 || recents.isEmpty()) {
        s.type = tirage % 2 ? TypeSaisie::ArticleF : TypeSaisie::ArticleX;
        s.codeBarres =
            articles[static_cast<size_t>(alea.bounded(static_cast<int>(articles.size())))];
        s.quantite = 1 + alea.bounded(5);
        recents.append(s);
        if (recents.size() > 50)
            recents.removeFirst();
    } else if (tirage < 880) {
        s.type = tirage % 2 ? TypeSaisie::PoidsF : TypeSaisie::PoidsX;
        s.poids = QByteArray::number(0.25 * (1 + alea.bounded(400)), 'f', 2);
    } else {
        const Saisie& ajout = recents[alea.bounded(static_cast<int>(recents.size()))];
        s.type = TypeSaisie::Retrait;
        s.expedition = ajout.expedition;
        s.colis = ajout.colis;
        s.codeBarres = ajout.codeBarres;
        s.quantite = 1 + alea.bounded(3);
        if (tirage >= 997)
            s.codeBarres = "<Tous>";
        if (tirage == 999)
            s.colis = "<To";
    }
    return s;
}

void Terminaux::ecrire(int numero, quint64 graine) {
    QRandomGenerator alea(static_cast<quint32>(graine));
    QList<Saisie> recents;
    const QByteArray chemin = QFile::encodeName(journee_.dossier.data);
    auto erreur = [&](const QString& texte) {
        std::lock_guard garde(verrou_);
        erreurs_ << QStringLiteral("Terminal %1 : %2").arg(numero + 1).arg(texte);
    };
    int telechargement = 0;
    while (!arret_) {
        if (journee_.catalogue.expeditions().empty() || journee_.catalogue.articles().empty()) {
            QThread::msleep(50);
            continue;
        }
        const int fd = ::open(chemin.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0) {
            erreur(QStringLiteral("ouverture de %1 impossible : %2")
                       .arg(journee_.dossier.data, QString::fromLocal8Bit(std::strerror(errno))));
            return;
        }
        ++telechargement;
        // One download: some lines or some seconds, the file held open.
        const int lignes = 1 + alea.bounded(300);
        const int dureeMs = 200 + alea.bounded(4000);
        QElapsedTimer chrono;
        chrono.start();
        for (int i = 0; i < lignes && chrono.elapsed() < dureeMs && !arret_;) {
            const int rafale = alea.bounded(10) == 0 ? 5 + alea.bounded(30) : 1;
            for (int r = 0; r < rafale && i < lignes; ++r, ++i) {
                const Saisie s = tirer(alea, recents);
                const QByteArray ligne = ligneTerminal(s);
                const QString echec = ecrireTout(fd, ligne + "\r\n");
                if (!echec.isEmpty()) {
                    erreur(QStringLiteral("écriture impossible : %1").arg(echec));
                    ::close(fd);
                    return;
                }
                std::lock_guard garde(verrou_);
                lignes_.append({s, ligne, numero + 1, telechargement, i + 1});
                octets_ += ligne.size() + 2;
            }
            QThread::msleep(static_cast<unsigned long>(2 + alea.bounded(20)));
        }
        if (::close(fd) != 0)
            erreur(QStringLiteral("fermeture impossible : %1")
                       .arg(QString::fromLocal8Bit(std::strerror(errno))));
        QThread::msleep(static_cast<unsigned long>(50 + alea.bounded(600)));
    }
}

} // namespace journee
