// Labels through a real CUPS server: a private cupsd, a raw queue whose
// device is a socket printer played by this test, and the bytes compared as
// they reach the printer.
#include "BaseDeTest.h"
#include "db/Base.h"
#include "labels/EtiquettesArticle.h"
#include "labels/EtiquettesColis.h"
#include "labels/ImprEtiq.h"
#include "labels/PrinterSystem.h"
#include "labels/TexteEpl2.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <unistd.h>

using namespace tarvo;
using namespace Qt::StringLiterals;
using namespace tarvo::etiquettes;
using namespace tarvo::test;

namespace {

const QStringList DossiersSysteme = {u"/usr/sbin"_s, u"/usr/bin"_s, u"/sbin"_s};

// A label printer on a TCP port, as a networked Zebra listens on 9100: every
// connection is one job, complete when the sender closes it.
class ImprimanteReseau : public QObject {
public:
    ImprimanteReseau() {
        serveur_.listen(QHostAddress::LocalHost);
        connect(&serveur_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = serveur_.nextPendingConnection()) {
                const qsizetype index = enCours_.size();
                enCours_ << QByteArray();
                connect(s, &QTcpSocket::readyRead, this,
                        [this, s, index] { enCours_[index] += s->readAll(); });
                connect(s, &QTcpSocket::disconnected, this, [this, s, index] {
                    enCours_[index] += s->readAll();
                    recus << enCours_[index];
                    s->deleteLater();
                });
            }
        });
    }
    quint16 port() const { return serveur_.serverPort(); }
    QList<QByteArray> recus;

private:
    QTcpServer serveur_;
    QList<QByteArray> enCours_;
};

void executer(Contexte& ctx, const QString& sql) {
    db::Base(ctx.cnx.get()).preparer(db::TexteSql{sql}).executer();
}

} // namespace

