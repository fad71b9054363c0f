// The parts of the warehouse day that judge the product: the lines the
// terminals write, the comparison of line collections, the replay of journal
// entries on parcels and packing lines, the figures read from a packing list.
#include "Ecarts.h"
#include "Journee.h"
#include "LignesTerminal.h"
#include "Rejeu.h"
#include "TotauxColisage.h"

#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <thread>

using namespace journee;

namespace {

EntreeJournal entree(const char* type, qint32 exp, const char* colis, const char* code,
                     int quantite, const char* moment, double poids = 0) {
    return {QString::fromLatin1(type),
            exp,
            QString::fromLatin1(colis),
            QString::fromLatin1(code),
            poids,
            quantite,
            QStringLiteral("2031-01-01 ") + QString::fromLatin1(moment)};
}

QString t(const char* moment) {
    return QStringLiteral("2031-01-01 ") + QString::fromLatin1(moment);
}

const Fermee Ouverte = [](qint32 n) { return n == 99; };

} // namespace

class TestJournee : public QObject {
    Q_OBJECT

private slots:
    // Each layout puts its fields in the columns the integration reads.
    void lignesAuxBonnesColonnes_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QByteArray>("attendue");
        QTest::newRow("FA") << int(TypeSaisie::ArticleF)
                            << QByteArray("EXP:    42,COLIS: 07,2031-01-02,00:00:05,3760000000017, "
                                          " 3,{EXPFA}");
        QTest::newRow("XA") << int(TypeSaisie::ArticleX)
                            << QByteArray("EXP:    42,COLIS:  7,,2031-01-02,00:00:05,"
                                          "3760000000017,  3,{EXPXA}");
        QTest::newRow("FP") << int(TypeSaisie::PoidsF)
                            << QByteArray("EXP:    42,,2031-01-02,00:00:05,COLIS:07,12.25,{EXPFP}");
        QTest::newRow("XP") << int(TypeSaisie::PoidsX)
                            << QByteArray("2031-01-02,00:00:05,EXP:    42,COLIS:  7,12.25,{EXPXP}");
        QTest::newRow("SA") << int(TypeSaisie::Retrait)
                            << QByteArray("EXP:    42,COLIS:  7,,2031-01-02,00:00:05,"
                                          "3760000000017,3,{EXPSA}");
    }
    void lignesAuxBonnesColonnes() {
        QFETCH(int, type);
        QFETCH(QByteArray, attendue);
        Saisie s;
        s.type = static_cast<TypeSaisie>(type);
        s.expedition = 42;
        s.colis = "7";
        s.codeBarres = "3760000000017";
        s.quantite = 3;
        s.poids = "12.25";
        s.moment = momentNumero(86400 + 5);
        QCOMPARE(ligneTerminal(s), attendue);
    }

    void momentsSuccessifs() {
        QCOMPARE(momentNumero(0), QStringLiteral("2031-01-01 00:00:00"));
        QCOMPARE(momentNumero(86399), QStringLiteral("2031-01-01 23:59:59"));
        QCOMPARE(momentNumero(86400 * 31 + 3661), QStringLiteral("2031-02-01 01:01:01"));
    }

    // Lost, duplicated and unknown lines are told apart and counted per copy.
    void ecartsEntreCollections() {
        const QList<QByteArray> attendues{"a", "b", "c", "c"};
        const Ecarts e = comparer(attendues, {"b", "b", "c", "x", "b"});
        QCOMPARE(e.manquantes, (QList<QByteArray>{"a", "c"}));
        QCOMPARE(e.enDouble, (QList<QByteArray>{"b", "b"}));
        QCOMPARE(e.inconnues, (QList<QByteArray>{"x"}));
        QVERIFY(comparer(attendues, {"c", "b", "c", "a"}).vide());
        QCOMPARE(decouperLignes("l1\r\nl2\r\n"), (QList<QByteArray>{"l1", "l2"}));
        QCOMPARE(decouperLignes("l1\r\nmoi"), (QList<QByteArray>{"l1", "moi"}));
        QCOMPARE(decouperLignes(""), QList<QByteArray>());
    }

    // Scans add up only when more recent than the row's last change; a
    // weight replaces the previous one under the same rule; closed shipments
    // take nothing.
    void ajoutsEtPoids() {
        EtatColis e;
        appliquer(e, entree("{EXPFA}", 1, "2", "A", 3, "08:00:00"), Ouverte);
        appliquer(e, entree("{EXPXA}", 1, "2", "A", 2, "08:00:05"), Ouverte);
        appliquer(e, entree("{EXPFA}", 1, "2", "A", 7, "08:00:05"), Ouverte);
        appliquer(e, entree("{EXPFA}", 1, "2", "A", 9, "07:00:00"), Ouverte);
        QCOMPARE(e.colisage.at({1, 2, QStringLiteral("A")}), (LigneRejouee{5, t("08:00:05")}));
        // The parcel keeps the moment of the scan that created it.
        QCOMPARE(e.colis.at({1, 2}), (ColisRejoue{std::nullopt, t("08:00:00")}));
        appliquer(e, entree("{EXPFP}", 1, "2", "", 0, "07:59:59", 4.5), Ouverte);
        QCOMPARE(e.colis.at({1, 2}).poids, std::nullopt);
        appliquer(e, entree("{EXPXP}", 1, "2", "", 0, "09:00:00", 4.5), Ouverte);
        QCOMPARE(e.colis.at({1, 2}), (ColisRejoue{4.5, t("09:00:00")}));
        appliquer(e, entree("{EXPFP}", 1, "3", "", 0, "06:00:00", 2.25), Ouverte);
        QCOMPARE(e.colis.at({1, 3}), (ColisRejoue{2.25, t("06:00:00")}));
        appliquer(e, entree("{EXPFA}", 99, "1", "A", 1, "10:00:00"), Ouverte);
        QVERIFY(!e.colis.contains({99, 1}));
        // A row without a date of change is never changed by an entry.
        e.colis[{1, 4}] = ColisRejoue{1.0, std::nullopt};
        appliquer(e, entree("{EXPFP}", 1, "4", "", 0, "10:00:00", 8), Ouverte);
        QCOMPARE(e.colis.at({1, 4}).poids, 1.0);
    }

    void retraits() {
        EtatColis e;
        appliquer(e, entree("{EXPFA}", 1, "2", "A", 5, "08:00:00"), Ouverte);
        appliquer(e, entree("{EXPFA}", 1, "2", "B", 1, "08:00:01"), Ouverte);
        appliquer(e, entree("{EXPFA}", 1, "3", "A", 1, "08:00:02"), Ouverte);
        appliquer(e, entree("{EXPSA}", 1, "  2", "A", 2, "08:00:03"), Ouverte);
        QCOMPARE(e.colisage.at({1, 2, QStringLiteral("A")}), (LigneRejouee{3, t("08:00:03")}));
        // Not more recent: nothing.
        appliquer(e, entree("{EXPSA}", 1, "  2", "A", 1, "08:00:03"), Ouverte);
        QCOMPARE(e.colisage.at({1, 2, QStringLiteral("A")}).quantite, 3);
        // The whole quantity or more: the line goes.
        appliquer(e, entree("{EXPSA}", 1, "  2", "A", 3, "08:00:04"), Ouverte);
        QVERIFY(!e.colisage.contains({1, 2, QStringLiteral("A")}));
        // The whole parcel, its lines with it.
        appliquer(e, entree("{EXPSA}", 1, "  2", "<Tous>", 1, "07:00:00"), Ouverte);
        QVERIFY(!e.colis.contains({1, 2}));
        QVERIFY(!e.colisage.contains({1, 2, QStringLiteral("B")}));
        QVERIFY(e.colis.contains({1, 3}));
        // A removal for a missing parcel changes nothing.
        appliquer(e, entree("{EXPSA}", 1, "  2", "A", 1, "09:00:00"), Ouverte);
        QVERIFY(!e.colisage.contains({1, 2, QStringLiteral("A")}));
        // All parcels of the shipment, and only of that one.
        appliquer(e, entree("{EXPFA}", 5, "1", "A", 1, "08:00:05"), Ouverte);
        appliquer(e, entree("{EXPSA}", 1, "<To", "A", 1, "07:00:00"), Ouverte);
        QVERIFY(e.colis.empty() || e.colis.begin()->first.first == 5);
        QCOMPARE(e.colis.size(), size_t(1));
        QCOMPARE(e.colisage.size(), size_t(1));
    }

    void differencesNommees() {
        EtatColis attendu, reel;
        attendu.colis[{1, 1}] = {2.5, t("08:00:00")};
        reel.colis[{1, 1}] = {2.5, t("08:00:00")};
        attendu.colisage[{1, 1, QStringLiteral("A")}] = {4, t("08:00:00")};
        reel.colisage[{1, 1, QStringLiteral("A")}] = {3, t("08:00:00")};
        reel.colisage[{1, 1, QStringLiteral("B")}] = {1, t("08:00:00")};
        attendu.colis[{1, 2}] = {std::nullopt, t("08:00:00")};
        qsizetype total = 0;
        const QStringList d = differences(attendu, reel, 2, total);
        QCOMPARE(total, 3);
        QCOMPARE(d.size(), 2);
        QVERIFY2(d[0].startsWith(QStringLiteral("Colis 1/2 : attendu")), qPrintable(d[0]));
        QVERIFY2(d[1].contains(QStringLiteral("attendu quantité 4")), qPrintable(d[1]));
        QCOMPARE(differences(attendu, attendu, 5, total), QStringList());
        QCOMPARE(total, 0);
    }

    // Our kills, crashes and odd statuses are told apart: only the latter
    // two fail the day.
    void issuesDesProcessus() {
        QTemporaryDir sorties;
        Lanceur lanceur(sorties.path());
        Registre registre;
        const Issue normal = lanceur.executer(
            QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("echo oui; exit 1")});
        QCOMPARE(normal.statut, 1);
        QCOMPARE(normal.sortie, QByteArray("oui\n"));
        registre.noter(QStringLiteral("normal"), normal);

        std::thread tueur([&] {
            QRandomGenerator alea(1);
            while (lanceur.tuerAuHasard(alea).isEmpty())
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
        });
        const Issue tue = lanceur.executer(QStringLiteral("sleep"), {QStringLiteral("30")});
        tueur.join();
        QVERIFY(tue.tueParNous);
        QCOMPARE(tue.signal, SIGKILL);
        registre.noter(QStringLiteral("tue"), tue);

        const Issue plante = lanceur.executer(
            QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("kill -SEGV $$")});
        QVERIFY(!plante.tueParNous);
        QCOMPARE(plante.signal, SIGSEGV);
        registre.noter(QStringLiteral("plante"), plante);
        registre.noter(QStringLiteral("usage"),
                       lanceur.executer(QStringLiteral("sh"),
                                        {QStringLiteral("-c"), QStringLiteral("exit 2")}));

        const QStringList anomalies = registre.anomalies();
        QCOMPARE(anomalies.size(), 2);
        QVERIFY2(anomalies[0].contains(QStringLiteral("signal %1").arg(SIGSEGV)),
                 qPrintable(anomalies[0]));
        QVERIFY2(anomalies[1].contains(QStringLiteral("statut 2")), qPrintable(anomalies[1]));
        const auto parCommande = registre.parCommande();
        QCOMPARE(parCommande.at(QStringLiteral("tue")).tues, 1);
        QCOMPARE(parCommande.at(QStringLiteral("normal")).echecs, 1);
        QCOMPARE(registre.total(), 4);
        QCOMPARE(QDir(sorties.path()).entryList(QDir::Files), QStringList());
    }

    void totauxDeLaListe() {
        const QString texte =
            QStringLiteral("Liste de colisage / Packing list\n"
                           "No Colis: 1          Poids colis:    12,5 kg\n"
                           "3760000000017   Nappe               2\n"
                           "Page 1/2\n"
                           "No Colis: 1          Poids colis:    12,5 kg\n"
                           "3760000000017   Nappe               2\n"
                           "                        Total article colis :          4\n"
                           "No Colis: 12         Poids colis:         kg\n"
                           "                        Total article colis :         17\n"
                           "Tare:   Poids brut:\nNbr Colis: 2\n");
        const TotauxColisage lu = lireTotauxColisage(texte);
        QCOMPARE(lu.colis, (QList<std::pair<int, qint64>>{{1, 4}, {12, 17}}));
        QCOMPARE(lu.nombreColis, 2);
        QCOMPARE(lireTotauxColisage(QString()).nombreColis, -1);
    }
};

QTEST_GUILESS_MAIN(TestJournee)
#include "test_journee.moc"
