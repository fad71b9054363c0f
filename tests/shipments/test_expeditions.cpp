#include "BaseDeTest.h"
#include "DonneesExpeditions.h"
#include "app/Erreur.h"
#include "db/Base.h"
#include "db/ModeleEnregistrements.h"
#include "db/ParametresNommes.h"
#include "db/Transaction.h"
#include "shipments/CreationExpeditions.h"
#include "shipments/ListesExpeditions.h"
#include "shipments/ModificationExpedition.h"
#include "shipments/RechercheCommande.h"
#include "shipments/SqlExpeditions.h"

#include <QTest>

using namespace tarvo;
using namespace tarvo::expeditions;
using namespace tarvo::test;

namespace {

// Two customers; the first has two delivery places.
void monde(BaseDeTest& t) {
    t.creerBase(false);
    Contexte& c = *t.ctx;
    ajouterClient(c, QStringLiteral("CBOUTIQ"), QStringLiteral("Boutique Côté Maison"));
    ajouterClient(c, QStringLiteral("CHOTEL"), QStringLiteral("Hôtel des Alpes"));
    ajouterLieu(c, 1, QStringLiteral("CBOUTIQ"), QStringLiteral("Côté Maison Annecy"),
                QStringLiteral("Annecy"));
    ajouterLieu(c, 2, QStringLiteral("CBOUTIQ"), QStringLiteral("Côté Maison Chambéry"),
                QStringLiteral("Chambéry"));
    // A place number beyond 16 bits, as Sage hands them out.
    ajouterLieu(c, 70000, QStringLiteral("CHOTEL"), QStringLiteral("Hôtel des Alpes"),
                QStringLiteral("Chamonix"));
    ajouterCommande(c, QStringLiteral("BC1"), QStringLiteral("CBOUTIQ"), 1);
    ajouterCommande(c, QStringLiteral("BC2"), QStringLiteral("CBOUTIQ"), 1, QVariant());
    ajouterCommande(c, QStringLiteral("BC3"), QStringLiteral("CBOUTIQ"), 1, QStringLiteral("REF3"),
                    QStringLiteral("2012-04-03 10:15:00"), 1);
    ajouterCommande(c, QStringLiteral("BC4"), QStringLiteral("CBOUTIQ"), 2);
    ajouterCommande(c, QStringLiteral("BC5"), QStringLiteral("CHOTEL"), 70000);
}

QStringList commandesDe(Contexte& c, int noExp) {
    const db::JeuEnregistrements jeu = ChargeListCde(c, NumeroExpedition{noExp});
    QStringList commandes;
    for (int l = 0; l < jeu.nombreLignes(); ++l)
        commandes << jeu.cle(l).toString();
    return commandes;
}

// The texts a list shows for one row.
QStringList cellules(const db::JeuEnregistrements& jeu, int ligne) {
    db::ModeleEnregistrements modele(jeu.colonnes());
    modele.remplir(jeu);
    QStringList textes;
    for (int c = 0; c < modele.columnCount(); ++c)
        textes << modele.index(ligne, c).data().toString();
    return textes;
}

const QString NoDe = QStringLiteral("[No Expédition] = ?");

// Each statement of the catalogue with the parameters its comment names.
struct Instruction {
    const char* nom;
    const db::TexteSql* sql;
    const char* parametres;
};

QList<Instruction> catalogue() {
    namespace sql = expeditions::sql;
    const char* enregistrement =
        "libelle1 libelle2 dateCloture nbColisTheorique nbColisReel tare poidsNet poidsBrut "
        "volume noExpedition libelle1Lu libelle2Lu dateClotureLu nbColisTheoriqueLu "
        "nbColisReelLu tareLu poidsNetLu poidsBrutLu volumeLu";
    return {
        {"CommandesDispo", &sql::CommandesDispo, ""},
        {"CommandesDispoLieu", &sql::CommandesDispoLieu, "noLieu"},
        {"CommandeDispo", &sql::CommandeDispo, "commande"},
        {"ClientsEnCommande", &sql::ClientsEnCommande, ""},
        {"InfoCommande", &sql::InfoCommande, "commande"},
        {"InsertionExpedition", &sql::InsertionExpedition, "libelle1 libelle2 noLieu langue"},
        {"InsertionListeCommande", &sql::InsertionListeCommande,
         "noExpedition commande reference dateLivraison langue noClient dateCreation noLieu"},
        {"ListeExpeditions", &sql::ListeExpeditions, "depuis avecCloses"},
        {"Expedition", &sql::Expedition, "noExpedition"},
        {"AdresseLivraison", &sql::AdresseLivraison, "noLieu"},
        {"CommandesExpedition", &sql::CommandesExpedition, "noExpedition"},
        {"EnregistrementExpedition", &sql::EnregistrementExpedition, enregistrement},
        {"SuppressionCommande", &sql::SuppressionCommande, "noExpedition commande"},
        {"SuppressionColisage", &sql::SuppressionColisage, "noExpedition"},
        {"SuppressionColis", &sql::SuppressionColis, "noExpedition"},
        {"SuppressionListeCommandes", &sql::SuppressionListeCommandes, "noExpedition"},
        {"SuppressionExpedition", &sql::SuppressionExpedition, "noExpedition"},
        {"RechercheCommande", &sql::RechercheCommande, "commande"},
    };
}

// A value for a parameter, valid on the demonstration database.
QVariant valeurDe(const QString& parametre) {
    if (parametre == QStringLiteral("noExpedition"))
        return 101;
    if (parametre == QStringLiteral("commande"))
        return QStringLiteral("BC00103");
    if (parametre.startsWith(QStringLiteral("date")) || parametre == QStringLiteral("depuis"))
        return QStringLiteral("2012-04-19 00:00:00");
    if (parametre.startsWith(QStringLiteral("libelle")) ||
        parametre == QStringLiteral("reference") || parametre == QStringLiteral("noClient"))
        return QStringLiteral("CBOUTIQ");
    return 1;
}

// What the statements could change.
QString etatDesTables(Contexte& c) {
    return valeurSql(c,
                     QStringLiteral(
                         "SELECT (SELECT COUNT(*) FROM Expédition) || '/' || "
                         "(SELECT COUNT(*) FROM [Liste commandes]) || '/' || "
                         "(SELECT COUNT(*) FROM Colis) || '/' || (SELECT COUNT(*) FROM Colisage) "
                         "|| '/' || (SELECT group_concat([Libellé 1] || '|' || "
                         "COALESCE([Date cloture], '') || '|' || COALESCE(Tare, ''), ';') "
                         "FROM Expédition)"))
        .toString();
}

} // namespace

