// The terminal folder is shared: terminals that hold the data file open
// while they download, integrations started at once from several places,
// and files planted by anybody who can write there. Every byte a terminal
// writes is journaled once and archived once, nothing outside the archive
// folder is ever written or deleted, and bad input is refused by name.
#include "OutilsTerminal.h"
#include "ServeurDeTest.h"
#include "Tarvoctl.h"
#include "base/Windows1252.h"
#include "db/Connexion.h"
#include "db/Verrou.h"
#include "terminal/EssaiIntegration.h"
#include "terminal/FichierTravail.h"
#include "terminal/IntegData.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTest>
#include <QThread>
#include <atomic>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace tarvo;
using namespace tarvo::test;
using namespace Qt::StringLiterals;

namespace {

const QString Data = u"terminal/DATA.TXT"_s;
const QString Travail = u"terminal/DATA.TXT.en-cours"_s;
const QString Archive = u"archive/Intégration du 2012-04-19 à 13h42mn25.txt"_s;

// The i-th line a terminal writes: its own entry time, so that each is found
// again in the journal.
QByteArray ligne(int i) {
    return ligneFP(42, 1 + i % 99, "2012-04-19",
                   QTime(8, 0).addSecs(i).toString(u"HH:mm:ss").toLatin1(), "1") +
           "\r\n";
}

struct Base : BaseDeTest {
    Base() {
        creerBase();
        ajouterExpedition(*ctx->cnx, 42, u"Boutique"_s, u"Lyon"_s, 3);
    }
    Connexion& db() const { return *ctx->cnx; }
    qint64 journal(const QString& compte = u"COUNT(*)"_s) const {
        return nombre(db(), u"SELECT "_s + compte + u" FROM [Journal de saisie]"_s);
    }
    QByteArray archives() const {
        QByteArray tout;
        for (const QString& f : QDir(chemin(u"archive"_s)).entryList(QDir::Files, QDir::Name))
            tout += lireFichier(u"archive/"_s + f);
        return tout;
    }
    QStringList contenu(const QString& nom) const {
        return QDir(chemin(nom)).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    }
    QProcess* integration() const {
        auto* p = new QProcess;
        p->setProgram(QStringLiteral(TARVOCTL));
        p->setArguments({u"--dir"_s, dossier.path(), u"integration"_s});
        p->start();
        if (!p->waitForStarted())
            qFatal("tarvoctl ne démarre pas : %s", qPrintable(p->errorString()));
        return p;
    }
};

// A terminal downloading through its cradle: it opens the data file, writes
// lines (each in two halves, as a slow link delivers them), holds the file up
// to `tenueMs` between writes, and closes it after a few lines.
class TerminalLent {
public:
    TerminalLent(const QString& chemin, int tenueMs, int lignesParEnvoi)
        : chemin_(chemin), tenueMs_(tenueMs), lignesParEnvoi_(lignesParEnvoi),
          fil_([this] { ecrire(); }) {}
    ~TerminalLent() { arreter(); }
    void arreter() {
        fin_ = true;
        if (fil_.joinable())
            fil_.join();
    }
    int lignes() const { return lignes_; }
    const QByteArray& octets() const { return octets_; }

private:
    void ecrire() {
        QRandomGenerator alea(7);
        while (!fin_) {
            QFile f(chemin_);
            if (!f.open(QIODevice::Append | QIODevice::Unbuffered))
                qFatal("Écriture du terminal impossible");
            for (int n = 0; n < lignesParEnvoi_ && !fin_; ++n) {
                const QByteArray l = ligne(lignes_);
                const qsizetype moitie = l.size() / 2;
                if (f.write(l.left(moitie)) != moitie)
                    qFatal("Écriture du terminal impossible");
                QThread::msleep(static_cast<unsigned long>(alea.bounded(tenueMs_ + 1)));
                if (f.write(l.mid(moitie)) != l.size() - moitie)
                    qFatal("Écriture du terminal impossible");
                octets_ += l;
                ++lignes_;
                QThread::msleep(static_cast<unsigned long>(alea.bounded(tenueMs_ + 1)));
            }
            f.close();
            QThread::msleep(1);
        }
    }

