// The real tarvoctl: its status, and an integration killed at random moments,
// which must leave either everything or nothing, and a next run that ends
// the work exactly once.
#include "OutilsTerminal.h"
#include "app/Connexion.h"
#include "app/Erreur.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>
#include <QThread>
#include <atomic>
#include <thread>
#include <unistd.h>

using namespace tarvo;
using namespace tarvo::test;

namespace {

const QString Data = QStringLiteral("terminal/DATA.TXT");
const QString Travail = QStringLiteral("terminal/DATA.TXT.en-cours");
constexpr int Expeditions = 200;
constexpr int Lignes = 25000;

QProcess* lancer(const BaseDeTest& b, const QString& commande) {
    auto* p = new QProcess;
    p->setProgram(QStringLiteral(TARVOCTL));
    p->setArguments({QStringLiteral("--dir"), b.dossier.path(), commande});
    p->start();
    if (!p->waitForStarted())
        qFatal("tarvoctl ne démarre pas : %s", qPrintable(p->errorString()));
    return p;
}

int executer(const BaseDeTest& b, const QString& commande, QString* erreurs = nullptr) {
    std::unique_ptr<QProcess> p(lancer(b, commande));
    p->waitForFinished(60000);
    if (erreurs)
        *erreurs = QString::fromUtf8(p->readAllStandardError());
    return p->exitStatus() == QProcess::NormalExit ? p->exitCode() : -1;
}

QByteArray fichierVolumineux() {
    QByteArray contenu;
    for (int i = 0; i < Lignes; ++i) {
        const int exp = 1 + i % Expeditions;
        const int colis = 1 + (i / Expeditions) % 20;
        const QByteArray heure =
            QTime(8, 0).addSecs(i / Expeditions).toString(u"HH:mm:ss").toLatin1();
        contenu += (i % 10 == 9 ? ligneFP(exp, colis, "2012-04-19", heure, "3.5")
                                : ligneFA(exp, colis, "2012-04-19", heure,
                                          QByteArray::number(3760000000000LL + i % 500), 1)) +
                   "\r\n";
    }
    return contenu;
}

// The journal rows, opening the file afresh as another program would.
qint64 lignesJournal(const BaseDeTest& b) {
    Connexion cnx(QStringLiteral("Controle"));
    ParametresConnexion p;
    p.base = b.chemin(QStringLiteral("tarvo.db"));
    cnx.ouvrir(p);
    return nombre(cnx.base(), QStringLiteral("SELECT COUNT(*) FROM [Journal de saisie]"));
}

void remettre(const BaseDeTest& b, const QByteArray& base, const QByteArray& data) {
    for (const QString& f : {QStringLiteral("tarvo.db-wal"), QStringLiteral("tarvo.db-shm")})
        QFile::remove(b.chemin(f));
    b.ecrireFichier(QStringLiteral("tarvo.db"), base);
    for (const QString& d : {QStringLiteral("archive"), QStringLiteral("terminal")}) {
        QDir dossier(b.chemin(d));
        for (const QString& f : dossier.entryList(QDir::Files))
            dossier.remove(f);
    }
    b.ecrireFichier(Data, data);
}

// A small file system of its own, mounted for the time of a test: a real
// full disk, where writes fail only when the buffered bytes are flushed.
class DisqueMonte {
public:
    explicit DisqueMonte(const QString& dossier) : dossier_(dossier) {
        QDir().mkpath(dossier);
        monte_ =
            QProcess::execute(QStringLiteral("mount"),
                              {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                               QStringLiteral("size=64k"), QStringLiteral("tmpfs"), dossier}) == 0;
    }
    ~DisqueMonte() {
        if (monte_)
            QProcess::execute(QStringLiteral("umount"), {dossier_});
    }
    DisqueMonte(const DisqueMonte&) = delete;
    DisqueMonte& operator=(const DisqueMonte&) = delete;
    bool monte() const { return monte_; }
    // Fills what is left, a block at a time, until the system refuses.
    void remplir() const {
        QFile f(dossier_ + QStringLiteral("/remplissage"));
        if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            qFatal("Remplissage impossible");
        const QByteArray bloc(512, 'x');
        while (f.write(bloc) == bloc.size()) {
        }
    }

private:
    QString dossier_;
    bool monte_ = false;
};

} // namespace