class TestExpeditions : public QObject {
    Q_OBJECT
private slots:
    void catalogueRefuseUnParametreFauxOuOublie_data() {
        QTest::addColumn<int>("rang");
        QTest::addColumn<bool>("qtSql");
        const QList<Instruction> instructions = catalogue();
        for (int rang = 0; rang < instructions.size(); ++rang)
            for (const bool qtSql : {false, true})
                QTest::addRow("%s %s", instructions.at(rang).nom, qtSql ? "QtSql" : "SQLite")
                    << rang << qtSql;
    }

    // Every statement runs with the parameters its comment names, the same on
    // both engines; a misspelt name is refused as it is bound, and the
    // statement never runs with it unbound.
    void catalogueRefuseUnParametreFauxOuOublie() {
        QFETCH(int, rang);
        QFETCH(bool, qtSql);
        const Instruction instruction = catalogue().at(rang);
        const QStringList parametres =
            QString::fromLatin1(instruction.parametres).split(u' ', Qt::SkipEmptyParts);
        QStringList attendus = parametres;
        attendus.sort();
        for (const db::Moteur moteur : {db::Moteur::SQLite, db::Moteur::SqlServer}) {
            QStringList noms = db::ParametresNommes::analyser(instruction.sql->pour(moteur)).noms;
            noms.sort();
            QCOMPARE(noms, attendus);
        }

        BaseDeTest t;
        t.creerBase(true);
        Contexte& c = *t.ctx;
        db::Base base(c.cnx.get(), qtSql ? db::Base::Voie::QtSql : db::Base::Voie::Automatique);
        const QString avant = etatDesTables(c);
        {
            db::Transaction essai(base);
            db::Requete complete = base.preparer(*instruction.sql);
            for (const QString& nom : parametres)
                complete.lier(u':' + nom, valeurDe(nom));
            complete.executer();
        }
        QCOMPARE(etatDesTables(c), avant);

        db::Requete inconnue = base.preparer(*instruction.sql);
        QVERIFY_THROWS_EXCEPTION(ErreurTarvo, inconnue.lier(u":inconnu", 1));
        for (const QString& oublie : parametres) {
            db::Requete r = base.preparer(*instruction.sql);
            for (const QString& nom : parametres)
                if (nom != oublie)
                    r.lier(u':' + nom, valeurDe(nom));
            QVERIFY_THROWS_EXCEPTION(ErreurTarvo, r.lier(u':' + oublie + u'e', valeurDe(oublie)));
            QVERIFY_THROWS_EXCEPTION(ErreurTarvo, r.executer());
        }
        QCOMPARE(etatDesTables(c), avant);
    }