    QString chemin_;
    int tenueMs_;
    int lignesParEnvoi_;
    std::atomic<bool> fin_{false};
    std::atomic<int> lignes_{0};
    QByteArray octets_;
    std::thread fil_;
};

void verifierToutUneFois(const Base& b, const TerminalLent& terminal) {
    QCOMPARE(b.journal(), qint64(terminal.lignes()));
    QCOMPARE(b.journal(u"COUNT(DISTINCT [Date saisie])"_s), qint64(terminal.lignes()));
    QByteArray archives = b.archives();
    QCOMPARE(archives.size(), terminal.octets().size());
    QList<QByteArray> lues = archives.split('\n');
    QList<QByteArray> ecrites = terminal.octets().split('\n');
    std::sort(lues.begin(), lues.end());
    std::sort(ecrites.begin(), ecrites.end());
    QVERIFY(lues == ecrites);
    QCOMPARE(b.contenu(u"terminal"_s), QStringList());
}

} // namespace

class TestConcurrence : public QObject {
    Q_OBJECT

private slots:
    // A terminal that opens the data file, writes a line, and another one
    // once an integration has taken the file: the integration waits for it
    // and takes both, and archives exactly what it journaled.
    void terminalQuiGardeLeFichierOuvert() {
        Base b;
        b.ctx->cnx.reset();
        QFile f(b.chemin(Data));
        QVERIFY(f.open(QIODevice::Append | QIODevice::Unbuffered));
        QCOMPARE(f.write(ligne(0)), ligne(0).size());
        std::unique_ptr<QProcess> p(b.integration());
        // The run sets the file apart under its work name before it reads it;
        // the terminal's open file follows it there.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(b.chemin(Travail)), 30000);
        QCOMPARE(f.write(ligne(1)), ligne(1).size());
        f.close();
        QVERIFY(p->waitForFinished(60000));
        QCOMPARE(p->exitCode(), 0);
        b.ctx->cnx = std::make_unique<Connexion>(u"Controle"_s);
        ParametresConnexion parametres;
        parametres.base = b.chemin(u"tarvo.db"_s);
        b.ctx->cnx->ouvrir(parametres);
        QCOMPARE(b.journal(), 2);
        QCOMPARE(b.archives(), ligne(0) + ligne(1));
        QCOMPARE(b.contenu(u"terminal"_s), QStringList());
    }

    // Three integrations started together, again and again, while a
    // terminal downloads slowly: none loses, repeats or cuts a line, and a
    // run that found another one busy says so.
    void integrationsSimultanees() {
        Base b;
        b.ctx->cnx.reset();
        TerminalLent terminal(b.chemin(Data), 3, 40);
        for (int tour = 0; tour < 6; ++tour) {
            std::vector<std::unique_ptr<QProcess>> runs;
            for (int i = 0; i < 3; ++i)
                runs.emplace_back(b.integration());
            for (auto& p : runs) {
                QVERIFY(p->waitForFinished(60000));
                const QString erreurs = QString::fromUtf8(p->readAllStandardError());
                QVERIFY2(p->exitStatus() == QProcess::NormalExit, qPrintable(erreurs));
                QVERIFY2(p->exitCode() == 0 || erreurs.contains(u"Aucun fichier de données"_s) ||
                             erreurs.contains(u"Une intégration est déjà en cours."_s),
                         qPrintable(erreurs));
            }
        }
        terminal.arreter();
        std::unique_ptr<QProcess> dernier(b.integration());
        QVERIFY(dernier->waitForFinished(60000));
        b.ctx->cnx = std::make_unique<Connexion>(u"Controle"_s);
        ParametresConnexion parametres;
        parametres.base = b.chemin(u"tarvo.db"_s);
        b.ctx->cnx->ouvrir(parametres);
        verifierToutUneFois(b, terminal);
        qInfo("%d lignes écrites pendant les intégrations", terminal.lignes());
    }

