// Reading the fields of terminal lines, and what arbitrary lines do to a run.
#include "OutilsTerminal.h"
#include "base/Erreur.h"
#include "db/Connexion.h"
#include "db/Transaction.h"
#include "terminal/ChampsFixes.h"
#include "terminal/IntegData.h"
#include "terminal/LectureChamps.h"
#include "terminal/Saisies.h"

#include <QRandomGenerator>
#include <QTest>

using namespace tarvo;
using namespace tarvo::test;
using namespace Qt::StringLiterals;

namespace {

const QByteArray Jour = "2012-04-19";
const QString DernierJournal =
    u"SELECT [No Expédition], [No Colis], [Code barres Article], [Poids colis], Quantité, "
    "[Date saisie] FROM [Journal de saisie] ORDER BY rowid DESC LIMIT 1"_s;

// One line handled inside a transaction of its own, rolled back afterwards.
struct Banc : BaseDeTest {
    Banc() {
        creerBase();
        ajouterExpedition(*ctx->cnx, 42, u"A"_s, u"B"_s, 1);
    }
    // The journal row the line gives, or the failure it raises.
    QString traiter(const QByteArray& ligne) {
        db::Base base(ctx->cnx.get());
        const db::Transaction transaction(base);
        terminal::Integration run(base, u"2012-04-19 13:42:25"_s);
        try {
            terminal::TraiteLigne(run, ligne);
            const QStringList l = lignes(*ctx->cnx, DernierJournal);
            return l.isEmpty() ? u"ignorée"_s : l.first();
        } catch (const ErreurTarvo& e) {
            return u"échec %1"_s.arg(e.erreur().numero);
        }
    }
};

QByteArray octetsAuHasard(QRandomGenerator& alea, int longueur) {
    QByteArray l;
    for (int i = 0; i < longueur; ++i) {
        char c = static_cast<char>(alea.bounded(256));
        l += c == '\r' ? '{' : c;
    }
    return l;
}

// A valid line spoiled in one of the ways terminals and transfers spoil them.
QByteArray ligneAbimee(QRandomGenerator& alea) {
    const QList<QByteArray> modeles = {
        ligneXA(42, 1, Jour, "10:00:00", "3760001234567", 2),
        ligneFA(42, 2, Jour, "10:01:00", "3760001234567", 1),
        ligneFP(42, 1, Jour, "10:02:00", "12.5"),
        ligneXP(42, 3, Jour, "10:03:00", "7.25"),
        ligneSA(42, "  1", Jour, "10:04:00", "3760001234567", 1),
    };
    QByteArray l = modeles[alea.bounded(modeles.size())];
    switch (alea.bounded(5)) {
    case 0:
        return octetsAuHasard(alea, alea.bounded(80));
    case 1:
        return l.left(alea.bounded(l.size()));
    case 2:
        for (int n = 0; n < 3; ++n)
            l[alea.bounded(l.size())] = "AZaz9 .,-+e{"[alea.bounded(12)];
        return l;
    case 3:
        l.replace(Jour, QList<QByteArray>{"2012-02-30", "2012-13-01", "0000-00-00", "abcdefghij",
                                          "19/04/2012", "2012/04/19"}[alea.bounded(6)]);
        return l;
    default:
        l[alea.bounded(l.size())] = static_cast<char>(alea.bounded(1, 256));
        return l.replace('\r', '{');
    }
}

} // namespace

class TestLignes : public QObject {
    Q_OBJECT

private slots:
    void champsFixes() {
        QCOMPARE(terminal::PadDroite("42", 6), QByteArray("42    "));
        QCOMPARE(terminal::PadGauche("42", 6), QByteArray("    42"));
        QCOMPARE(terminal::PadGauche("1000", 3), QByteArray("100"));
        QCOMPARE(terminal::PadDroite("abcdef", 3, '*'), QByteArray("abc"));
        QCOMPARE(terminal::PadDroite("", 2, '*'), QByteArray("**"));
        QCOMPARE(terminal::pourcentage(1, 8), 12);
        QCOMPARE(terminal::pourcentage(3, 8), 38);
        QCOMPARE(terminal::pourcentage(1, 3), 33);
    }