    void listesDesCommandesEtDesClients() {
        BaseDeTest t;
        monde(t);
        Contexte& c = *t.ctx;
        const db::JeuEnregistrements toutes = ChargeListCde(c);
        QCOMPARE(toutes.nombreLignes(), 5);
        QCOMPARE(cellules(toutes, 0).first(), QStringLiteral("BC1"));
        QCOMPARE(toutes.cle(0).toString(), QStringLiteral("BC1"));
        QCOMPARE(cellules(toutes, 1).at(1), QString()); // NULL reference
        QVERIFY(cellules(toutes, 2).at(2).contains(QStringLiteral("10:15:00")));
        QVERIFY(!cellules(toutes, 0).at(2).contains(u':')); // midnight: date only
        QCOMPARE(cellules(toutes, 4).at(4), QStringLiteral("Hôtel des Alpes"));
        QCOMPARE(t.feedback.progressions.first(), 0);
        QCOMPARE(t.feedback.progressions.last(), 100);

        QCOMPARE(ChargeListCde(c, LieuLivraison{2}).nombreLignes(), 1);
        QCOMPARE(ChargeListCde(c, LieuLivraison{70000}).cle(0).toString(), QStringLiteral("BC5"));
        QCOMPARE(ChargeListCde(c, LieuLivraison{70000 - 65536}).nombreLignes(), 0);

        // Two places of one customer: two rows, each with its own count and place tag.
        const db::JeuEnregistrements clients = ChargeListClient(c);
        QCOMPARE(clients.nombreLignes(), 3);
        QCOMPARE(cellules(clients, 0),
                 QStringList({QStringLiteral("CBOUTIQ"), QStringLiteral("Boutique Côté Maison"),
                              QStringLiteral("Côté Maison Annecy"), QStringLiteral("Annecy"),
                              QStringLiteral("France"), QStringLiteral("3")}));
        QCOMPARE(clients.cle(0).toInt(), 1);
        QCOMPARE(cellules(clients, 1).last(), QStringLiteral("1"));
        QCOMPARE(clients.cle(2).toInt(), 70000);

        executerSql(c, QStringLiteral("DELETE FROM F_DOCLIGNE"));
        t.feedback.progressions.clear();
        QCOMPARE(ChargeListCde(c).nombreLignes(), 0);
        QCOMPARE(t.feedback.progressions.last(), 100);
    }

