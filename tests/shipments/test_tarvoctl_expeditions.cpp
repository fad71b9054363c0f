#include "BaseDeTest.h"
#include "DonneesExpeditions.h"
#include "Tarvoctl.h"

#include <QRegularExpression>
#include <QTest>

using namespace tarvo;
using namespace Qt::StringLiterals;
using namespace tarvo::test;

namespace {

using Resultat = ResultatTarvoctl;

Resultat tarvoctl(const BaseDeTest& t, const QStringList& arguments) {
    return lancerTarvoctl(QStringList{u"--dir"_s, t.dossier.path()} + arguments);
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
        const QString deja = u"La commande BC4 est déjà dans l'expédition N° 1."_s;
        const QString autreLieu = u"La commande BC5 est livrée à un autre lieu (N° 2) que "
                                  "l'expédition (N° 1)."_s;
        const QString attaches = u"BC4:1"_s;
        QTest::newRow("auto : attachée, inconnue, en double, livrée")
            << l("creer-expeditions|auto|BC1|BC4|XX|BC1| BC6") << 0 << u"N\n"_s
            << QStringList{u"Commandes refusées"_s, deja, u"La commande XX n'existe pas."_s,
                           u"La commande BC1 est indiquée plusieurs fois : elle "
                           "n'est prise qu'une fois."_s,
                           u"La commande BC6 n'est pas disponible pour "
                           "l'expédition."_s}
            << u"BC1:N BC4:1"_s;
        QTest::newRow("auto : rien à créer")
            << l("creer-expeditions|auto|BC4") << 1 << QString() << QStringList{deja} << attaches;
        QTest::newRow("manuel : le lieu de la première")
            << l("creer-expeditions|manuel|BC1|BC5|BC2") << 0 << u"N\n"_s << QStringList{autreLieu}
            << u"BC1:N BC2:N BC4:1"_s;
        QTest::newRow("ajout : autre lieu, attachée")
            << l("ajouter-commandes|1|BC5|BC4|BC1") << 0 << u"BC1\n"_s
            << QStringList{autreLieu, deja} << u"BC1:1 BC4:1"_s;
        QTest::newRow("ajout : rien à ajouter")
            << l("ajouter-commandes|1|BC5") << 1 << QString() << QStringList{autreLieu} << attaches;
        const QString question =
            u"L'expédition N° 2 est close : ses commandes ne sont plus envoyées "
            "aux terminaux.\n\nAjouter quand même la(les) commande(s) ?"_s;
        QTest::newRow("ajout à une close, sans --oui")
            << l("ajouter-commandes|2|BC1") << 1 << QString()
            << QStringList{question, u"Aucune commande n'a été ajoutée à l'expédition close "
                                     "N° 2. Relancez avec --oui pour confirmer l'ajout."_s}
            << attaches;
        QTest::newRow("ajout à une close, avec --oui")
            << l("--oui|ajouter-commandes|2|BC1") << 0 << u"BC1\n"_s << QStringList{question}
            << u"BC1:2 BC4:1"_s;
        QTest::newRow("ajout à une expédition inexistante")
            << l("ajouter-commandes|999|BC1") << 1 << QString()
            << QStringList{u"L'expédition N° 999 n'existe pas."_s} << attaches;
        QTest::newRow("mode inconnu")
            << l("creer-expeditions|vite|BC1") << 2 << QString() << QStringList() << attaches;
        QTest::newRow("expédition non numérique")
            << l("ajouter-commandes|douze|BC1") << 2 << QString() << QStringList() << attaches;
        QTest::newRow("recherche en minuscules")
            << l("recherche| bc4") << 0 << u"1\n"_s << QStringList() << attaches;
        QTest::newRow("recherche infructueuse")
            << l("recherche|BC9") << 1 << QString()
            << QStringList{u"Recherche de commande infructueuse"_s} << attaches;
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
        ajouterClient(c, u"C1"_s, u"Client"_s);
        ajouterLieu(c, 1, u"C1"_s, u"Lieu"_s, u"Ville"_s);
        ajouterLieu(c, 2, u"C1"_s, u"Autre"_s, u"Ville"_s);
        for (const char* piece : {"BC1", "BC2", "BC4", "BC6"})
            ajouterCommande(c, QString::fromLatin1(piece), u"C1"_s, 1);
        ajouterCommande(c, u"BC5"_s, u"C1"_s, 2);
        executerSql(c, u"UPDATE F_DOCLIGNE SET DL_QtePL = 0 WHERE DO_Piece = 'BC6'"_s);
        QCOMPARE(ajouterExpedition(c, u"Ouverte"_s, u"2012-04-10 08:00:00"_s, {}, 1), 1);
        QCOMPARE(
            ajouterExpedition(c, u"Close"_s, u"2012-04-11 08:00:00"_s, u"2012-04-18 00:00:00"_s, 1),
            2);
        executerSql(c, u"INSERT INTO [Liste commandes] ([No Expédition], "
                       "[No commande SAGE], [No lieu livraison]) "
                       "VALUES (1, 'BC4', 1)"_s);

        const Resultat r = tarvoctl(t, arguments);
        QCOMPARE(r.statut, statut);
        QCOMPARE(QString(r.sortie).replace(QRegularExpression(u"^([3-9]|[1-9][0-9]+)$"_s,
                                                              QRegularExpression::MultilineOption),
                                           u"N"_s),
                 sortie);
        for (const QString& erreur : erreurs)
            QVERIFY2(r.erreurs.contains(erreur), qPrintable(r.erreurs));
        QCOMPARE(valeurSql(c, u"SELECT group_concat(c || ':' || CASE WHEN e > 2 THEN 'N' "
                              "ELSE e END, ' ') FROM (SELECT [No commande SAGE] AS c, "
                              "[No Expédition] AS e FROM [Liste commandes] ORDER BY 1, 2)"_s)
                     .toString(),
                 rattachements);
    }

