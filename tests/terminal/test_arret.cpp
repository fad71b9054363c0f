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

using namespace tarvo;
using namespace tarvo::test;

namespace {

const QString Data = QStringLiteral("terminal/DATA.TXT");
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
    b.ecrireFichier(Data, data);
    QDir archive(b.chemin(QStringLiteral("archive")));
    for (const QString& f : archive.entryList(QDir::Files))
        archive.remove(f);
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
            if (journal == 0) {
                QCOMPARE(b.lireFichier(Data), data);
            } else {
                ++complets;
                QCOMPARE(journal, qint64(Lignes));
                // Killed after the commit: the file may still be there, whole.
                if (QFile::exists(b.chemin(Data)))
                    QCOMPARE(b.lireFichier(Data), data);
            }
            // Whatever the moment of the kill, the next run (when a file is
            // left) ends with every line integrated once, the file archived
            // and gone.
            if (QFile::exists(b.chemin(Data)))
                QCOMPARE(executer(b, QStringLiteral("integration")), 0);
            QCOMPARE(lignesJournal(b), qint64(Lignes));
            QVERIFY(!QFile::exists(b.chemin(Data)));
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
