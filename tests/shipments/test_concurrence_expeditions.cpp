#include "AutrePoste.h"
#include "BaseDeTest.h"
#include "DonneesExpeditions.h"
#include "base/Erreur.h"
#include "shipments/CreationExpeditions.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <barrier>
#include <thread>

using namespace tarvo;
using namespace Qt::StringLiterals;
using namespace tarvo::expeditions;
using namespace tarvo::test;

namespace {

// Orders BC001 onwards, all of one delivery place, all offered.
QStringList monde(BaseDeTest& t, int nombre) {
    t.creerBase(false);
    Contexte& c = *t.ctx;
    ajouterClient(c, u"C1"_s, u"Client"_s);
    ajouterLieu(c, 1, u"C1"_s, u"Lieu"_s, u"Ville"_s);
    QStringList commandes;
    for (int i = 1; i <= nombre; ++i) {
        commandes << u"BC%1"_s.arg(i, 3, 10, QChar(u'0'));
        ajouterCommande(c, commandes.last(), u"C1"_s, 1);
    }
    return commandes;
}

// The orders attached to more than one shipment, and the number of orders
// attached at all.
QString enDouble(Contexte& c) {
    return valeurSql(c, u"SELECT group_concat([No commande SAGE], ' ') FROM (SELECT "
                        "[No commande SAGE] FROM [Liste commandes] GROUP BY [No commande SAGE] "
                        "HAVING COUNT(*) > 1)"_s)
        .toString();
}
int attachees(Contexte& c) {
    return valeurSql(c, u"SELECT COUNT(DISTINCT [No commande SAGE]) FROM [Liste commandes]"_s)
        .toInt();
}
int sansCommande(Contexte& c, const QVariantList& permises) {
    return compter(c, u"Expédition"_s,
                   u"[No Expédition] NOT IN (?, ?) AND NOT EXISTS (SELECT 1 FROM "
                   "[Liste commandes] L WHERE L.[No Expédition] = Expédition.[No Expédition])"_s,
                   permises);
}

// What one workstation did over all the rounds.
struct Bilan {
    int attachees = 0;
    int refusees = 0;
    // Refusals whose reason names no shipment, and failures.
    QStringList anomalies;
};

} // namespace

class TestConcurrenceExpeditions : public QObject {
    Q_OBJECT
private slots:
    // Two workstations, released together at each round, attach the same
    // four orders, each by another of the three routines and in another
    // order: every order ends in exactly one shipment, exactly one of them
    // attaches it and the other is told where it went; no new shipment is
    // left empty.
    void deuxPostesSurLesMemesCommandes() {
        constexpr int Tours = 30;
        constexpr int ParTour = 4;
        BaseDeTest t;
        const QStringList commandes = monde(t, Tours * ParTour);
        Contexte& c = *t.ctx;
        const int cibles[2] = {ajouterExpedition(c, u"A"_s, u"2012-04-19 08:00:00"_s, {}, 1),
                               ajouterExpedition(c, u"B"_s, u"2012-04-19 08:00:00"_s, {}, 1)};
        const ParametresConnexion parametres = c.cnx->parametres();
        const QString dossier = t.dossier.path();
        std::barrier depart(2);
        Bilan bilans[2];

        const auto poste = [&](int rang) {
            AutrePoste p(dossier, parametres);
            Bilan& bilan = bilans[rang];
            for (int tour = 0; tour < Tours; ++tour) {
                QStringList lot = commandes.mid(tour * ParTour, ParTour);
                if (rang == 1)
                    std::reverse(lot.begin(), lot.end());
                depart.arrive_and_wait();
                try {
                    Rattachements faits;
                    switch ((tour + rang) % 3) {
                    case 0:
                        faits = CreerExpAuto(*p.ctx, lot);
                        break;
                    case 1:
                        faits = CreerExpManuel(*p.ctx, lot);
                        break;
                    default:
                        faits = AddCdeExp(*p.ctx, cibles[rang], lot);
                    }
                    bilan.attachees += static_cast<int>(faits.commandes.size());
                    bilan.refusees += static_cast<int>(faits.refusees.size());
                    for (const CommandeRefusee& r : faits.refusees)
                        if (!r.raison.contains(u"est déjà dans l'expédition N° "_s))
                            bilan.anomalies << r.raison;
                } catch (const ErreurTarvo& e) {
                    bilan.anomalies << e.erreur().description;
                }
            }
        };
        std::thread a(poste, 0);
        std::thread b(poste, 1);
        a.join();
        b.join();

        QCOMPARE(bilans[0].anomalies, QStringList());
        QCOMPARE(bilans[1].anomalies, QStringList());
        QCOMPARE(enDouble(c), QString());
        QCOMPARE(attachees(c), commandes.size());
        QCOMPARE(bilans[0].attachees + bilans[1].attachees, commandes.size());
        QCOMPARE(bilans[0].refusees + bilans[1].refusees, commandes.size());
        QCOMPARE(sansCommande(c, {cibles[0], cibles[1]}), 0);
    }

    // Two tarvoctl runs on the same orders at the same time, as two
    // workstations' schedulers could start them: each order ends in one
    // shipment, and the run that did not get it names it on standard error.
    void deuxTarvoctlEnMemeTemps() {
        BaseDeTest t;
        const QStringList commandes = monde(t, 40);
        QStringList inverses = commandes;
        std::reverse(inverses.begin(), inverses.end());
        const QStringList lots[2] = {commandes, inverses};
        const QString modes[2] = {u"auto"_s, u"manuel"_s};
        for (const QString& modeB : modes) {
            executerSql(*t.ctx, u"DELETE FROM Expédition"_s);
            QProcess runs[2];
            for (int rang = 0; rang < 2; ++rang) {
                runs[rang].setStandardInputFile(QProcess::nullDevice());
                runs[rang].start(QStringLiteral(TARVOCTL),
                                 QStringList{u"--dir"_s, t.dossier.path(), u"creer-expeditions"_s,
                                             rang == 0 ? u"auto"_s : modeB} +
                                     lots[rang]);
            }
            int refus = 0;
            for (QProcess& run : runs) {
                QVERIFY(run.waitForFinished(120000));
                QCOMPARE(run.exitStatus(), QProcess::NormalExit);
                const QString erreurs = QString::fromUtf8(run.readAllStandardError());
                QVERIFY2(run.exitCode() == 0 || run.exitCode() == 1, qPrintable(erreurs));
                QVERIFY2(!erreurs.contains(u"Erreur"_s), qPrintable(erreurs));
                refus += static_cast<int>(
                    erreurs.count(QRegularExpression(u"est déjà dans l'expédition N° \\d+\\."_s)));
            }
            QCOMPARE(enDouble(*t.ctx), QString());
            QCOMPARE(attachees(*t.ctx), commandes.size());
            QCOMPARE(refus, commandes.size());
            QCOMPARE(sansCommande(*t.ctx, {0, 0}), 0);
        }
    }
};

QTEST_GUILESS_MAIN(TestConcurrenceExpeditions)
#include "test_concurrence_expeditions.moc"
