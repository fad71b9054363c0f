// The real tarvoctl: its status, and an integration killed at random moments,
// which must leave either everything or nothing, and a next run that ends
// the work exactly once.
#include "DisquePlein.h"
#include "OutilsTerminal.h"
#include "base/Erreur.h"
#include "db/Connexion.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>
#include <QThread>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <thread>

using namespace tarvo;
using namespace Qt::StringLiterals;
using namespace tarvo::test;

namespace {

const QString Data = u"terminal/DATA.TXT"_s;
const QString Travail = u"terminal/DATA.TXT.en-cours"_s;
constexpr int Expeditions = 200;
constexpr int Lignes = 25000;

QProcess* lancer(const BaseDeTest& b, const QString& commande) {
    auto* p = new QProcess;
    p->setProgram(QStringLiteral(TARVOCTL));
    p->setArguments({u"--dir"_s, b.dossier.path(), commande});
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
qint64 lignesJournal(const BaseDeTest& b, const QString& compte = u"COUNT(*)"_s) {
    Connexion cnx(u"Controle"_s);
    ParametresConnexion p;
    p.base = b.chemin(u"tarvo.db"_s);
    cnx.ouvrir(p);
    return nombre(cnx, u"SELECT "_s + compte + u" FROM [Journal de saisie]"_s);
}

void remettre(const BaseDeTest& b, const QByteArray& base, const QByteArray& data) {
    for (const QString& f : {u"tarvo.db-wal"_s, u"tarvo.db-shm"_s})
        QFile::remove(b.chemin(f));
    b.ecrireFichier(u"tarvo.db"_s, base);
    for (const QString& d : {u"archive"_s, u"terminal"_s}) {
        QDir dossier(b.chemin(d));
        for (const QString& f : dossier.entryList(QDir::Files))
            dossier.remove(f);
    }
    b.ecrireFichier(Data, data);
}

} // namespace

class TestArret : public QObject {
    Q_OBJECT

private slots:
    void statutsDesCommandes() {
        BaseDeTest b;
        b.creerBase();
        b.ctx->cnx.reset();
        QString erreurs;
        QCOMPARE(executer(b, u"fichier-article"_s, &erreurs), 0);
        QVERIFY(QFile::exists(b.chemin(u"terminal/ARTICLE.TXT"_s)));
        QCOMPARE(executer(b, u"fichier-expedition"_s), 0);
        QCOMPARE(executer(b, u"integration"_s, &erreurs), 1);
        QVERIFY(erreurs.contains(u"Traitement impossible\nAucun fichier de données disponible."_s));
        b.ecrireFichier(Data, "sans code\r\n");
        QCOMPARE(executer(b, u"integration"_s, &erreurs), 1);
        QVERIFY(erreurs.contains(u"Ligne fichier n° : 1"_s));
        b.ecrireFichier(Data, "");
        QCOMPARE(executer(b, u"integration"_s, &erreurs), 0);
        QVERIFY(erreurs.contains(u"Intégration des lignes\nTraitement terminé"_s));
    }

    // On a full disk every command fails with status 1 and leaves every file
    // as it was: the terminal files, the data file, no archive, no journal.
    void disquePlein() {
        BaseDeTest b;
        b.creerBase();
        ajouterArticle(*b.ctx->cnx, u"3760001234567"_s, u"A"_s);
        ajouterExpedition(*b.ctx->cnx, 42, u"A"_s, u"B"_s, 2);
        b.ctx->cnx.reset();
        const DisquePlein disque(b.chemin(u"plein"_s));
        if (!disque.erreur().isEmpty())
            QSKIP(qPrintable(disque.erreur()));
        QByteArray ini = iniParDefaut(b.dossier.path());
        ini.replace("/terminal/ARTICLE.TXT", "/plein/ARTICLE.TXT")
            .replace("/terminal/EXPEDITION.TXT", "/plein/EXPEDITION.TXT")
            .replace("/archive/", "/plein/archive/");
        b.ecrireIni(ini);
        QDir().mkpath(b.chemin(u"plein/archive"_s));
        b.ecrireFichier(u"plein/ARTICLE.TXT"_s, "ancien article\r\n");
        b.ecrireFichier(u"plein/EXPEDITION.TXT"_s, "ancienne expédition\r\n");
        const QByteArray data = fichier({ligneFP(42, 1, "2012-04-19", "10:00:00", "1")});
        b.ecrireFichier(Data, data);
        disque.remplir();

        QString erreurs;
        QCOMPARE(executer(b, u"fichier-article"_s, &erreurs), 1);
        QVERIFY2(erreurs.contains(u"Source : GenFichierArticle"_s), qPrintable(erreurs));
        QCOMPARE(b.lireFichier(u"plein/ARTICLE.TXT"_s), QByteArray("ancien article\r\n"));
        QCOMPARE(executer(b, u"fichier-expedition"_s, &erreurs), 1);
        QVERIFY2(erreurs.contains(u"Source : GenFichierExpedition"_s), qPrintable(erreurs));
        QCOMPARE(b.lireFichier(u"plein/EXPEDITION.TXT"_s), QByteArray("ancienne expédition\r\n"));
        QCOMPARE(executer(b, u"integration"_s, &erreurs), 1);
        QVERIFY2(!erreurs.contains(u"Traitement terminé"_s), qPrintable(erreurs));
        QVERIFY2(erreurs.contains(u"Source : IntegData"_s), qPrintable(erreurs));
        // The system's own reason, not a generic one.
        QVERIFY2(erreurs.contains(QString::fromLocal8Bit(std::strerror(ENOSPC))),
                 qPrintable(erreurs));
        QCOMPARE(lignesJournal(b), 0);
        QCOMPARE(b.lireFichier(Data), data);
        QCOMPARE(QDir(b.chemin(u"plein/archive"_s)).entryList(QDir::Files), QStringList());
        QCOMPARE(QDir(b.chemin(u"plein"_s)).entryList(QDir::Files),
                 (QStringList{u"ARTICLE.TXT"_s, u"EXPEDITION.TXT"_s, u"remplissage"_s}));
    }