    // Another workstation holds the integration: the run waits, shows it,
    // then gives up without touching anything; once it is free, the run
    // goes through. On the server the lock is the session's application
    // lock, refused without waiting.
    void uneIntegrationALaFois_data() {
        QTest::addColumn<VoieDeTest>("voie");
        for (const VoieDeTest& voie : VoiesDesMoteurs())
            QTest::newRow(voie.serveur ? "serveur" : "embarquée") << voie;
    }
    void uneIntegrationALaFois() {
        QFETCH(VoieDeTest, voie);
        Base b;
        const QByteArray data = ligne(0);
        b.ecrireFichier(Data, data);
        QVERIFY(b.prendre(voie));
        // The other workstation lives in a thread of its own, with its own
        // connection, as a connection serves one thread.
        std::atomic<int> etat{0};
        std::atomic<bool> liberer{false};
        std::thread autrePoste([&] {
            Connexion cnx(u"AutrePoste"_s);
            cnx.ouvrir(b.ctx->cnx->parametres());
            auto verrou = db::Verrou::essayer(cnx, terminal::NomVerrouIntegration);
            etat = verrou ? 1 : -1;
            etat.notify_all();
            liberer.wait(false);
            verrou.reset();
            etat = 2;
        });
        const auto liberation = [&liberer] {
            liberer = true;
            liberer.notify_all();
        };
        // A failed check returns at once: the other workstation still ends.
        const auto fin = qScopeGuard([&] {
            liberation();
            if (autrePoste.joinable())
                autrePoste.join();
        });
        etat.wait(0);
        QCOMPARE(etat.load(), 1);
        QVERIFY(!db::Verrou::essayer(*b.ctx->cnx, terminal::NomVerrouIntegration));

        const auto refus = terminal::IntegrerFichierData(*b.ctx, {std::chrono::milliseconds(300)});
        QCOMPARE(refus.issue, terminal::ResultatIntegration::Issue::DejaEnCours);
        QVERIFY(b.feedback.statuts.contains(u"Une autre intégration est en cours : attente…"_s));
        QCOMPARE(b.feedback.progressions.last(), 100);
        QCOMPARE(b.lireFichier(Data), data);
        QCOMPARE(b.contenu(u"archive"_s), QStringList());
        QCOMPARE(b.journal(), 0);
        // A dry run does not read files a run is moving: it says a run holds them.
        try {
            terminal::EssayerFichierData(*b.ctx, std::chrono::milliseconds(300));
            QFAIL("la vérification a lu pendant une intégration");
        } catch (const ErreurTarvo& e) {
            QCOMPARE(e.erreur().description,
                     u"Une intégration est en cours : vérifiez les données quand elle sera "
                     "terminée."_s);
        }

        QProcessEnvironment environnement = QProcessEnvironment::systemEnvironment();
        QStringList compte;
        if (voie.serveur) {
            compte = {u"--utilisateur"_s, ServeurEssaiDisponible()->utilisateur};
            environnement.insert(u"TARVO_MOT_DE_PASSE"_s, ServeurEssaiDisponible()->motDePasse);
        }
        const ResultatTarvoctl ctl = lancerTarvoctl(QStringList{u"--dir"_s, b.dossier.path()} +
                                                        compte + QStringList{u"integration"_s},
                                                    environnement);
        QCOMPARE(ctl.statut, 1);
        QVERIFY2(
            ctl.erreurs.contains(u"Intégration des lignes\nUne intégration est déjà en cours.\n"_s),
            qPrintable(ctl.erreurs));
        QCOMPARE(b.lireFichier(Data), data);

        // Released once the run says it waits: the run takes it and goes
        // through.
        b.feedback.aChaqueStatut = [&](const QString& statut) {
            if (statut == u"Une autre intégration est en cours : attente…"_s)
                liberation();
        };
        const auto accord =
            terminal::IntegrerFichierData(*b.ctx, {std::chrono::milliseconds(20000)});
        b.feedback.aChaqueStatut = nullptr;
        QCOMPARE(accord.issue, terminal::ResultatIntegration::Issue::Integre);
        QCOMPARE(b.journal(), 1);
    }

    // A stop between a commit and the setting apart of the bytes that came
    // after the last read leaves them after the committed ones under the
    // work name: the next run integrates only those.
    void arretAvantLeReste() {
        Base b;
        b.ecrireFichier(Data, ligne(0) + ligne(1));
        QVERIFY(terminal::IntegData(*b.ctx));
        b.ecrireFichier(Travail, ligne(0) + ligne(1) + ligne(2));
        QVERIFY(terminal::IntegData(*b.ctx));
        QCOMPARE(b.journal(), 3);
        QCOMPARE(b.lireFichier(Archive), ligne(0) + ligne(1));
        QCOMPARE(b.lireFichier(QString(Archive).replace(u".txt"_s, u" (2).txt"_s)), ligne(2));
        QCOMPARE(b.contenu(u"terminal"_s), QStringList());
    }