class TestArret : public QObject {
    Q_OBJECT

private slots:
    void statutsDesCommandes() {
        BaseDeTest b;
        b.creerBase();
        b.ctx->cnx.reset();
        QString erreurs;
        QCOMPARE(executer(b, QStringLiteral("fichier-article"), &erreurs), 0);
        QVERIFY(QFile::exists(b.chemin(QStringLiteral("terminal/ARTICLE.TXT"))));
        QCOMPARE(executer(b, QStringLiteral("fichier-expedition")), 0);
        QCOMPARE(executer(b, QStringLiteral("integration"), &erreurs), 1);
        QVERIFY(erreurs.contains(
            QStringLiteral("Traitement impossible\nAucun fichier de données disponible.")));
        b.ecrireFichier(Data, "sans code\r\n");
        QCOMPARE(executer(b, QStringLiteral("integration"), &erreurs), 1);
        QVERIFY(erreurs.contains(QStringLiteral("Ligne fichier n° : 1")));
        b.ecrireFichier(Data, "");
        QCOMPARE(executer(b, QStringLiteral("integration"), &erreurs), 0);
        QVERIFY(erreurs.contains(QStringLiteral("Intégration des lignes\nTraitement terminé")));
    }

    // On a full disk every command fails with status 1 and leaves every file
    // as it was: the terminal files, the data file, no archive, no journal.
    void disquePlein() {
        if (geteuid() != 0)
            QSKIP("Monter un système de fichiers plein demande les droits root.");
        BaseDeTest b;
        b.creerBase();
        ajouterArticle(b.ctx->cnx->base(), QStringLiteral("3760001234567"), QStringLiteral("A"));
        ajouterExpedition(b.ctx->cnx->base(), 42, QStringLiteral("A"), QStringLiteral("B"), 2);
        b.ctx->cnx.reset();
        const DisqueMonte disque(b.chemin(QStringLiteral("plein")));
        if (!disque.monte())
            QSKIP("mount -t tmpfs a échoué.");
        QByteArray ini = iniParDefaut(b.dossier.path());
        ini.replace("/terminal/ARTICLE.TXT", "/plein/ARTICLE.TXT")
            .replace("/terminal/EXPEDITION.TXT", "/plein/EXPEDITION.TXT")
            .replace("/archive/", "/plein/archive/");
        b.ecrireIni(ini);
        QDir().mkpath(b.chemin(QStringLiteral("plein/archive")));
        b.ecrireFichier(QStringLiteral("plein/ARTICLE.TXT"), "ancien article\r\n");
        b.ecrireFichier(QStringLiteral("plein/EXPEDITION.TXT"), "ancienne expédition\r\n");
        const QByteArray data = fichier({ligneFP(42, 1, "2012-04-19", "10:00:00", "1")});
        b.ecrireFichier(Data, data);
        disque.remplir();

        QString erreurs;
        QCOMPARE(executer(b, QStringLiteral("fichier-article"), &erreurs), 1);
        QVERIFY2(erreurs.contains(QStringLiteral("Source : GenFichierArticle")),
                 qPrintable(erreurs));
        QCOMPARE(b.lireFichier(QStringLiteral("plein/ARTICLE.TXT")),
                 QByteArray("ancien article\r\n"));
        QCOMPARE(executer(b, QStringLiteral("fichier-expedition"), &erreurs), 1);
        QVERIFY2(erreurs.contains(QStringLiteral("Source : GenFichierExpedition")),
                 qPrintable(erreurs));
        QCOMPARE(b.lireFichier(QStringLiteral("plein/EXPEDITION.TXT")),
                 QByteArray("ancienne expédition\r\n"));
        QCOMPARE(executer(b, QStringLiteral("integration"), &erreurs), 1);
        QVERIFY2(!erreurs.contains(QStringLiteral("Traitement terminé")), qPrintable(erreurs));
        QVERIFY2(erreurs.contains(QStringLiteral("Source : IntegData")), qPrintable(erreurs));
        QCOMPARE(lignesJournal(b), 0);
        QCOMPARE(b.lireFichier(Data), data);
        QCOMPARE(QDir(b.chemin(QStringLiteral("plein/archive"))).entryList(QDir::Files),
                 QStringList());
        QCOMPARE(QDir(b.chemin(QStringLiteral("plein"))).entryList(QDir::Files),
                 (QStringList{QStringLiteral("ARTICLE.TXT"), QStringLiteral("EXPEDITION.TXT"),
                              QStringLiteral("remplissage")}));
    }

