// The two logs: rolled over when long, by one program or several at once, and
// a full disk reported in the system's words.
#include "BaseDeTest.h"
#include "DisquePlein.h"
#include "base/Journaux.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <atomic>
#include <cerrno>
#include <sys/stat.h>
#include <thread>

using namespace tarvo;
using namespace tarvo::test;
using namespace Qt::StringLiterals;

namespace {

const QByteArray Date = "19/04/2012 13:42:25 ";

// A log of exactly `taille` bytes of earlier lines.
void remplirJournal(const BaseDeTest& t, const QString& nom, qint64 taille) {
    QByteArray contenu;
    while (contenu.size() < taille)
        contenu += Date + "ancienne ligne\r\n";
    contenu.truncate(taille);
    t.ecrireFichier(nom, contenu);
}

} // namespace

class TestJournaux : public QObject {
    Q_OBJECT
private slots:
    // A log's name taken by a link (to a file outside, or dangling) or a
    // FIFO: the entry is refused by name at once, nothing outside the
    // program folder is written or created, and nobody waits for a reader.
    void nomPlante_data() {
        QTest::addColumn<QString>("nature");
        QTest::newRow("lien") << u"lien"_s;
        QTest::newRow("lien pendant") << u"pendant"_s;
        QTest::newRow("fifo") << u"fifo"_s;
    }
    void nomPlante() {
        QFETCH(QString, nature);
        BaseDeTest t;
        QVERIFY(QDir().mkpath(t.chemin(u"dehors"_s)));
        const QString dehors = t.chemin(u"dehors/cible.txt"_s);
        if (nature == u"lien"_s)
            t.ecrireFichier(u"dehors/cible.txt"_s, "à garder\r\n");
        if (nature == u"fifo"_s)
            QCOMPARE(::mkfifo(QFile::encodeName(t.chemin(FichierErreurs)).constData(), 0600), 0);
        else
            QVERIFY(QFile::link(dehors, t.chemin(FichierErreurs)));
        try {
            EcrireLog(*t.ctx, FichierErreurs, u"une entrée"_s);
            QFAIL("l'entrée a été écrite");
        } catch (const ErreurTarvo& e) {
            QVERIFY2(e.erreur().description.contains(u"n'est pas un fichier ordinaire"_s),
                     qPrintable(e.erreur().description));
        }
        if (nature == u"lien"_s)
            QCOMPARE(t.lireFichier(u"dehors/cible.txt"_s), QByteArray("à garder\r\n"));
        else
            QVERIFY(!QFile::exists(dehors));
    }

    // A log short of the bound takes one more entry that brings it to the
    // bound; the next write moves it whole over the older previous file and
    // starts a new log with the entry.
    void tourneAuDela_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QString>("precedent");
        QTest::newRow("erreurs") << FichierErreurs << u"erreurs.ancien.txt"_s;
        QTest::newRow("debug") << FichierDebug << u"debug.ancien.txt"_s;
    }
    void tourneAuDela() {
        QFETCH(QString, nom);
        QFETCH(QString, precedent);
        BaseDeTest t;
        t.ecrireFichier(precedent, "plus ancien\r\n");
        remplirJournal(t, nom, TailleMaxJournal - (Date + "premi\xE8re\r\n").size());
        const QByteArray avant = t.lireFichier(nom);
        auto ecrire = [&](const QString& texte) {
            if (nom == FichierDebug)
                TraceDebug(*t.ctx, texte);
            else
                EcrireLog(*t.ctx, nom, texte);
        };
        ecrire(u"première"_s);
        QCOMPARE(t.lireFichier(nom), avant + Date + "premi\xE8re\r\n");
        QCOMPARE(t.lireFichier(precedent), QByteArray("plus ancien\r\n"));
        ecrire(u"seconde"_s);
        QCOMPARE(t.lireFichier(precedent), avant + Date + "premi\xE8re\r\n");
        QCOMPARE(t.lireFichier(nom), Date + "seconde\r\n");
        QVERIFY(!QFile::exists(t.chemin(nom + u".verrou"_s)));
    }

    // Two programs that find the log long at the same moment: it is rolled
    // once, the previous file is the whole long log, and both entries are in
    // the new one. Many rounds, since the two writes meet only now and then.
    void deuxProgrammesEnMemeTemps() {
        BaseDeTest t;
        PromptsScriptes prompts;
        FeedbackEnregistre feedback;
        Contexte autre(t.ctx->dossierProgramme, prompts, feedback, t.horloge);
        const QString precedent = nomJournalPrecedent(FichierErreurs);
        for (int tour = 0; tour < 50; ++tour) {
            QFile::remove(t.chemin(precedent));
            QFile::remove(t.chemin(FichierErreurs));
            {
                QFile f(t.chemin(FichierErreurs));
                QVERIFY(f.open(QIODevice::WriteOnly) && f.resize(TailleMaxJournal));
            }
            std::atomic<int> prets = 0;
            std::atomic<int> echecs = 0;
            auto ecrire = [&](Contexte* ctx, QString texte) {
                ++prets;
                while (prets.load() < 2)
                    std::this_thread::yield();
                try {
                    EcrireLog(*ctx, FichierErreurs, texte);
                } catch (const ErreurTarvo&) {
                    ++echecs;
                }
            };
            std::thread a(ecrire, t.ctx.get(), u"A"_s);
            std::thread b(ecrire, &autre, u"B"_s);
            a.join();
            b.join();
            QCOMPARE(echecs.load(), 0);
            QCOMPARE(QFile(t.chemin(precedent)).size(), TailleMaxJournal);
            const QByteArray nouveau = t.lireFichier(FichierErreurs);
            QVERIFY2(nouveau == Date + "A\r\n" + Date + "B\r\n" ||
                         nouveau == Date + "B\r\n" + Date + "A\r\n",
                     qPrintable(u"tour %1 : %2 octets"_s.arg(tour).arg(nouveau.size())));
        }
    }

    // A log on a full disk is an error that says why, not a silent loss.
    void disquePlein() {
        BaseDeTest t;
        const DisquePlein disque(t.chemin(u"plein"_s));
        if (!disque.erreur().isEmpty())
            QSKIP(qPrintable(disque.erreur()));
        disque.remplir();
        t.ctx->dossierProgramme = t.chemin(u"plein"_s);
        QString detail;
        try {
            TraceDebug(*t.ctx, u"Début"_s);
        } catch (const ErreurTarvo& e) {
            detail = e.erreur().description;
        }
        QVERIFY2(detail.endsWith(u"debug.txt : "_s + qt_error_string(ENOSPC)), qPrintable(detail));
    }
};

QTEST_GUILESS_MAIN(TestJournaux)
#include "test_journaux.moc"