    // A dry run while a terminal writes: a last line without its end is not
    // judged on its first half; once the terminal has let the file go, it is.
    void essaiPendantQuUnTerminalEcrit() {
        Base b;
        QFile f(b.chemin(Data));
        QVERIFY(f.open(QIODevice::Append | QIODevice::Unbuffered));
        QCOMPARE(f.write(ligne(0) + ligne(1).left(12)), ligne(0).size() + 12);
        const terminal::BilanEssai enCours = terminal::EssayerFichierData(*b.ctx);
        QVERIFY(enCours.echecs().isEmpty());
        QVERIFY2(enCours.texte().contains(u"1 ligne lue. Sa dernière ligne, qu'un terminal écrit "
                                          "encore, n'est pas vérifiée."_s),
                 qPrintable(enCours.texte()));
        f.close();
        QCOMPARE(terminal::EssayerFichierData(*b.ctx).echecs().size(), 1);
    }

    // One database reached through a link and through its own path shares
    // one lock; a link planted under the lock's name is never the lock.
    void baseAtteinteParUnLien() {
        Base b;
        QVERIFY(QFile::link(b.chemin(u"tarvo.db"_s), b.chemin(u"lien.db"_s)));
        Connexion parLeLien(u"ParLeLien"_s);
        ParametresConnexion parametres;
        parametres.base = b.chemin(u"lien.db"_s);
        parLeLien.ouvrir(parametres);
        auto verrou = db::Verrou::essayer(*b.ctx->cnx, terminal::NomVerrouIntegration);
        QVERIFY(verrou);
        QVERIFY(!db::Verrou::essayer(parLeLien, terminal::NomVerrouIntegration));
        verrou.reset();
        const QString fichier =
            db::FichierVerrou(b.chemin(u"tarvo.db"_s), terminal::NomVerrouIntegration);
        QVERIFY(QFile::remove(fichier));
        QVERIFY(QFile::link(b.chemin(u"ailleurs.db"_s), fichier));
        QVERIFY_THROWS_EXCEPTION(ErreurTarvo,
                                 db::Verrou::essayer(parLeLien, terminal::NomVerrouIntegration));
        QVERIFY(!QFile::exists(b.chemin(u"ailleurs.db"_s)));
    }

    // Without a connection to ask for the lock, the run says so and leaves
    // the data file alone.
    void sansConnexion() {
        Base b;
        b.ecrireFichier(Data, ligne(0));
        b.ctx->cnx.reset();
        QVERIFY(!terminal::IntegData(*b.ctx));
        QCOMPARE(b.prompts.boites.size(), 1);
        QVERIFY2(b.prompts.boites[0].texte.contains(u"n'est pas ouverte"_s),
                 qPrintable(b.prompts.boites[0].texte));
        QCOMPARE(b.lireFichier(Data), ligne(0));
    }