    void creationAutomatiqueUneExpeditionParCommande() {
        BaseDeTest t;
        monde(t);
        Contexte& c = *t.ctx;
        const QList<qint32> creees =
            CreerExpAuto(c, {QStringLiteral(" BC1 "), QStringLiteral("INCONNUE"),
                             QStringLiteral("BC2"), QStringLiteral("BC3")});
        QCOMPARE(creees.size(), 3);
        QCOMPARE(compter(c, QStringLiteral("Expédition")), 3);
        for (const qint32 numero : creees) {
            QCOMPARE(compter(c, QStringLiteral("[Liste commandes]"), NoDe, {numero}), 1);
            QCOMPARE(valeurSql(c,
                               QStringLiteral("SELECT [Libellé 1] || '/' || [Libellé 2] || '/' || "
                                              "[No lieu livraison] FROM Expédition WHERE ") +
                                   NoDe,
                               {numero})
                         .toString(),
                     QStringLiteral("Côté Maison Annecy/Annecy/1"));
        }
        QCOMPARE(commandesDe(c, creees.at(2)), QStringList{QStringLiteral("BC3")});
        // Values copied unchanged, NULL reference included.
        QVERIFY(valeurSql(c, QStringLiteral("SELECT [Référence SAGE] FROM [Liste commandes] WHERE "
                                            "[No commande SAGE] = 'BC2'"))
                    .isNull());
        QCOMPARE(valeurSql(c, QStringLiteral("SELECT [Date création SAGE] || Langue || [No Client] "
                                             "FROM [Liste commandes] WHERE [No commande SAGE] = "
                                             "'BC3'"))
                     .toString(),
                 QStringLiteral("2012-04-03 10:15:001CBOUTIQ"));
        QCOMPARE(valeurSql(c, QStringLiteral("SELECT Langue FROM Expédition WHERE ") + NoDe,
                           {creees.at(2)})
                     .toInt(),
                 1);
        // The view no longer offers them; a new shipment is open with no parcels.
        QCOMPARE(ChargeListCde(c).nombreLignes(), 2);
        QCOMPARE(compter(c, QStringLiteral("Expédition"),
                         QStringLiteral("[Date cloture] IS NULL AND [Nbr colis théorique] = 0")),
                 3);
        QVERIFY(CreerExpAuto(c, {}).isEmpty());
    }

    void creationManuelleEtAjout() {
        BaseDeTest t;
        monde(t);
        Contexte& c = *t.ctx;
        // The first order is unknown: the labels come from the first known one.
        const std::optional<qint32> numero = CreerExpManuel(
            c, {QStringLiteral("INCONNUE"), QStringLiteral("BC5"), QStringLiteral("BC1")});
        QVERIFY(numero);
        QCOMPARE(compter(c, QStringLiteral("Expédition")), 1);
        QCOMPARE(valeurSql(c, QStringLiteral("SELECT [Libellé 1] || '/' || [Libellé 2] || '/' || "
                                             "[No lieu livraison] FROM Expédition"))
                     .toString(),
                 QStringLiteral("Hôtel des Alpes/Chamonix/70000"));
        QCOMPARE(commandesDe(c, *numero),
                 QStringList({QStringLiteral("BC1"), QStringLiteral("BC5")}));
        QVERIFY(!CreerExpManuel(c, {QStringLiteral("INCONNUE")}));
        QCOMPARE(compter(c, QStringLiteral("Expédition")), 1);

        QCOMPARE(AddCdeExp(c, *numero, {QStringLiteral("BC2"), QStringLiteral("NON")}),
                 QStringList{QStringLiteral("BC2")});
        QVERIFY(AddCdeExp(c, *numero, {}).isEmpty());
        QCOMPARE(commandesDe(c, *numero).size(), 3);
        QCOMPARE(compter(c, QStringLiteral("Expédition")), 1);
        // A shipment that is gone takes no orders.
        QVERIFY_THROWS_EXCEPTION(ErreurTarvo, AddCdeExp(c, 999, {QStringLiteral("BC3")}));
        QCOMPARE(compter(c, QStringLiteral("[Liste commandes]"), NoDe, {999}), 0);
    }

