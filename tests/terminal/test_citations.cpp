// How much of a spoilt line the messages and erreurs.txt quote.
#include "OutilsTerminal.h"
#include "base/Erreur.h"
#include "base/FormesMessages.h"
#include "base/Journaux.h"
#include "base/Windows1252.h"
#include "db/Connexion.h"
#include "terminal/IntegData.h"
#include "terminal/LectureChamps.h"

#include <QTest>

using namespace tarvo;
using namespace tarvo::test;
using namespace Qt::StringLiterals;

namespace {

const QString Data = u"terminal/DATA.TXT"_s;

// The description a reading of `champ` raises.
template <typename Lecture> QString echecDe(Lecture lecture) {
    try {
        lecture();
    } catch (const ErreurTarvo& e) {
        return e.erreur().description;
    }
    return u"aucun échec"_s;
}

} // namespace

class TestCitations : public QObject {
    Q_OBJECT
private slots:
    // Short text is quoted whole; from one character over the bound on, the
    // quote keeps the bound, ends with "…" and tells the real length.
    void citation_data() {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("accents") << QByteArray("\xE9t\xE9") << u"« été »"_s;
        QTest::newRow("à la limite") << QByteArray(LongueurCitation, 'a')
                                     << u"« "_s + QString(LongueurCitation, u'a') + u" »"_s;
        QTest::newRow("un de trop")
            << QByteArray(LongueurCitation, 'a') + "b"
            << u"« "_s + QString(LongueurCitation, u'a') + u"… » (201 caractères en tout)"_s;
        QTest::newRow("50 Mo") << QByteArray(50 << 20, '9')
                               << u"« "_s + QString(LongueurCitation, u'9') +
                                      u"… » (52428800 caractères en tout)"_s;
    }
    void citation() {
        QFETCH(QByteArray, texte);
        QFETCH(QString, attendu);
        QCOMPARE(tarvo::citation(texte), attendu);
    }

    // Every reading that quotes its field quotes it through the bound.
    void lecturesBornees() {
        const QByteArray grand = "1" + QByteArray(5000, '0');
        const QByteArray ligne = "    " + grand + ",";
        const terminal::LectureChamps l(ligne, u"SaisieEXPFP"_s);
        const QByteArrayView champ = l.jusquAVirgule(5);
        const QString fin = u"… » (5001 caractères en tout)."_s;
        const QStringList echecs = {
            echecDe([&] { l.entier32(champ, u"numéro d'expédition"_s); }),
            echecDe([&] { l.entier16(champ, u"quantité"_s); }),
            echecDe([&] { l.reel32(champ, u"poids du colis"_s); }),
            echecDe([&] { l.moment(champ, "10:00:00"); }),
            echecDe([&] { l.moment("2012-04-19", champ); }),
        };
        for (const QString& e : echecs) {
            QVERIFY2(e.endsWith(fin), qPrintable(e.left(400)));
            QVERIFY2(e.size() < LongueurCitation + 100, qPrintable(e.left(400)));
        }
    }

    // A run stopped by a huge field: the box and erreurs.txt name the line
    // and quote only the start of the field.
    void integrationBornee() {
        BaseDeTest b;
        b.creerBase();
        ajouterExpedition(*b.ctx->cnx, 42, u"Boutique"_s, u"Lyon"_s, 3);
        const QByteArray poids(900, '9');
        b.ecrireFichier(Data, fichier({ligneFP(42, 1, "2012-04-19", "10:00:00", "1"),
                                       ligneFP(42, 2, "2012-04-19", "10:01:00", poids)}));
        QVERIFY(!terminal::IntegData(*b.ctx));
        QCOMPARE(b.prompts.boites.size(), 1);
        const QString boite = b.prompts.boites[0].texte;
        const QString quote =
            u"« "_s + QString(LongueurCitation, u'9') + u"… » (900 caractères en tout)."_s;
        QVERIFY2(boite.contains(quote), qPrintable(boite));
        QVERIFY2(boite.endsWith(u"\r\nLigne fichier n° : 2\r\n"_s), qPrintable(boite));
        QVERIFY2(boite.size() < LongueurCitation + 200, qPrintable(boite));
        const QString journal = Windows1252::decoder(b.lireFichier(FichierErreurs));
        QVERIFY2(journal.contains(quote), qPrintable(journal));
        QVERIFY2(journal.size() < LongueurCitation + 250, qPrintable(journal));
    }
};

int executerTestsCitations(int argc, char** argv) {
    TestCitations t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_citations.moc"
