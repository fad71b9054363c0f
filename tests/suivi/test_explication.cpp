// The explanation of a prepared quantity replays the journal by the
// integration's rule: checked against the real integration on random
// journals, and entry by entry on a known one.
#include "OutilsTerminal.h"
#include "db/Base.h"
#include "db/Connexion.h"
#include "suivi/Explication.h"
#include "terminal/IntegData.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>

using namespace tarvo;
using namespace tarvo::test;
using namespace Qt::StringLiterals;

namespace {

const QByteArray Jour = "2012-04-19";
const QByteArray CodeA = "3760987650014";
const QByteArray CodeB = "3760987650021";

struct Terminal : BaseDeTest {
    Terminal() { creerBase(); }
    Connexion& db() const { return *ctx->cnx; }
    // Each call stands for a file a terminal wrote anew.
    bool integrer(const QList<QByteArray>& l) {
        ecrireData(*this, l, QDateTime(QDate(2012, 4, 19), QTime(9, 0)).addSecs(60 * ++ecrits_));
        prompts.vider();
        return terminal::IntegData(*ctx);
    }
    qint64 colisage(int exp, const QByteArray& code) const {
        return nombre(db(), u"SELECT IFNULL(SUM(Quantité), 0) FROM Colisage WHERE "
                            "[No Expédition] = %1 AND [Code barres Article] = '%2'"_s.arg(exp)
                                .arg(QString::fromLatin1(code)));
    }
    suivi::Explication expliquer(int exp, const QByteArray& code) const {
        return suivi::Expliquer(db::Base(ctx->cnx.get()), exp, QString::fromLatin1(code));
    }
    int ecrits_ = 0;
};

QByteArray heure(QRandomGenerator& g) {
    // Few distinct moments, so that entries tie and arrive out of order.
    const int minute = g.bounded(4), seconde = g.bounded(2) * 30;
    return u"10:%1:%2"_s.arg(minute, 2, 10, QChar(u'0'))
        .arg(seconde, 2, 10, QChar(u'0'))
        .toLatin1();
}

QByteArray ligneAuHasard(QRandomGenerator& g, int exp) {
    const QByteArray code = g.bounded(2) ? CodeA : CodeB;
    const int colis = 1 + g.bounded(3);
    const int quantite = 1 + g.bounded(4);
    const int tirage = g.bounded(100);
    if (tirage < 40)
        return ligneXA(exp, colis, Jour, heure(g), code, quantite);
    if (tirage < 50)
        return ligneFA(exp, colis, Jour, heure(g), code, quantite);
    if (tirage < 60)
        return ligneFP(exp, colis, Jour, heure(g), "4.5");
    QByteArray texteColis = QByteArray::number(colis).rightJustified(3, ' ');
    if (tirage < 63)
        texteColis = "...";
    else if (tirage < 65)
        texteColis = "abc";
    else if (tirage < 67)
        texteColis = "  9";
    const QByteArray retire = tirage >= 67 && tirage < 71 ? QByteArray("<Tous") : code;
    return ligneSA(exp, texteColis, Jour, heure(g), retire, quantite);
}

} // namespace

class TestExplication : public QObject {
    Q_OBJECT

private slots:
    // Whatever the journal, the entries that count give the packing lines'
    // quantity the integration left.
    void rejeuEgalIntegration() {
        Terminal t;
        QRandomGenerator g(20261207);
        for (int exp = 500; exp < 540; ++exp) {
            ajouterExpedition(t.db(), exp, u"Hasard"_s, QVariant(), 2);
            for (int f = 0; f < 3; ++f) {
                QList<QByteArray> lignes;
                const int nombreLignes = 3 + g.bounded(8);
                for (int i = 0; i < nombreLignes; ++i)
                    lignes << ligneAuHasard(g, exp);
                QVERIFY(t.integrer(lignes));
            }
            for (const QByteArray& code : {CodeA, CodeB}) {
                const suivi::Explication e = t.expliquer(exp, code);
                QCOMPARE(e.quantitePreparee, t.colisage(exp, code));
                qint64 somme = 0;
                for (const suivi::LigneExpliquee& l : e.lignes) {
                    QCOMPARE(l.contribution != 0, l.effet == suivi::Effet::Compte);
                    somme += l.contribution;
                }
                QCOMPARE(somme, e.quantitePreparee);
            }
        }
    }

    // Each entry with what became of it, and the run's archive.
    void effetDeChaqueSaisie() {
        Terminal t;
        ajouterExpedition(t.db(), 42, u"Boutique"_s, u"Lyon"_s, 3);
        QVERIFY(t.integrer({
            ligneXA(42, 1, Jour, "10:00:00", CodeA, 3),
            ligneXA(42, 1, Jour, "10:00:00", CodeA, 2),
            ligneXA(42, 2, Jour, "10:01:00", CodeA, 5),
            ligneXA(42, 2, Jour, "10:01:00", CodeB, 7),
            ligneSA(42, "  2", Jour, "10:02:00", CodeA, 5),
            ligneXA(42, 3, Jour, "10:03:00", CodeA, 4),
            ligneSA(42, "  3", Jour, "10:04:00", "<Tous", 0),
            ligneSA(42, "  1", Jour, "10:05:00", CodeA, 1),
            ligneSA(42, "  7", Jour, "10:06:00", CodeA, 1),
        }));
        const suivi::Explication e = t.expliquer(42, CodeA);
        QStringList vues;
        for (const suivi::LigneExpliquee& l : e.lignes)
            vues << u"%1|%2|%3|%4|%5"_s
                        .arg(l.dateSaisie.toString(u"HH:mm"_s), l.colis, l.typeSaisie)
                        .arg(l.contribution)
                        .arg(suivi::texteEffet(l.effet));
        QCOMPARE(vues, (QStringList{
                           u"10:00|1|Ajout|3|Compte"_s,
                           u"10:00|1|Ajout|0|Remplacée par une saisie plus récente du même colis"_s,
                           u"10:01|2|Ajout|0|Retirée par une saisie de retrait"_s,
                           u"10:02|2|Retrait|0|Retirée par une saisie de retrait"_s,
                           u"10:03|3|Ajout|0|Colis supprimé"_s,
                           u"10:04|3|Retrait du colis|0|Colis supprimé"_s,
                           u"10:05|1|Retrait|-1|Compte"_s,
                           u"10:06|7|Retrait|0|Sans objet"_s,
                       }));
        QCOMPARE(e.quantitePreparee, 2);
        QCOMPARE(t.colisage(42, CodeA), 2);
        QVERIFY(e.lignes.first().archive.contains(u"Intégration du"_s));
        QCOMPARE(suivi::TexteLigneExpliquee(e.lignes.last()).section(u';', 1, 3),
                 u"Colis 7;Retrait {EXPSA};-1"_s);
    }
};

int executerTestsExplication(int argc, char** argv) {
    TestExplication t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_explication.moc"