    void unEchecNeLaisseRienDeLExpeditionEnCours() {
        BaseDeTest t;
        monde(t);
        Contexte& c = *t.ctx;
        executerSql(c, QStringLiteral("CREATE TRIGGER refus BEFORE INSERT ON [Liste commandes] "
                                      "WHEN NEW.[No commande SAGE] = 'BC3' "
                                      "BEGIN SELECT RAISE(ABORT, 'refus de test'); END"));
        // Automatic: the shipments before the failure stay, the failing one is gone.
        QVERIFY_THROWS_EXCEPTION(
            ErreurTarvo,
            CreerExpAuto(c, {QStringLiteral("BC1"), QStringLiteral("BC3"), QStringLiteral("BC2")}));
        QCOMPARE(compter(c, QStringLiteral("Expédition")), 1);
        QCOMPARE(compter(c, QStringLiteral("[Liste commandes]")), 1);
        // Manual and add: all or nothing.
        QVERIFY_THROWS_EXCEPTION(ErreurTarvo,
                                 CreerExpManuel(c, {QStringLiteral("BC2"), QStringLiteral("BC3")}));
        QCOMPARE(compter(c, QStringLiteral("Expédition")), 1);
        const int premiere = valeurSql(c, QStringLiteral("SELECT MIN([No Expédition]) FROM "
                                                         "Expédition"))
                                 .toInt();
        QVERIFY_THROWS_EXCEPTION(
            ErreurTarvo, AddCdeExp(c, premiere, {QStringLiteral("BC2"), QStringLiteral("BC3")}));
        QCOMPARE(compter(c, QStringLiteral("[Liste commandes]")), 1);
        // The connection is usable again afterwards.
        QCOMPARE(CreerExpAuto(c, {QStringLiteral("BC4")}).size(), 1);
    }

    void listeDesExpeditionsTroisAnsEtCloses() {
        BaseDeTest t;
        t.creerBase(false);
        Contexte& c = *t.ctx; // the clock says 2012-04-19 13:42:25
        ajouterExpedition(c, QStringLiteral("trop vieille"), QStringLiteral("2009-04-19 13:42:24"));
        const int limite =
            ajouterExpedition(c, QStringLiteral("limite"), QStringLiteral("2009-04-19 13:42:25"));
        const int close =
            ajouterExpedition(c, QStringLiteral("close"), QStringLiteral("2012-04-01 08:00:00"),
                              QStringLiteral("2012-04-18 17:30:00"));
        const int ouverte =
            ajouterExpedition(c, QStringLiteral("ouverte"), QStringLiteral("2012-04-19 09:00:00"));

        const db::JeuEnregistrements ouvertes = ChargeListExp(c, false);
        QCOMPARE(ouvertes.nombreLignes(), 2);
        QCOMPARE(ouvertes.cle(0).toInt(), limite);
        QCOMPARE(cellules(ouvertes, 1).first(), QString::number(ouverte));
        QCOMPARE(cellules(ouvertes, 1).last(), QString());
        QVERIFY(!ouvertes.marque(1));

        const db::JeuEnregistrements toutes = ChargeListExp(c, true);
        QCOMPARE(toutes.nombreLignes(), 3);
        QCOMPARE(toutes.cle(1).toInt(), close);
        QVERIFY(toutes.marque(1));
        QVERIFY(cellules(toutes, 1).last().contains(QStringLiteral("17:30:00")));
        QCOMPARE(cellules(toutes, 1).at(1), QStringLiteral("close"));
    }

