// bench_terminal: Tarvo's terminal exchange against the raw SQLite C API.
//
//   bench_terminal [DOSSIER]   generates the data in DOSSIER (default
//                              /tmp/tarvo-bench-terminal), runs every
//                              measure in a process of its own and prints
//                              the results as a Markdown table.
//
// Each measure runs in a child process (bench_terminal --mesure …) so that
// its peak memory is its own; the best of 5 runs is kept (3 for the
// 200,000-line file). The integration from the main window's entry also
// gives the longest time its event loop was blocked (a timer that records
// its own lateness): the run goes off the window's thread.
//
//   bench_terminal DOSSIER --bureau   that desktop measure alone.
#include "Generation.h"
#include "Reference.h"
#include "app/Contexte.h"
#include "app/OuvertureConnexion.h"
#include "base/Memoire.h"
#include "commun/PromptsBanc.h"
#include "commun/RetardBoucle.h"
#include "db/Connexion.h"
#include "terminal/GenFichierArticle.h"
#include "terminal/GenFichierExpedition.h"
#include "terminal/IntegData.h"
#include "terminal/ui/BranchementsTerminal.h"
#include "ui/main/FenetrePrincipale.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

using namespace tarvo;

namespace {

// The machine is shared: the best of several runs is the least disturbed one.
constexpr int Repetitions = 5;
constexpr int RepetitionsLongues = 3;

// Hands the feedback on to the main window once it exists.
class Relais : public Feedback {
public:
    void statut(const QString& t) override {
        if (cible)
            cible->statut(t);
    }
    void progression(int p) override {
        if (cible)
            cible->progression(p);
    }
    Feedback* cible = nullptr;
};

double secondesProcesseur() {
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return static_cast<double>(r.ru_utime.tv_sec + r.ru_stime.tv_sec) +
           static_cast<double>(r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
}

qint64 memoireKio(const char* cle) {
    QFile f(QStringLiteral("/proc/self/status"));
    f.open(QIODevice::ReadOnly);
    for (const QByteArray& l : f.readAll().split('\n'))
        if (l.startsWith(cle))
            return l.mid(static_cast<qsizetype>(std::strlen(cle)))
                .trimmed()
                .split(' ')
                .first()
                .toLongLong();
    return 0;
}

void ecrireIni(const QString& dossier, const QString& base) {
    QFile f(QDir(dossier).filePath(QStringLiteral("TARVOX.ini")));
    f.open(QIODevice::WriteOnly);
    f.write(QStringLiteral("[DB]\r\nPROVIDER=SQLITE\r\nSECURITYMODE=INTEG\r\nDBNAME=%1\r\n"
                           "[SCANPAL2]\r\nFichierArticle=%2/terminal/ARTICLE.TXT\r\n"
                           "FichierExpedition=%2/terminal/EXPEDITION.TXT\r\n"
                           "FichierData=%2/terminal/DATA.TXT\r\nCheminArchiveData=%2/archive/\r\n")
                .arg(base, dossier)
                .toUtf8());
}

// One measured run in this process: prints "wall-seconds cpu-seconds
// rss-before-KiB peak-KiB longest-stall-ms" (the stall 0 without a window).
int mesurer(int argc, char** argv) {
    const QString mode = QString::fromUtf8(argv[2]);
    const QString dossier = QString::fromUtf8(argv[3]);
    // Both programs keep their heap from the start; a measure that did not
    // would time the C library's trimming instead of the work (the desktop
    // one most, since the window's own buffers move the trimming threshold).
    garderLeTasMemoire();
    QApplication application(argc, argv);
    banc::PromptsBanc prompts({QStringLiteral("Intégration des lignes")});
    Relais relais;
    HorlogeSysteme horloge;
    Contexte ctx(dossier, prompts, relais, horloge);
    ctx.modeSecurite = QStringLiteral("INTEG");
    std::unique_ptr<ui::FenetrePrincipale> fenetre;
    const bool tarvo = !mode.endsWith(QStringLiteral("-brut"));
    // Each measure names its own database: none runs on the configuration
    // another measure left behind.
    ecrireIni(dossier, mode.startsWith(QStringLiteral("integration"))
                           ? QStringLiteral("tarvo.db")
                           : QStringLiteral("base-fichiers.db"));
    if (tarvo && !ConnexionBase(ctx, QString(), QString()))
        return 1;
    banc::RetardBoucle retard;
    if (mode == QStringLiteral("integration-bureau")) {
        fenetre = std::make_unique<ui::FenetrePrincipale>(ctx);
        ui::brancherTerminal(*fenetre);
        fenetre->show();
        QApplication::processEvents();
        relais.cible = fenetre.get();
        retard.demarrer();
    }
    const QString base = QDir(dossier).filePath(QStringLiteral("tarvo.db"));
    const QString data = QDir(dossier).filePath(QStringLiteral("terminal/DATA.TXT"));
    const qint64 avant = memoireKio("VmRSS:");
    const double processeurAvant = secondesProcesseur();
    QElapsedTimer chrono;
    chrono.start();
    bool reussi = true;
    if (mode == QStringLiteral("integration"))
        reussi = terminal::IntegData(ctx);
    else if (mode == QStringLiteral("integration-bureau")) {
        // As the person does it: the toolbar's entry, then the window
        // answers until the run's box.
        fenetre->action(ui::Entree::tbIntegData)->trigger();
        while (fenetre->commandeDeFondEnCours())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::processEvents();
        reussi = !QFile::exists(data);
    } else if (mode == QStringLiteral("article"))
        reussi = terminal::GenFichierArticle(ctx);
    else if (mode == QStringLiteral("expedition"))
        reussi = terminal::GenFichierExpedition(ctx);
    else if (mode == QStringLiteral("integration-brut"))
        banc::integrerBrut(base, data, QDir(dossier).filePath(QStringLiteral("archive/brut.txt")));
    else if (mode == QStringLiteral("article-brut"))
        banc::fichierArticleBrut(
            ctx.chemin(QStringLiteral("base-fichiers.db")),
            QDir(dossier).filePath(QStringLiteral("terminal/ARTICLE-brut.TXT")));
    else if (mode == QStringLiteral("expedition-brut"))
        banc::fichierExpeditionBrut(
            ctx.chemin(QStringLiteral("base-fichiers.db")),
            QDir(dossier).filePath(QStringLiteral("terminal/EXPEDITION-brut.TXT")));
    const double secondes = static_cast<double>(chrono.nsecsElapsed()) / 1e9;
    const double processeur = secondesProcesseur() - processeurAvant;
    if (!reussi)
        return 1;
    const qint64 blocage = fenetre ? retard.arreter() : 0;
    std::printf("%.3f %.3f %lld %lld %lld\n", secondes, processeur, avant, memoireKio("VmHWM:"),
                static_cast<long long>(blocage));
    return 0;
}

struct Mesure {
    double secondes = 0;
    double processeur = 0;
    qint64 avantKio = 0;
    qint64 picKio = 0;
    qint64 blocageMs = 0;
};

void copier(const QString& de, const QString& vers) {
    QFile::remove(vers);
    if (!QFile::copy(de, vers))
        qFatal("copie impossible : %s", qPrintable(vers));
}

// The fastest of the repeated child runs; `preparer` runs before each.
Mesure lancer(const QString& mode, const QString& dossier, const std::function<void()>& preparer,
              int repetitions = Repetitions) {
    QList<Mesure> mesures;
    for (int i = 0; i < repetitions; ++i) {
        preparer();
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--mesure"), mode, dossier});
        p.waitForFinished(-1);
        const QList<QByteArray> champs = p.readAllStandardOutput().trimmed().split(' ');
        if (p.exitCode() != 0 || champs.size() != 5)
            qFatal("la mesure %s a échoué", qPrintable(mode));
        mesures.append({champs[0].toDouble(), champs[1].toDouble(), champs[2].toLongLong(),
                        champs[3].toLongLong(), champs[4].toLongLong()});
    }
    return *std::min_element(mesures.begin(), mesures.end(), [](const Mesure& a, const Mesure& b) {
        return a.secondes < b.secondes;
    });
}

// KiB as MiB, for the table.
double mio(qint64 kio) {
    return static_cast<double>(kio) / 1024.0;
}

QString ligneTableau(const QString& travail, const Mesure& tarvo, const Mesure& brut) {
    return QStringLiteral("| %1 | %2 s (%3 s) | %4 s (%5 s) | %6 (%7) | %8 MiB | %9 MiB |")
        .arg(travail)
        .arg(tarvo.secondes, 0, 'f', 2)
        .arg(tarvo.processeur, 0, 'f', 2)
        .arg(brut.secondes, 0, 'f', 2)
        .arg(brut.processeur, 0, 'f', 2)
        .arg(tarvo.secondes / brut.secondes, 0, 'f', 2)
        .arg(tarvo.processeur / brut.processeur, 0, 'f', 2)
        .arg(mio(tarvo.picKio), 0, 'f', 1)
        .arg(mio(tarvo.picKio - tarvo.avantKio), 0, 'f', 1);
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && qstrcmp(argv[1], "--mesure") == 0)
        return mesurer(argc, argv);

    QCoreApplication application(argc, argv);
    const QString racine =
        argc > 1 ? QString::fromUtf8(argv[1]) : QStringLiteral("/tmp/tarvo-bench-terminal");
    const bool bureauSeul = argc > 2 && qstrcmp(argv[2], "--bureau") == 0;
    QDir().mkpath(racine);
    const QString run = QDir(racine).filePath(QStringLiteral("run"));
    QDir(run).removeRecursively();
    QDir(run).mkpath(QStringLiteral("terminal"));
    QDir(run).mkpath(QStringLiteral("archive"));
    auto chemin = [&](const QString& nom) { return QDir(racine).filePath(nom); };
    QTextStream out(stdout);

    out << "Génération des données…\n" << Qt::flush;
    banc::creerBase(chemin(QStringLiteral("base-integration.db")), 1000, 5000);
    const QList<int> tailles = bureauSeul ? QList<int>{200000} : QList<int>{10000, 200000};
    for (int n : tailles)
        banc::creerFichierData(chemin(QStringLiteral("data-%1.txt").arg(n)), n, 1000, 5000);
    if (!bureauSeul) {
        banc::creerBase(chemin(QStringLiteral("base-fichiers.db")), 100000, 1000000);
        copier(chemin(QStringLiteral("base-fichiers.db")),
               QDir(run).filePath(QStringLiteral("base-fichiers.db")));
    }

    QStringList tableau = {
        QStringLiteral(
            "| Travail | Tarvo : durée (processeur) | C API : durée (processeur) | "
            "rapport durée (processeur) | pic mémoire Tarvo | dont pendant le travail |"),
        QStringLiteral("|---|---|---|---|---|---|")};
    QMap<int, Mesure> integrations;
    for (int n : tailles) {
        const QString data = chemin(QStringLiteral("data-%1.txt").arg(n));
        auto preparer = [&] {
            for (const char* s : {"tarvo.db-wal", "tarvo.db-shm"})
                QFile::remove(QDir(run).filePath(QString::fromLatin1(s)));
            copier(chemin(QStringLiteral("base-integration.db")),
                   QDir(run).filePath(QStringLiteral("tarvo.db")));
            copier(data, QDir(run).filePath(QStringLiteral("terminal/DATA.TXT")));
        };
        const int repetitions = n > 10000 ? RepetitionsLongues : Repetitions;
        const Mesure tarvo = lancer(QStringLiteral("integration"), run, preparer, repetitions);
        integrations[n] = tarvo;
        if (!bureauSeul) {
            const Mesure brut =
                lancer(QStringLiteral("integration-brut"), run, preparer, repetitions);
            tableau << ligneTableau(QStringLiteral("Intégration, %1 lignes").arg(n), tarvo, brut);
        }
        if (n == tailles.last()) {
            const Mesure bureau =
                lancer(QStringLiteral("integration-bureau"), run, preparer, repetitions);
            tableau << QStringLiteral("| Intégration, %1 lignes, fenêtre principale (offscreen) | "
                                      "%2 s (%3 s) | | %4 (%5) × la sans-écran | %6 MiB | "
                                      "fenêtre bloquée au plus %7 ms |")
                           .arg(n)
                           .arg(bureau.secondes, 0, 'f', 2)
                           .arg(bureau.processeur, 0, 'f', 2)
                           .arg(bureau.secondes / tarvo.secondes, 0, 'f', 2)
                           .arg(bureau.processeur / tarvo.processeur, 0, 'f', 2)
                           .arg(mio(bureau.picKio), 0, 'f', 1)
                           .arg(bureau.blocageMs);
        }
    }
    if (bureauSeul) {
        out << tableau.join(u'\n') << "\n";
        return 0;
    }
    auto fichiers = [] {};
    const Mesure article = lancer(QStringLiteral("article"), run, fichiers);
    const Mesure articleBrut = lancer(QStringLiteral("article-brut"), run, fichiers);
    tableau << ligneTableau(QStringLiteral("Fichier article, 1 000 000 articles"), article,
                            articleBrut);
    const Mesure expedition = lancer(QStringLiteral("expedition"), run, fichiers);
    const Mesure expeditionBrut = lancer(QStringLiteral("expedition-brut"), run, fichiers);
    tableau << ligneTableau(QStringLiteral("Fichier expédition, 100 000 expéditions ouvertes"),
                            expedition, expeditionBrut);

    auto memes = [&](const QString& a, const QString& b) {
        QFile fa(QDir(run).filePath(a)), fb(QDir(run).filePath(b));
        fa.open(QIODevice::ReadOnly);
        fb.open(QIODevice::ReadOnly);
        return fa.size() > 0 && fa.readAll() == fb.readAll();
    };
    out << tableau.join(u'\n') << "\n\n";
    out << "Mêmes octets que la C API : fichier article "
        << (memes(QStringLiteral("terminal/ARTICLE.TXT"),
                  QStringLiteral("terminal/ARTICLE-brut.TXT"))
                ? "oui"
                : "NON")
        << ", fichier expédition "
        << (memes(QStringLiteral("terminal/EXPEDITION.TXT"),
                  QStringLiteral("terminal/EXPEDITION-brut.TXT"))
                ? "oui"
                : "NON")
        << "\n";
    out << "Écart de pic mémoire, intégration 200 000 lignes contre 10 000 : "
        << QString::number(mio(integrations[200000].picKio - integrations[10000].picKio), 'f', 1)
        << " MiB\n";
    return 0;
}
