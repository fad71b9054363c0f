#include "BaseDeTest.h"
#include "DonneesExpeditions.h"
#include "Tarvoctl.h"

#include <QRegularExpression>
#include <QTest>

using namespace tarvo;
using namespace tarvo::test;

namespace {

using Resultat = ResultatTarvoctl;

Resultat tarvoctl(const BaseDeTest& t, const QStringList& arguments) {
    return lancerTarvoctl(QStringList{QStringLiteral("--dir"), t.dossier.path()} + arguments);
}

} // namespace

class TestTarvoctlExpeditions : public QObject {
    Q_OBJECT
private slots:
    void commandesDesExpeditions_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("statut");
        // Standard output, the number of each new shipment (above 2) shown as "N".
        QTest::addColumn<QString>("sortie");
        // What standard error must hold, one text per line.
        QTest::addColumn<QStringList>("erreurs");
        // Each order with the shipments holding it afterwards, "N" for a new one.
        QTest::addColumn<QString>("rattachements");
        const auto l = [](const char* texte) {
            return QString::fromUtf8(texte).split(u'|', Qt::SkipEmptyParts);
        };
        const QString deja = QStringLiteral("La commande BC4 est déjà dans l'expédition N° 1.");
        const QString autreLieu =
            QStringLiteral("La commande BC5 est livrée à un autre lieu (N° 2) que "
                           "l'expédition (N° 1).");
        const QString attaches = QStringLiteral("BC4:1");
        QTest::newRow("auto : attachée, inconnue, en double, livrée")
            << l("creer-expeditions|auto|BC1|BC4|XX|BC1| BC6") << 0 << QStringLiteral("N\n")
            << QStringList{QStringLiteral("Commandes refusées"), deja,
                           QStringLiteral("La commande XX n'existe pas."),
                           QStringLiteral("La commande BC1 est indiquée plusieurs fois : elle "
                                          "n'est prise qu'une fois."),
                           QStringLiteral("La commande BC6 n'est pas disponible pour "
                                          "l'expédition.")}
            << QStringLiteral("BC1:N BC4:1");
        QTest::newRow("auto : rien à créer")
            << l("creer-expeditions|auto|BC4") << 1 << QString() << QStringList{deja} << attaches;
        QTest::newRow("manuel : le lieu de la première")
            << l("creer-expeditions|manuel|BC1|BC5|BC2") << 0 << QStringLiteral("N\n")
            << QStringList{autreLieu} << QStringLiteral("BC1:N BC2:N BC4:1");
        QTest::newRow("ajout : autre lieu, attachée")
            << l("ajouter-commandes|1|BC5|BC4|BC1") << 0 << QStringLiteral("BC1\n")
            << QStringList{autreLieu, deja} << QStringLiteral("BC1:1 BC4:1");
        QTest::newRow("ajout : rien à ajouter")
            << l("ajouter-commandes|1|BC5") << 1 << QString() << QStringList{autreLieu} << attaches;
        const QString question =
            QStringLiteral("L'expédition N° 2 est close : ses commandes ne sont plus envoyées "
                           "aux terminaux.\n\nAjouter quand même la(les) commande(s) ?");
        QTest::newRow("ajout à une close, sans --oui")
            << l("ajouter-commandes|2|BC1") << 1 << QString()
            << QStringList{question,
                           QStringLiteral("Aucune commande n'a été ajoutée à l'expédition close "
                                          "N° 2. Relancez avec --oui pour confirmer l'ajout.")}
            << attaches;
        QTest::newRow("ajout à une close, avec --oui")
            << l("--oui|ajouter-commandes|2|BC1") << 0 << QStringLiteral("BC1\n")
            << QStringList{question} << QStringLiteral("BC1:2 BC4:1");
        QTest::newRow("ajout à une expédition inexistante")
            << l("ajouter-commandes|999|BC1") << 1 << QString()
            << QStringList{QStringLiteral("L'expédition N° 999 n'existe pas.")} << attaches;
        QTest::newRow("mode inconnu")
            << l("creer-expeditions|vite|BC1") << 2 << QString() << QStringList() << attaches;
        QTest::newRow("expédition non numérique")
            << l("ajouter-commandes|douze|BC1") << 2 << QString() << QStringList() << attaches;
        QTest::newRow("recherche en minuscules")
            << l("recherche| bc4") << 0 << QStringLiteral("1\n") << QStringList() << attaches;
        QTest::newRow("recherche infructueuse")
            << l("recherche|BC9") << 1 << QString()
            << QStringList{QStringLiteral("Recherche de commande infructueuse")} << attaches;
    }

    // Orders already in a shipment, of another delivery place or not offered
    // at all are named with their reason and left out; a closed shipment
    // takes orders only with --oui; nothing done gives the status 1.
    void commandesDesExpeditions() {
        QFETCH(QStringList, arguments);
        QFETCH(int, statut);
        QFETCH(QString, sortie);
        QFETCH(QStringList, erreurs);
        QFETCH(QString, rattachements);
        BaseDeTest t;
        t.creerBase(false);
        Contexte& c = *t.ctx;
        ajouterClient(c, QStringLiteral("C1"), QStringLiteral("Client"));
        ajouterLieu(c, 1, QStringLiteral("C1"), QStringLiteral("Lieu"), QStringLiteral("Ville"));
        ajouterLieu(c, 2, QStringLiteral("C1"), QStringLiteral("Autre"), QStringLiteral("Ville"));
        for (const char* piece : {"BC1", "BC2", "BC4", "BC6"})
            ajouterCommande(c, QString::fromLatin1(piece), QStringLiteral("C1"), 1);
        ajouterCommande(c, QStringLiteral("BC5"), QStringLiteral("C1"), 2);
        executerSql(c, QStringLiteral("UPDATE F_DOCLIGNE SET DL_QtePL = 0 WHERE DO_Piece = 'BC6'"));
        QCOMPARE(ajouterExpedition(c, QStringLiteral("Ouverte"),
                                   QStringLiteral("2012-04-10 08:00:00"), {}, 1),
                 1);
        QCOMPARE(ajouterExpedition(c, QStringLiteral("Close"),
                                   QStringLiteral("2012-04-11 08:00:00"),
                                   QStringLiteral("2012-04-18 00:00:00"), 1),
                 2);
        executerSql(c, QStringLiteral("INSERT INTO [Liste commandes] ([No Expédition], "
                                      "[No commande SAGE], [No lieu livraison]) "
                                      "VALUES (1, 'BC4', 1)"));

        const Resultat r = tarvoctl(t, arguments);
        QCOMPARE(r.statut, statut);
        QCOMPARE(
            QString(r.sortie).replace(QRegularExpression(QStringLiteral("^([3-9]|[1-9][0-9]+)$"),
                                                         QRegularExpression::MultilineOption),
                                      QStringLiteral("N")),
            sortie);
        for (const QString& erreur : erreurs)
            QVERIFY2(r.erreurs.contains(erreur), qPrintable(r.erreurs));
        QCOMPARE(valeurSql(c, QStringLiteral(
                                  "SELECT group_concat(c || ':' || CASE WHEN e > 2 THEN 'N' "
                                  "ELSE e END, ' ') FROM (SELECT [No commande SAGE] AS c, "
                                  "[No Expédition] AS e FROM [Liste commandes] ORDER BY 1, 2)"))
                     .toString(),
                 rattachements);
    }

    // The fifth insert is refused: the four shipments committed before it are
    // printed as they are committed and named in the failure box.
    void echecEnCoursDeCreationAutomatique() {
        BaseDeTest t;
        t.creerBase(false);
        Contexte& c = *t.ctx;
        ajouterClient(c, QStringLiteral("C1"), QStringLiteral("Client"));
        ajouterLieu(c, 1, QStringLiteral("C1"), QStringLiteral("Lieu"), QStringLiteral("Ville"));
        QStringList commandes;
        for (int i = 1; i <= 5; ++i) {
            commandes << QStringLiteral("BC%1").arg(i);
            ajouterCommande(c, commandes.last(), QStringLiteral("C1"), 1);
        }
        executerSql(c, QStringLiteral("CREATE TRIGGER refus BEFORE INSERT ON [Liste commandes] "
                                      "WHEN NEW.[No commande SAGE] = 'BC5' "
                                      "BEGIN SELECT RAISE(ABORT, 'refus de test'); END"));

        const Resultat r =
            tarvoctl(t, QStringList{QStringLiteral("creer-expeditions"), QStringLiteral("auto")} +
                            commandes);
        QCOMPARE(r.statut, 1);
        const QStringList numeros = r.sortie.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(numeros.size(), 4);
        QCOMPARE(compter(c, QStringLiteral("Expédition")), 4);
        QString faites = QStringLiteral("Avant l'erreur, ces expéditions ont été créées et "
                                        "enregistrées :");
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(compter(c, QStringLiteral("[Liste commandes]"),
                             QStringLiteral("[No Expédition] = ? AND [No commande SAGE] = ?"),
                             {numeros.at(i).toInt(), commandes.at(i)}),
                     1);
            faites += QStringLiteral("\nN° %1 : commande %2").arg(numeros.at(i), commandes.at(i));
        }
        QVERIFY2(r.erreurs.contains(QStringLiteral("refus de test")), qPrintable(r.erreurs));
        QVERIFY2(r.erreurs.contains(faites), qPrintable(r.erreurs));

        // The same command again once the cause is gone: only the fifth order
        // gets its shipment, each order is attached once.
        executerSql(c, QStringLiteral("DROP TRIGGER refus"));
        const Resultat reprise =
            tarvoctl(t, QStringList{QStringLiteral("creer-expeditions"), QStringLiteral("auto")} +
                            commandes);
        QCOMPARE(reprise.statut, 0);
        QCOMPARE(reprise.sortie.split(u'\n', Qt::SkipEmptyParts).size(), 1);
        QCOMPARE(compter(c, QStringLiteral("[Liste commandes]")), 5);
        QCOMPARE(compter(c, QStringLiteral("Expédition")), 5);
    }
};

QTEST_GUILESS_MAIN(TestTarvoctlExpeditions)
#include "test_tarvoctl_expeditions.moc"