    // A terminal appending lines, one open-write-close each, while
    // integrations run: every line is journaled exactly once and archived
    // exactly once.
    void lignesEcritesPendantLIntegration() {
        BaseDeTest b;
        b.creerBase();
        ajouterExpedition(b.ctx->cnx->base(), 42, QStringLiteral("A"), QStringLiteral("B"), 3);
        b.ctx->cnx.reset();
        std::atomic<bool> fin{false};
        std::atomic<int> ecrites{0};
        qint64 octets = 0;
        std::thread terminal([&] {
            for (int i = 0; !fin; ++i) {
                const QByteArray ligne =
                    ligneFP(42, 1 + i % 999, "2012-04-19",
                            QTime(8, 0).addSecs(i).toString(u"HH:mm:ss").toLatin1(), "1") +
                    "\r\n";
                QFile f(b.chemin(Data));
                if (!f.open(QIODevice::Append) || f.write(ligne) != ligne.size())
                    qFatal("Écriture du terminal impossible");
                f.close();
                octets += ligne.size();
                ecrites = i + 1;
                QThread::msleep(1);
            }
        });
        for (int essai = 0; essai < 6; ++essai) {
            QString erreurs;
            const int statut = executer(b, QStringLiteral("integration"), &erreurs);
            QVERIFY2(statut == 0 || erreurs.contains(QStringLiteral("Aucun fichier")),
                     qPrintable(erreurs));
        }
        fin = true;
        terminal.join();
        if (QFile::exists(b.chemin(Data)))
            QCOMPARE(executer(b, QStringLiteral("integration")), 0);

        Connexion cnx(QStringLiteral("Controle"));
        ParametresConnexion p;
        p.base = b.chemin(QStringLiteral("tarvo.db"));
        cnx.ouvrir(p);
        QCOMPARE(nombre(cnx.base(), QStringLiteral("SELECT COUNT(*) FROM [Journal de saisie]")),
                 ecrites.load());
        QCOMPARE(
            nombre(cnx.base(),
                   QStringLiteral("SELECT COUNT(DISTINCT [Date saisie]) FROM [Journal de saisie]")),
            ecrites.load());
        qint64 archives = 0;
        for (const QFileInfo& f :
             QDir(b.chemin(QStringLiteral("archive"))).entryInfoList(QDir::Files))
            archives += f.size();
        QCOMPARE(archives, octets);
        QCOMPARE(QDir(b.chemin(QStringLiteral("terminal"))).entryList(QDir::Files), QStringList());
        qInfo("%d lignes écrites pendant les intégrations", ecrites.load());
    }

    void integrationInterrompue() {
        BaseDeTest b;
        b.creerBase();
        {
            QSqlDatabase db = b.ctx->cnx->base();
            QVERIFY(db.transaction());
            for (int i = 1; i <= Expeditions; ++i)
                ajouterExpedition(db, i, QStringLiteral("Client %1").arg(i),
                                  QStringLiteral("Ville"), 20);
            QVERIFY(db.commit());
        }
        b.ctx->cnx.reset();
        const QByteArray base = b.lireFichier(QStringLiteral("tarvo.db"));
        const QByteArray data = fichierVolumineux();

        remettre(b, base, data);
        QElapsedTimer chrono;
        chrono.start();
        QCOMPARE(executer(b, QStringLiteral("integration")), 0);
        const qint64 duree = chrono.elapsed();
        QCOMPARE(lignesJournal(b), qint64(Lignes));

        QRandomGenerator alea(static_cast<quint32>(QDateTime::currentMSecsSinceEpoch()));
        int complets = 0;
        for (int essai = 0; essai < 6; ++essai) {
            remettre(b, base, data);
            // Process start included: some kills land before the transaction,
            // some after the commit.
            const int attente = alea.bounded(static_cast<int>(duree * 13 / 10) + 1);
            std::unique_ptr<QProcess> p(lancer(b, QStringLiteral("integration")));
            QTest::qWait(attente);
            // SIGKILL: no chance to clean up.
            p->kill();
            p->waitForFinished(10000);
            const qint64 journal = lignesJournal(b);
            qInfo("arrêt après %d ms sur %lld : %lld lignes", attente, duree, journal);
            // Killed before the rename the data file is whole; after it the
            // work file holds every byte, committed or not.
            const QString reste = QFile::exists(b.chemin(Data)) ? Data : Travail;
            if (journal == 0) {
                QCOMPARE(b.lireFichier(reste), data);
            } else {
                ++complets;
                QCOMPARE(journal, qint64(Lignes));
                if (QFile::exists(b.chemin(reste)))
                    QCOMPARE(b.lireFichier(reste), data);
            }
            // Whatever the moment of the kill, the next run (when a file is
            // left) ends with every line integrated once, the file archived
            // once and gone.
            if (QFile::exists(b.chemin(reste)))
                QCOMPARE(executer(b, QStringLiteral("integration")), 0);
            QCOMPARE(lignesJournal(b), qint64(Lignes));
            QCOMPARE(QDir(b.chemin(QStringLiteral("terminal"))).entryList(QDir::Files),
                     QStringList());
            const QStringList archives =
                QDir(b.chemin(QStringLiteral("archive"))).entryList({QStringLiteral("Int*.txt")});
            QVERIFY(!archives.isEmpty());
            for (const QString& archive : archives)
                QCOMPARE(b.lireFichier(QStringLiteral("archive/") + archive), data);
        }
        qInfo("%d arrêts sur 6 après la validation", complets);
    }
};

int executerTestsArret(int argc, char** argv) {
    TestArret t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_arret.moc"