    // Files planted in the terminal and archive folders: an old archive
    // note naming the database, links under the archive's names, a link, a
    // folder and a FIFO under the data file's names.
    void fichiersPlantes() {
        Base b;
        QVERIFY(QDir().mkpath(b.chemin(u"dehors"_s)));
        b.ecrireFichier(Data + u".archive-en-cours"_s, b.chemin(u"tarvo.db"_s).toUtf8());
        QVERIFY(QFile::link(b.chemin(u"dehors/un.txt"_s), b.chemin(Archive)));
        QVERIFY(QFile::link(b.chemin(u"dehors/deux.txt"_s),
                            b.chemin(Archive).replace(u".txt"_s, u" (2).txt.en-cours"_s)));
        b.ecrireFichier(Data, ligne(0));
        QVERIFY(terminal::IntegData(*b.ctx));
        QCOMPARE(b.prompts.titresEtTextes(),
                 QStringList{u"Intégration des lignes|Traitement terminé"_s});
        QVERIFY(QFile::exists(b.chemin(u"tarvo.db"_s)));
        QCOMPARE(b.journal(), 1);
        QCOMPARE(b.contenu(u"dehors"_s), QStringList());
        QCOMPARE(b.contenu(u"terminal"_s), QStringList());
        const QString deuxieme = QString(Archive).replace(u".txt"_s, u" (2).txt"_s);
        QCOMPARE(b.lireFichier(deuxieme), ligne(0));
        QCOMPARE(lignes(b.db(), u"SELECT archive FROM tarvo_integration"_s),
                 QStringList{b.chemin(deuxieme)});
        QVERIFY(Windows1252::decoder(b.lireFichier(u"erreurs.txt"_s))
                    .contains(b.chemin(Data + u".archive-en-cours"_s)));

        const auto refuse = [&](const QString& nom) {
            b.prompts.vider();
            QVERIFY(!terminal::IntegData(*b.ctx));
            QCOMPARE(b.prompts.boites.size(), 1);
            QVERIFY2(b.prompts.boites[0].texte.contains(
                         u"%1 n'est pas un fichier ordinaire"_s.arg(b.chemin(nom))),
                     qPrintable(b.prompts.boites[0].texte));
            QCOMPARE(b.journal(), 1);
        };
        b.ecrireFichier(u"dehors/DATA.TXT"_s, ligne(1));
        QVERIFY(QFile::link(b.chemin(u"dehors/DATA.TXT"_s), b.chemin(Data)));
        refuse(Data);
        QVERIFY(QFileInfo(b.chemin(Data)).isSymLink());
        QCOMPARE(b.lireFichier(u"dehors/DATA.TXT"_s), ligne(1));
        QVERIFY(QFile::remove(b.chemin(Data)));

        QVERIFY(::mkfifo(QFile::encodeName(b.chemin(Data)).constData(), 0600) == 0);
        refuse(Data);
        QVERIFY(QFile::remove(b.chemin(Data)));

        QVERIFY(QDir().mkpath(b.chemin(Travail)));
        b.ecrireFichier(Data, ligne(1));
        refuse(Travail);
        QCOMPARE(b.lireFichier(Data), ligne(1));
    }

    // A work file left by an earlier run that is no data holds back every
    // later file: the failure names it and says what to do.
    void fichierDeTravailIllisible() {
        Base b;
        b.ecrireFichier(Travail, "pas une ligne de terminal\r\n");
        b.ecrireFichier(Data, ligne(0));
        QVERIFY(!terminal::IntegData(*b.ctx));
        QCOMPARE(b.prompts.boites.size(), 1);
        const QString texte = b.prompts.boites[0].texte;
        QVERIFY2(texte.contains(u"Fichier %1, laissé par une intégration précédente : "
                                "corrigez-le ou déplacez-le hors du dossier des terminaux"_s.arg(
                                    QDir::toNativeSeparators(b.chemin(Travail)))),
                 qPrintable(texte));
        QVERIFY(texte.endsWith(u"Ligne fichier n° : 1\r\n"_s));
        QCOMPARE(b.lireFichier(Travail), QByteArray("pas une ligne de terminal\r\n"));
        QCOMPARE(b.lireFichier(Data), ligne(0));
    }

    // A line far longer than any terminal line is refused by its number
    // without being held whole, and nothing is committed.
    void ligneDemesuree() {
        Base b;
        const QByteArray data =
            ligne(0) + ligneFP(42, 2, "2012-04-19", "10:00:00", QByteArray(8 << 20, '9')) + "\r\n";
        b.ecrireFichier(Data, data);
        QVERIFY(!terminal::IntegData(*b.ctx));
        QCOMPARE(b.prompts.boites.size(), 1);
        const QString texte = b.prompts.boites[0].texte;
        QVERIFY2(texte.contains(u"La ligne dépasse 4096 octets"_s), qPrintable(texte));
        QVERIFY(texte.endsWith(u"Ligne fichier n° : 2\r\n"_s));
        QVERIFY(texte.size() < 1000);
        QVERIFY(b.lireFichier(u"erreurs.txt"_s).size() < 2000);
        QCOMPARE(b.journal(), 0);
        QCOMPARE(b.lireFichier(Data), data);
    }