    void nombreEnTete_data() {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<double>("valeur");
        QTest::newRow("vide") << QByteArray() << 0.0;
        QTest::newRow("espaces") << QByteArray("   ") << 0.0;
        QTest::newRow("lettres") << QByteArray("abc") << 0.0;
        QTest::newRow("blancs partout") << QByteArray(" 4\t2\n ") << 42.0;
        QTest::newRow("signe séparé") << QByteArray("- 5") << -5.0;
        QTest::newRow("virgule") << QByteArray("12,5") << 12.0;
        QTest::newRow("point") << QByteArray("12.5") << 12.5;
        QTest::newRow("deux points") << QByteArray("1.2.3") << 1.2;
        QTest::newRow("exposant") << QByteArray("1e3x") << 1000.0;
        QTest::newRow("exposant sans chiffre") << QByteArray("7e") << 7.0;
        QTest::newRow("point seul") << QByteArray(".5") << 0.5;
        QTest::newRow("minuscule") << QByteArray("1e-400") << 0.0;
        QTest::newRow("zéros") << QByteArray("0." + QByteArray(400, '0') + "1") << 0.0;
    }
    void nombreEnTete() {
        QFETCH(QByteArray, texte);
        QFETCH(double, valeur);
        double lu = -1;
        QVERIFY(terminal::nombreEnTete(texte, lu));
        QCOMPARE(lu, valeur);
    }

    void depassementDeDouble() {
        double lu = 0;
        QVERIFY(!terminal::nombreEnTete("1e400", lu));
        QVERIFY(!terminal::nombreEnTete("9" + QByteArray(400, '9'), lu));
    }

    void lectures_data() {
        QTest::addColumn<QByteArray>("ligne");
        QTest::addColumn<QString>("resultat");
        const QString date = u"2012-04-19 10:00:00"_s;
        QTest::newRow("XA arrondi au pair")
            << ligneXA(42, 1, Jour, "10:00:00", "3760001234567", 0).replace(",  0,", ",2.5,")
            << u"42|1|3760001234567|0|2|"_s + date;
        QTest::newRow("XA lettre en colonne 22")
            << ligneXA(42, 1, Jour, "10:00:00", "3760001234567", 3).replace(",,2012", ",X,2012")
            << u"42|1|3760001234567|0|3|2012-04-19 10:00:00"_s;
        QTest::newRow("XA un caractère de trop et la date décalée")
            << ligneXA(42, 1, Jour, "10:00:00", "3760001234567", 3).replace(",,2012", ",X2012")
            << u"échec 13"_s;
        QTest::newRow("SA date qui ne commence pas par 2")
            << ligneSA(42, "  1", "1999-04-19", "10:00:00", "ABC", 1) << u"échec 13"_s;
        QTest::newRow("SA trois espaces en quantité")
            << ligneSA(42, "  1", Jour, "10:00:00", "<Tous>", 0).replace(",0,", ",   ,")
            << u"42|  1|<Tous>|0|0|"_s + date;
        QTest::newRow("FP poids à virgule")
            << ligneFP(42, 1, Jour, "10:00:00", "12,5") << u"42|1|∅|12|∅|"_s + date;
        QTest::newRow("FP sans virgule finale")
            << ligneFP(42, 1, Jour, "10:00:00", "12").replace(",{EXPFP}", " {EXPFP}")
            << u"échec 5"_s;
        QTest::newRow("XP poids trop grand")
            << ligneXP(42, 1, Jour, "10:00:00", "1e39") << u"échec 6"_s;
        QTest::newRow("XP colis à trois chiffres")
            << ligneXP(42, 123, Jour, "10:00:00", "2") << u"42|123|∅|2|∅|"_s + date;
        QTest::newRow("XP poids en simple précision")
            << ligneXP(42, 1, Jour, "10:00:00", "0.1") << u"42|1|∅|0.1|∅|"_s + date;
        QTest::newRow("FA quantité hors 16 bits")
            << ligneFA(42, 1, Jour, "10:00:00", "3760001234567", 0).replace(",  0,", ",4e4,")
            << u"échec 6"_s;
        QTest::newRow("FA date française") << ligneFA(42, 1, "19/04/2012", "10:00:00", "ABC", 1)
                                           << u"42|1|ABC          |0|1|"_s + date;
        QTest::newRow("FA date impossible")
            << ligneFA(42, 1, "2012-02-30", "10:00:00", "A", 1) << u"échec 13"_s;
        QTest::newRow("FA heure impossible")
            << ligneFA(42, 1, Jour, "24:00:00", "A", 1) << u"échec 13"_s;
        QTest::newRow("lettres en numéro")
            << ligneFA(42, 1, Jour, "10:00:00", "A", 1).replace("    42", "  abc ")
            << u"0|1|A            |0|1|"_s + date;
        QTest::newRow("accolade avant le code")
            << QByteArray("{x} ") + ligneFP(42, 1, Jour, "10:00:00", "1") << u"ignorée"_s;
        QTest::newRow("code tronqué") << QByteArray("{EXPF") << u"ignorée"_s;
        QTest::newRow("sans accolade") << QByteArray("EXP:") << u"échec 5"_s;
    }
    void lectures() {
        QFETCH(QByteArray, ligne);
        QFETCH(QString, resultat);
        Banc b;
        QCOMPARE(b.traiter(ligne), resultat);
    }