    void detailEnregistrementClotureEtConflit() {
        BaseDeTest t;
        monde(t);
        Contexte& c = *t.ctx;
        const qint32 numero = *CreerExpManuel(c, {QStringLiteral("BC1")});
        std::optional<DetailExpedition> d = ChargeDetailExp(c, numero);
        QVERIFY(d);
        ZoneData z = InitZoneData(*d);
        QCOMPARE(z.noExp, QString::number(numero));
        QCOMPARE(z.lib1, QStringLiteral("Côté Maison Annecy"));
        QCOMPARE(z.nbColTheo, QStringLiteral("0"));
        QCOMPARE(z.tare, QString());
        QVERIFY(!z.dateClot);
        // A NULL part leaves its line break.
        QCOMPARE(z.livraison, QStringLiteral("Côté Maison Annecy\r\n1 rue du Port\r\n\r\n74000 "
                                             "Annecy\r\nFrance\r\n"));

        SaisieExpedition s{QStringLiteral("Nouveau libellé"),
                           QString(),
                           QDateTime(QDate(2012, 4, 19), QTime(0, 0)),
                           QStringLiteral("3"),
                           QStringLiteral(""),
                           QStringLiteral("0,5"),
                           QStringLiteral("12"),
                           QStringLiteral("12.5"),
                           QString()};
        // Not a number: the box names the field and nothing is written.
        SaisieExpedition fausse = s;
        fausse.poidsBrut = QStringLiteral("12kg");
        const Enregistrement refuse = EnregistrerExpedition(c, *d, fausse);
        QVERIFY(!refuse.detail);
        QVERIFY(refuse.refus.contains(QStringLiteral("« Poids brut »")));
        QCOMPARE(compter(c, QStringLiteral("Expédition"), QStringLiteral("[Date cloture] IS NULL")),
                 1);

        d = EnregistrerExpedition(c, *d, s).detail;
        QVERIFY(d);
        z = InitZoneData(*d);
        QCOMPARE(z.dateClot, QDateTime(QDate(2012, 4, 19), QTime(0, 0)));
        // Typed with a comma and with a point, both shown back the French way.
        QCOMPARE(z.tare, QStringLiteral("0,5"));
        QCOMPARE(z.poidsBrut, QStringLiteral("12,5"));
        QCOMPARE(z.nbColTheo, QStringLiteral("3"));
        QCOMPARE(z.nbColReel, QStringLiteral("0"));
        QCOMPARE(z.lib2, QString());
        QCOMPARE(ChargeListExp(c, false).nombreLignes(), 0);
        QVERIFY(ChargeListExp(c, true).marque(0));

        // Reopening: an unchecked picker writes NULL.
        s.dateClot.reset();
        d = EnregistrerExpedition(c, *d, s).detail;
        QVERIFY(d);
        QVERIFY(d->dateCloture.isNull());

        // Another workstation changes the row: the save is refused, its change stays.
        executerSql(c, QStringLiteral("UPDATE Expédition SET Tare = 9 WHERE ") + NoDe, {numero});
        s.lib1 = QStringLiteral("Écrasé ?");
        const Enregistrement conflit = EnregistrerExpedition(c, *d, s);
        QVERIFY(!conflit.detail);
        QVERIFY(conflit.refus.contains(QStringLiteral("autre poste")));
        QCOMPARE(
            valeurSql(c, QStringLiteral("SELECT Tare || [Libellé 1] FROM Expédition")).toString(),
            QStringLiteral("9.0Nouveau libellé"));
        SupExp(c, numero);
        QVERIFY(!EnregistrerExpedition(c, *d, s).detail);
        // The routine tells, the window shows.
        QVERIFY(t.prompts.boites.isEmpty());
        QVERIFY(!ChargeDetailExp(c, numero));
    }

    void suppressionsLimiteesALExpeditionMontree() {
        BaseDeTest t;
        monde(t);
        Contexte& c = *t.ctx;
        const qint32 a = *CreerExpManuel(c, {QStringLiteral("BC1"), QStringLiteral("BC2")});
        const qint32 b = *CreerExpManuel(c, {QStringLiteral("BC3")});
        AddCdeExp(c, b, {QStringLiteral("BC1")}); // attached twice
        QCOMPARE(SupCde(c, a, {QStringLiteral(" BC1 ")}), 1);
        QCOMPARE(commandesDe(c, a), QStringList{QStringLiteral("BC2")});
        QCOMPARE(commandesDe(c, b), QStringList({QStringLiteral("BC1"), QStringLiteral("BC3")}));
        QCOMPARE(SupCde(c, a, {}), 0);

        executerSql(
            c, QStringLiteral("INSERT INTO Colis VALUES (?, 1, 2.5, '2012-04-19 10:00:00')"), {b});
        executerSql(c,
                    QStringLiteral("INSERT INTO Colisage VALUES (?, 1, '3700000000017', 2, "
                                   "'2012-04-19 10:00:00')"),
                    {b});
        executerSql(c,
                    QStringLiteral("INSERT INTO [Journal de saisie] ([Code type ligne], "
                                   "[No Expédition]) VALUES ('{EXPXA}', ?)"),
                    {b});
        QVERIFY(SupExp(c, b));
        for (const QString& table :
             {QStringLiteral("Expédition"), QStringLiteral("[Liste commandes]"),
              QStringLiteral("Colis"), QStringLiteral("Colisage")})
            QCOMPARE(compter(c, table, NoDe, {b}), 0);
        QCOMPARE(compter(c, QStringLiteral("[Journal de saisie]"), NoDe, {b}), 1);
        QCOMPARE(compter(c, QStringLiteral("Expédition")), 1);
        QVERIFY(!SupExp(c, b));
    }