    // Bytes that came after the last read stay alone under the work name,
    // ahead of any newer data file, and the archive holds only what was
    // read.
    void octetsArrivesApresLaLecture() {
        Base b;
        b.ecrireFichier(Data, ligne(0) + ligne(1));
        FeedbackMuet muet;
        terminal::FichierTravail travail(b.chemin(Data), b.chemin(u"archive"_s), muet);
        QVERIFY(travail.prendre(true));
        QByteArray l;
        int lues = 0;
        while (travail.lecteur().suivante(l))
            ++lues;
        QCOMPARE(lues, 2);
        QFile tard(b.chemin(Travail));
        QVERIFY(tard.open(QIODevice::Append));
        QCOMPARE(tard.write(ligne(2)), ligne(2).size());
        tard.close();
        const QString archive = travail.archiver(QDateTime(QDate(2012, 4, 19), QTime(13, 42, 25)));
        QCOMPARE(archive, b.chemin(Archive));
        travail.terminer();
        QCOMPARE(b.lireFichier(Archive), ligne(0) + ligne(1));
        QCOMPARE(b.lireFichier(Travail), ligne(2));
        QVERIFY(!QFile::exists(b.chemin(Data)));
    }
};

// A run of another account, as a terminal folder shared with a sync service
// or over the network: the system gives it no lease on the terminal's file.
class TestSansBail : public QObject {
    Q_OBJECT

    static QProcess* integrationAutreCompte(const Base& b) {
        auto* p = new QProcess;
        p->setProgram(u"runuser"_s);
        p->setArguments({u"-u"_s, u"nobody"_s, u"--"_s, QStringLiteral(TARVOCTL), u"--dir"_s,
                         b.dossier.path(), u"integration"_s});
        p->start();
        if (!p->waitForStarted())
            qFatal("runuser ne démarre pas : %s", qPrintable(p->errorString()));
        return p;
    }

private slots:
    void initTestCase() {
        if (::geteuid() != 0)
            QSKIP("Un terminal d'un autre compte demande de lancer les essais en root.");
        QProcess essai;
        essai.start(u"runuser"_s,
                    {u"-u"_s, u"nobody"_s, u"--"_s, QStringLiteral(TARVOCTL), u"--version"_s});
        if (!essai.waitForFinished(20000) || essai.exitCode() != 0)
            QSKIP("Le compte nobody ne peut pas lancer tarvoctl depuis ce dossier.");
    }

    // A terminal keeps the data file open across its lines while runs of
    // the other account start: each waits until the file has stayed the
    // same, and every line is journaled and archived exactly once.
    void terminalQuiGardeLeFichierOuvert() {
        Base b;
        b.ctx->cnx.reset();
        for (const QString& nom : {QString(), u"terminal"_s, u"archive"_s})
            QVERIFY(QFile::setPermissions(b.chemin(nom), QFileDevice::Permissions(0x7777)));
        QVERIFY(QFile::setPermissions(b.chemin(u"tarvo.db"_s), QFileDevice::Permissions(0x6666)));
        QFile f(b.chemin(Data));
        QVERIFY(f.open(QIODevice::Append | QIODevice::Unbuffered));
        std::vector<std::unique_ptr<QProcess>> runs;
        QByteArray ecrits;
        for (int i = 0; i < 30; ++i) {
            const QByteArray l = ligne(i);
            QCOMPARE(f.write(l.left(10)), 10);
            QThread::msleep(20);
            QCOMPARE(f.write(l.mid(10)), l.size() - 10);
            QThread::msleep(30);
            ecrits += l;
            if (i == 3 || i == 20)
                runs.emplace_back(integrationAutreCompte(b));
        }
        f.close();
        for (auto& p : runs) {
            QVERIFY(p->waitForFinished(60000));
            const QString erreurs = QString::fromUtf8(p->readAllStandardError());
            QVERIFY2(p->exitCode() == 0 || erreurs.contains(u"Aucun fichier de données"_s),
                     qPrintable(erreurs));
        }
        b.ctx->cnx = std::make_unique<Connexion>(u"Controle"_s);
        ParametresConnexion parametres;
        parametres.base = b.chemin(u"tarvo.db"_s);
        b.ctx->cnx->ouvrir(parametres);
        QCOMPARE(b.journal(), 30);
        QCOMPARE(b.journal(u"COUNT(DISTINCT [Date saisie])"_s), 30);
        QCOMPARE(b.archives(), ecrits);
        QCOMPARE(b.contenu(u"terminal"_s), QStringList());
    }
};

int executerTestsConcurrence(int argc, char** argv) {
    TestConcurrence t;
    TestSansBail sansBail;
    return QTest::qExec(&t, argc, argv) | QTest::qExec(&sansBail, argc, argv);
}

#include "test_concurrence.moc"