    // A terminal appending lines, one open-write-close each, while
    // integrations run: every line is journaled exactly once and archived
    // exactly once.
    void lignesEcritesPendantLIntegration() {
        BaseDeTest b;
        b.creerBase();
        ajouterExpedition(*b.ctx->cnx, 42, u"A"_s, u"B"_s, 3);
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
            const int statut = executer(b, u"integration"_s, &erreurs);
            QVERIFY2(statut == 0 || erreurs.contains(u"Aucun fichier"_s), qPrintable(erreurs));
        }
        fin = true;
        terminal.join();
        if (QFile::exists(b.chemin(Data)))
            QCOMPARE(executer(b, u"integration"_s), 0);

        QCOMPARE(lignesJournal(b), ecrites.load());
        QCOMPARE(lignesJournal(b, u"COUNT(DISTINCT [Date saisie])"_s), ecrites.load());
        qint64 archives = 0;
        for (const QFileInfo& f : QDir(b.chemin(u"archive"_s)).entryInfoList(QDir::Files))
            archives += f.size();
        QCOMPARE(archives, octets);
        QCOMPARE(QDir(b.chemin(u"terminal"_s)).entryList(QDir::Files), QStringList());
        qInfo("%d lignes écrites pendant les intégrations", ecrites.load());
    }

    void integrationInterrompue() {
        BaseDeTest b;
        b.creerBase();
        {
            Connexion& db = *b.ctx->cnx;
            sql(db, u"BEGIN"_s);
            for (int i = 1; i <= Expeditions; ++i)
                ajouterExpedition(db, i, u"Client %1"_s.arg(i), u"Ville"_s, 20);
            sql(db, u"COMMIT"_s);
        }
        b.ctx->cnx.reset();
        const QByteArray base = b.lireFichier(u"tarvo.db"_s);
        const QByteArray data = fichierVolumineux();

        remettre(b, base, data);
        QElapsedTimer chrono;
        chrono.start();
        QCOMPARE(executer(b, u"integration"_s), 0);
        const qint64 duree = chrono.elapsed();
        QCOMPARE(lignesJournal(b), qint64(Lignes));

        QRandomGenerator alea(static_cast<quint32>(QDateTime::currentMSecsSinceEpoch()));
        int complets = 0;
        for (int essai = 0; essai < 6; ++essai) {
            remettre(b, base, data);
            // Process start included: some kills land before the transaction,
            // some after the commit.
            const int attente = alea.bounded(static_cast<int>(duree * 13 / 10) + 1);
            std::unique_ptr<QProcess> p(lancer(b, u"integration"_s));
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
                QCOMPARE(executer(b, u"integration"_s), 0);
            QCOMPARE(lignesJournal(b), qint64(Lignes));
            QCOMPARE(QDir(b.chemin(u"terminal"_s)).entryList(QDir::Files), QStringList());
            const QStringList archives = QDir(b.chemin(u"archive"_s)).entryList({u"Int*.txt"_s});
            QVERIFY(!archives.isEmpty());
            for (const QString& archive : archives)
                QCOMPARE(b.lireFichier(u"archive/"_s + archive), data);
        }
        qInfo("%d arrêts sur 6 après la validation", complets);
    }
};

int executerTestsArret(int argc, char** argv) {
    TestArret t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_arret.moc"