    // Arbitrary and spoiled lines: never a crash; a line either passes or
    // raises the run's failure.
    void lignesAuHasard() {
        Banc b;
        QRandomGenerator alea(20120419);
        for (int i = 0; i < 1500; ++i) {
            const QByteArray ligne = ligneAbimee(alea);
            const QString r = b.traiter(ligne);
            QVERIFY2(!r.isEmpty(), ligne.toHex().constData());
        }
    }

    // A spoiled line among good ones: either the whole file goes in, or
    // nothing does and the failure box names that line.
    void fichiersAuHasard() {
        QRandomGenerator alea(190412);
        for (int essai = 0; essai < 25; ++essai) {
            Banc b;
            QList<QByteArray> l;
            for (int i = 0; i < 20; ++i)
                l << ligneFA(42, 1 + i % 3, Jour, "10:00:00", "3760001234567", 1);
            const int position = alea.bounded(static_cast<int>(l.size()));
            l[position] = ligneAbimee(alea);
            const QByteArray contenu = fichier(l);
            b.ecrireFichier(u"terminal/DATA.TXT"_s, contenu);
            Connexion& db = *b.ctx->cnx;
            if (terminal::IntegData(*b.ctx)) {
                QVERIFY(nombre(db, u"SELECT COUNT(*) FROM [Journal de saisie]"_s) >= 19);
                continue;
            }
            QCOMPARE(nombre(db, u"SELECT COUNT(*) FROM [Journal de saisie]"_s), 0);
            QCOMPARE(nombre(db, u"SELECT COUNT(*) FROM Colis"_s), 0);
            QCOMPARE(b.lireFichier(u"terminal/DATA.TXT"_s), contenu);
            QCOMPARE(b.prompts.boites.size(), 1);
            QVERIFY2(b.prompts.boites[0].texte.endsWith(
                         u"Ligne fichier n° : %1\r\n"_s.arg(position + 1)),
                     qPrintable(b.prompts.boites[0].texte));
        }
    }
};

int executerTestsLignes(int argc, char** argv) {
    TestLignes t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_lignes.moc"