    // The fifth insert is refused: the four shipments committed before it are
    // printed as they are committed and named in the failure box.
    void echecEnCoursDeCreationAutomatique() {
        BaseDeTest t;
        t.creerBase(false);
        Contexte& c = *t.ctx;
        ajouterClient(c, u"C1"_s, u"Client"_s);
        ajouterLieu(c, 1, u"C1"_s, u"Lieu"_s, u"Ville"_s);
        QStringList commandes;
        for (int i = 1; i <= 5; ++i) {
            commandes << u"BC%1"_s.arg(i);
            ajouterCommande(c, commandes.last(), u"C1"_s, 1);
        }
        executerSql(c, u"CREATE TRIGGER refus BEFORE INSERT ON [Liste commandes] "
                       "WHEN NEW.[No commande SAGE] = 'BC5' "
                       "BEGIN SELECT RAISE(ABORT, 'refus de test'); END"_s);

        const Resultat r = tarvoctl(t, QStringList{u"creer-expeditions"_s, u"auto"_s} + commandes);
        QCOMPARE(r.statut, 1);
        const QStringList numeros = r.sortie.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(numeros.size(), 4);
        QCOMPARE(compter(c, u"Expédition"_s), 4);
        QString faites = u"Avant l'erreur, ces expéditions ont été créées et "
                         "enregistrées :"_s;
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(compter(c, u"[Liste commandes]"_s,
                             u"[No Expédition] = ? AND [No commande SAGE] = ?"_s,
                             {numeros.at(i).toInt(), commandes.at(i)}),
                     1);
            faites += u"\nN° %1 : commande %2"_s.arg(numeros.at(i), commandes.at(i));
        }
        QVERIFY2(r.erreurs.contains(u"refus de test"_s), qPrintable(r.erreurs));
        QVERIFY2(r.erreurs.contains(faites), qPrintable(r.erreurs));

        // The same command again once the cause is gone: only the fifth order
        // gets its shipment, each order is attached once.
        executerSql(c, u"DROP TRIGGER refus"_s);
        const Resultat reprise =
            tarvoctl(t, QStringList{u"creer-expeditions"_s, u"auto"_s} + commandes);
        QCOMPARE(reprise.statut, 0);
        QCOMPARE(reprise.sortie.split(u'\n', Qt::SkipEmptyParts).size(), 1);
        QCOMPARE(compter(c, u"[Liste commandes]"_s), 5);
        QCOMPARE(compter(c, u"Expédition"_s), 5);
    }
};

QTEST_GUILESS_MAIN(TestTarvoctlExpeditions)
#include "test_tarvoctl_expeditions.moc"