class TestEtiquettesCups : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        const QString cupsd = QStandardPaths::findExecutable(u"cupsd"_s, DossiersSysteme);
        lpadmin_ = QStandardPaths::findExecutable(u"lpadmin"_s, DossiersSysteme);
        if (cupsd.isEmpty() || lpadmin_.isEmpty())
            QSKIP("cupsd ou lpadmin absent : installez les paquets cups et cups-bsd.");
        QVERIFY(dossier_.isValid());
        const QString d = dossier_.path();
        // The backends run as the lp user: it must reach the spooled files.
        QFile::setPermissions(d, QFile::permissions(d) | QFile::ReadOther | QFile::ExeOther |
                                     QFile::ReadGroup | QFile::ExeGroup);
        for (const char* sous : {"spool", "tmp", "cache", "state", "log"})
            QVERIFY(QDir(d).mkpath(QString::fromLatin1(sous)));
        QFile::setPermissions(d + u"/tmp"_s, QFile::Permissions(0x7777));
        ecrire(u"cups-files.conf"_s,
               u"ServerRoot %1\nRequestRoot %1/spool\nTempDir %1/tmp\n"
               "CacheDir %1/cache\nStateDir %1/state\nErrorLog %1/log/error_log\n"
               "AccessLog %1/log/access_log\nPageLog %1/log/page_log\n"
               "ServerBin /usr/lib/cups\nDataDir /usr/share/cups\n"
               "User lp\nGroup lp\nSystemGroup root\n"_s.arg(d));
        socket_ = d + u"/cups.sock"_s;
        ecrire(u"cupsd.conf"_s, u"Listen %1\nLogLevel info\nWebInterface No\nBrowsing No\n"
                                "DefaultAuthType None\n<Location />\n  Order allow,deny\n"
                                "  Allow all\n</Location>\n<Policy default>\n  <Limit All>\n"
                                "    Order deny,allow\n  </Limit>\n</Policy>\n"_s.arg(socket_));
        cupsd_.setProcessChannelMode(QProcess::MergedChannels);
        cupsd_.start(cupsd,
                     {u"-f"_s, u"-c"_s, d + u"/cupsd.conf"_s, u"-s"_s, d + u"/cups-files.conf"_s});
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(socket_) || cupsd_.state() == QProcess::NotRunning,
                                 15000);
        if (!QFile::exists(socket_)) {
            const QString journal =
                QString::fromLocal8Bit(cupsd_.readAll()) + lire(u"log/error_log"_s);
            if (geteuid() != 0)
                QSKIP(qPrintable(u"cupsd ne démarre pas sans les droits root : "_s + journal));
            QFAIL(qPrintable(u"cupsd n'a pas démarré : "_s + journal));
        }
        // Everything below, Tarvo's own calls included, talks to this server.
        qputenv("CUPS_SERVER", socket_.toUtf8());
        qunsetenv("TARVO_SPOOL_DIR");

        QProcess admin;
        admin.setProcessChannelMode(QProcess::MergedChannels);
        admin.start(lpadmin_, {u"-p"_s, u"TARVO_TEST"_s, u"-E"_s, u"-v"_s,
                               u"socket://127.0.0.1:%1"_s.arg(imprimante_.port())});
        QVERIFY(admin.waitForFinished(30000));
        QVERIFY2(admin.exitCode() == 0, admin.readAll().constData());
    }

    void cleanupTestCase() {
        if (cupsd_.state() != QProcess::NotRunning) {
            cupsd_.terminate();
            cupsd_.waitForFinished(10000);
        }
        qunsetenv("CUPS_SERVER");
    }

    void lesImprimantesSontCellesDuServeur() {
        const auto systeme = systemeImpression();
        QVERIFY(systeme->imprimantes().contains(u"TARVO_TEST"_s));
        QCOMPARE(systeme->identification(u"TARVO_TEST"_s),
                 u"socket://127.0.0.1:%1"_s.arg(imprimante_.port()));
    }

    void etiquettesArticleEtColisArriventOctetPourOctet() {
        BaseDeTest t;
        t.ecrireIni(iniParDefaut(t.dossier.path())
                        .replace("NomImprimanteArt=ZEBRA-ART", "NomImprimanteArt=ARVO_T*")
                        .replace("NomImprimanteExp=ZEBRA-EXP", "NomImprimanteExp=TARVO_TEST")
                        .replace("MargeGaucheExp=10", "MargeGaucheExp=45"));
        t.creerBase(false);
        executer(*t.ctx, u"INSERT INTO F_LIVRAISON (LI_No, CT_Num, LI_Intitule, "
                         "LI_CodePostal, LI_Ville) VALUES (4, 'C', 'Café "
                         "\"Le Zinc\"', '75011', 'Paris')"_s);
        executer(*t.ctx, u"INSERT INTO [Expédition] ([No Expédition], [No lieu "
                         "livraison], [Nbr colis théorique]) VALUES (4021, 4, 2)"_s);
        const auto systeme = systemeImpression();

        const ArticleEtiquette article{u"3760987650014"_s,
                                       u"Housse de coussin lin lavé 40x40 écru"_s};
        QVERIFY(ImprEtiqArticle(*t.ctx, *systeme, article, u"3"_s));
        QCOMPARE(t.feedback.statuts.last(),
                 u"TARVO_TEST: socket://127.0.0.1:%1"_s.arg(imprimante_.port()));
        QTRY_COMPARE_WITH_TIMEOUT(imprimante_.recus.size(), 1, 60000);
        QCOMPARE(imprimante_.recus.at(0),
                 TexteEtiquetteArticle(VarianteArticle::Fenetre, 10, article.codeBarre,
                                       article.libelle, 3));
        QVERIFY(imprimante_.recus.at(0).endsWith(QByteArray("P3\n\n", 4) + '\0'));

        const std::optional<ExpeditionEtiquettes> e = ChargerExpeditionEtiquettes(*t.ctx, 4021);
        QVERIFY(e);
        QCOMPARE(ImprEtiqExp(*t.ctx, *systeme, *e, 1, 2), 2);
        QVERIFY2(t.prompts.boites.isEmpty(), qPrintable(t.prompts.boites.value(0).texte));
        QTRY_COMPARE_WITH_TIMEOUT(imprimante_.recus.size(), 3, 60000);
        const AdresseLivraison adresse = {u"Café \"Le Zinc\""_s, {}, {}, u"75011 Paris"_s, {}};
        QList<QByteArray> colis = imprimante_.recus.mid(1);
        // The two jobs may reach the printer in either order.
        std::sort(colis.begin(), colis.end());
        QCOMPARE(colis.at(0), TexteEtiquetteColis(45, u"  4021"_s, 1, adresse));
        QCOMPARE(colis.at(1), TexteEtiquetteColis(45, u"  4021"_s, 2, adresse));
        QVERIFY(colis.at(0).contains("A45,300,0,4,1,1,N,\"Caf\xe9 \\\"Le Zinc\\\"\"\n"));
    }

private:
    void ecrire(const QString& nom, const QString& texte) {
        QFile f(QDir(dossier_.path()).filePath(nom));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(texte.toUtf8());
    }
    QString lire(const QString& nom) {
        QFile f(QDir(dossier_.path()).filePath(nom));
        return f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll()) : QString();
    }

    QTemporaryDir dossier_;
    QProcess cupsd_;
    QString lpadmin_;
    QString socket_;
    ImprimanteReseau imprimante_;
};

QTEST_GUILESS_MAIN(TestEtiquettesCups)
#include "test_etiquettes_cups.moc"