    void surLesDonneesDeDemonstration() {
        BaseDeTest t;
        t.creerBase(true);
        Contexte& c = *t.ctx;
        QCOMPARE(RechercheCommande(c, QStringLiteral("bc00103")), 102);
        const std::optional<DetailExpedition> d = ChargeDetailExp(c, 101);
        QVERIFY(d && !InitZoneData(*d).dateClot->isNull());
        QVERIFY(InitZoneData(*d).livraison.startsWith(QStringLiteral("Côté Maison Annecy\r\n")));
        const QString commande = ChargeListCde(c).cle(0).toString();
        const std::optional<qint32> numero = CreerExpManuel(c, {commande});
        QVERIFY(numero);
        QCOMPARE(RechercheCommande(c, commande), *numero);
        // The journal of a deleted shipment stays as history.
        const int journal = compter(c, QStringLiteral("[Journal de saisie]"), NoDe, {102});
        QVERIFY(SupExp(c, 102));
        QCOMPARE(compter(c, QStringLiteral("[Journal de saisie]"), NoDe, {102}), journal);
        QCOMPARE(compter(c, QStringLiteral("Colis"), NoDe, {102}), 0);
    }

    void rechercheDUneCommande() {
        BaseDeTest t;
        monde(t);
        Contexte& c = *t.ctx;
        const qint32 a = *CreerExpManuel(c, {QStringLiteral("BC1")});
        const qint32 b = *CreerExpManuel(c, {QStringLiteral("BC3")});

        QCOMPARE(RechercheCommande(c, QStringLiteral("  bc1 ")), a);
        QVERIFY(t.prompts.boites.isEmpty());

        QVERIFY(!RechercheCommande(c, QStringLiteral("bc9' OR '1'='1")));
        QCOMPARE(t.prompts.boites.size(), 1);
        QCOMPARE(t.prompts.boites.first().titre,
                 QStringLiteral("Recherche de commande infructueuse"));
        QCOMPARE(t.prompts.boites.first().texte,
                 QStringLiteral("La commande N° [BC9' OR '1'='1] appartient à aucune expédition "
                                "ou n'existe pas."));

        AddCdeExp(c, b, {QStringLiteral("BC1")});
        t.prompts.vider();
        QCOMPARE(RechercheCommande(c, QStringLiteral("BC1")), a);
        QCOMPARE(t.prompts.boites.size(), 1);
        QCOMPARE(t.prompts.boites.first().icone, Prompts::Icone::Exclamation);
        QCOMPARE(t.prompts.boites.first().titre,
                 QStringLiteral("ANOMALIE : Recherche de commande"));
        QCOMPARE(t.prompts.boites.first().texte,
                 QStringLiteral("La commande N° [BC1] appartient à plusieurs expéditions.\r\n\r\n"
                                "Liste des n° d'expédition :\r\n%1\r\n%2\r\n")
                     .arg(a)
                     .arg(b));

        // Cancelling the input box does nothing.
        t.prompts.vider();
        t.prompts.saisies.enqueue(std::nullopt);
        QVERIFY(!RechercheCommande(c));
        QCOMPARE(t.prompts.boites.size(), 1);
        QCOMPARE(t.prompts.boites.first().titre, QStringLiteral("Recherche d'une commande"));
        QCOMPARE(t.prompts.boites.first().texte, QStringLiteral("No commande :"));
    }
};

QTEST_GUILESS_MAIN(TestExpeditions)
#include "test_expeditions.moc"
