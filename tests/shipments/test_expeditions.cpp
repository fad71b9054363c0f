#include "AutrePoste.h"
#include "BaseDeTest.h"
#include "DonneesExpeditions.h"
#include "base/Erreur.h"
#include "listes/ModeleEnregistrements.h"
#include "shipments/CreationExpeditions.h"
#include "shipments/ListesExpeditions.h"
#include "shipments/ModificationExpedition.h"
#include "shipments/RechercheCommande.h"

#include <QTest>

using namespace tarvo;
using namespace Qt::StringLiterals;
using namespace tarvo::expeditions;
using namespace tarvo::test;

namespace {

// Two customers; the first has two delivery places.
void monde(BaseDeTest& t) {
    t.creerBase(false);
    Contexte& c = *t.ctx;
    ajouterClient(c, u"CBOUTIQ"_s, u"Boutique Côté Maison"_s);
    ajouterClient(c, u"CHOTEL"_s, u"Hôtel des Alpes"_s);
    ajouterLieu(c, 1, u"CBOUTIQ"_s, u"Côté Maison Annecy"_s, u"Annecy"_s);
    ajouterLieu(c, 2, u"CBOUTIQ"_s, u"Côté Maison Chambéry"_s, u"Chambéry"_s);
    // A place number beyond 16 bits, as Sage hands them out.
    ajouterLieu(c, 70000, u"CHOTEL"_s, u"Hôtel des Alpes"_s, u"Chamonix"_s);
    ajouterCommande(c, u"BC1"_s, u"CBOUTIQ"_s, 1);
    ajouterCommande(c, u"BC2"_s, u"CBOUTIQ"_s, 1, QVariant());
    ajouterCommande(c, u"BC3"_s, u"CBOUTIQ"_s, 1, u"REF3"_s, u"2012-04-03 10:15:00"_s, 1);
    ajouterCommande(c, u"BC4"_s, u"CBOUTIQ"_s, 2);
    ajouterCommande(c, u"BC5"_s, u"CHOTEL"_s, 70000);
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
    listes::ModeleEnregistrements modele(jeu.colonnes());
    modele.remplir(jeu);
    QStringList textes;
    for (int c = 0; c < modele.columnCount(); ++c)
        textes << modele.index(ligne, c).data().toString();
    return textes;
}

const QString NoDe = u"[No Expédition] = ?"_s;

// An order attached to a second shipment, as older data or other tools leave
// them: the routines themselves never do it.
void attacherAussi(Contexte& c, int noExp, const QString& commande) {
    executerSql(c,
                u"INSERT INTO [Liste commandes] ([No Expédition], [No commande SAGE]) "
                "VALUES (?, ?)"_s,
                {noExp, commande});
}

} // namespace

class TestExpeditions : public QObject {
    Q_OBJECT
private slots:
    void listesDesCommandesEtDesClients() {
        BaseDeTest t;
        monde(t);
        Contexte& c = *t.ctx;
        const db::JeuEnregistrements toutes = ChargeListCde(c);
        QCOMPARE(toutes.nombreLignes(), 5);
        QCOMPARE(cellules(toutes, 0).first(), u"BC1"_s);
        QCOMPARE(toutes.cle(0).toString(), u"BC1"_s);
        QCOMPARE(cellules(toutes, 1).at(1), QString()); // NULL reference
        QVERIFY(cellules(toutes, 2).at(2).contains(u"10:15:00"_s));
        QVERIFY(!cellules(toutes, 0).at(2).contains(u':')); // midnight: date only
        QCOMPARE(cellules(toutes, 4).at(4), u"Hôtel des Alpes"_s);
        QCOMPARE(t.feedback.progressions.first(), 0);
        QCOMPARE(t.feedback.progressions.last(), 100);

        QCOMPARE(ChargeListCde(c, LieuLivraison{2}).nombreLignes(), 1);
        QCOMPARE(ChargeListCde(c, LieuLivraison{70000}).cle(0).toString(), u"BC5"_s);
        QCOMPARE(ChargeListCde(c, LieuLivraison{70000 - 65536}).nombreLignes(), 0);

        // Two places of one customer: two rows, each with its own count and place tag.
        const db::JeuEnregistrements clients = ChargeListClient(c);
        QCOMPARE(clients.nombreLignes(), 3);
        QCOMPARE(cellules(clients, 0),
                 QStringList({u"CBOUTIQ"_s, u"Boutique Côté Maison"_s, u"Côté Maison Annecy"_s,
                              u"Annecy"_s, u"France"_s, u"3"_s}));
        QCOMPARE(clients.cle(0).toInt(), 1);
        QCOMPARE(cellules(clients, 1).last(), u"1"_s);
        QCOMPARE(clients.cle(2).toInt(), 70000);

        executerSql(c, u"DELETE FROM F_DOCLIGNE"_s);
        t.feedback.progressions.clear();
        QCOMPARE(ChargeListCde(c).nombreLignes(), 0);
        QCOMPARE(t.feedback.progressions.last(), 100);
    }

    void creationAutomatiqueUneExpeditionParCommande() {
        BaseDeTest t;
        monde(t);
        Contexte& c = *t.ctx;
        const QList<qint32> creees =
            CreerExpAuto(c, {u" BC1 "_s, u"INCONNUE"_s, u"BC2"_s, u"BC3"_s}).expeditions;
        QCOMPARE(creees.size(), 3);
        QCOMPARE(compter(c, u"Expédition"_s), 3);
        for (const qint32 numero : creees) {
            QCOMPARE(compter(c, u"[Liste commandes]"_s, NoDe, {numero}), 1);
            QCOMPARE(valeurSql(c,
                               u"SELECT [Libellé 1] || '/' || [Libellé 2] || '/' || "
                               "[No lieu livraison] FROM Expédition WHERE "_s +
                                   NoDe,
                               {numero})
                         .toString(),
                     u"Côté Maison Annecy/Annecy/1"_s);
        }
        QCOMPARE(commandesDe(c, creees.at(2)), QStringList{u"BC3"_s});
        // Values copied unchanged, NULL reference included.
        QVERIFY(valeurSql(c, u"SELECT [Référence SAGE] FROM [Liste commandes] WHERE "
                             "[No commande SAGE] = 'BC2'"_s)
                    .isNull());
        QCOMPARE(valeurSql(c, u"SELECT [Date création SAGE] || Langue || [No Client] "
                              "FROM [Liste commandes] WHERE [No commande SAGE] = "
                              "'BC3'"_s)
                     .toString(),
                 u"2012-04-03 10:15:001CBOUTIQ"_s);
        QCOMPARE(
            valeurSql(c, u"SELECT Langue FROM Expédition WHERE "_s + NoDe, {creees.at(2)}).toInt(),
            1);
        // The view no longer offers them; a new shipment is open with no parcels.
        QCOMPARE(ChargeListCde(c).nombreLignes(), 2);
        QCOMPARE(
            compter(c, u"Expédition"_s, u"[Date cloture] IS NULL AND [Nbr colis théorique] = 0"_s),
            3);
        QVERIFY(CreerExpAuto(c, {}).expeditions.isEmpty());
    }

    void creationManuelleEtAjout() {
        BaseDeTest t;
        monde(t);
        Contexte& c = *t.ctx;
        // The first order is unknown: the labels come from the first known one.
        const QList<qint32> creee =
            CreerExpManuel(c, {u"INCONNUE"_s, u"BC5"_s, u"BC1"_s}).expeditions;
        QCOMPARE(creee.size(), 1);
        const qint32 numero = creee.first();
        QCOMPARE(compter(c, u"Expédition"_s), 1);
        QCOMPARE(valeurSql(c, u"SELECT [Libellé 1] || '/' || [Libellé 2] || '/' || "
                              "[No lieu livraison] FROM Expédition"_s)
                     .toString(),
                 u"Hôtel des Alpes/Chamonix/70000"_s);
        QCOMPARE(commandesDe(c, numero), QStringList({u"BC1"_s, u"BC5"_s}));
        QVERIFY(CreerExpManuel(c, {u"INCONNUE"_s}).expeditions.isEmpty());
        QCOMPARE(compter(c, u"Expédition"_s), 1);

        QCOMPARE(AddCdeExp(c, numero, {u"BC2"_s, u"NON"_s}).commandes, QStringList{u"BC2"_s});
        QVERIFY(AddCdeExp(c, numero, {}).commandes.isEmpty());
        QCOMPARE(commandesDe(c, numero).size(), 3);
        QCOMPARE(compter(c, u"Expédition"_s), 1);
        // A shipment that is gone takes no orders.
        QVERIFY_THROWS_EXCEPTION(ErreurTarvo, AddCdeExp(c, 999, {u"BC3"_s}));
        QCOMPARE(compter(c, u"[Liste commandes]"_s, NoDe, {999}), 0);
    }

    void unEchecNeLaisseRienDeLExpeditionEnCours() {
        BaseDeTest t;
        monde(t);
        Contexte& c = *t.ctx;
        executerSql(c, u"CREATE TRIGGER refus BEFORE INSERT ON [Liste commandes] "
                       "WHEN NEW.[No commande SAGE] = 'BC3' "
                       "BEGIN SELECT RAISE(ABORT, 'refus de test'); END"_s);
        // Automatic: the shipments before the failure stay, the failing one is gone.
        QVERIFY_THROWS_EXCEPTION(ErreurTarvo, CreerExpAuto(c, {u"BC1"_s, u"BC3"_s, u"BC2"_s}));
        QCOMPARE(compter(c, u"Expédition"_s), 1);
        QCOMPARE(compter(c, u"[Liste commandes]"_s), 1);
        // Manual and add: all or nothing.
        QVERIFY_THROWS_EXCEPTION(ErreurTarvo, CreerExpManuel(c, {u"BC2"_s, u"BC3"_s}));
        QCOMPARE(compter(c, u"Expédition"_s), 1);
        const int premiere = valeurSql(c, u"SELECT MIN([No Expédition]) FROM "
                                          "Expédition"_s)
                                 .toInt();
        QVERIFY_THROWS_EXCEPTION(ErreurTarvo, AddCdeExp(c, premiere, {u"BC2"_s, u"BC3"_s}));
        QCOMPARE(compter(c, u"[Liste commandes]"_s), 1);
        // The connection is usable again afterwards.
        QCOMPARE(CreerExpAuto(c, {u"BC4"_s}).expeditions.size(), 1);
    }

    void uneCommandePriseAilleursEstRefusee_data() {
        QTest::addColumn<VoieDeTest>("voie");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QStringList>("commandes");
        // What the routine attaches; its shipment's first label ("" for none).
        QTest::addColumn<QStringList>("attachees");
        QTest::addColumn<QString>("libelle");
        for (const VoieDeTest& voie : Voies()) {
            const QByteArray& nom = voie.nom;
            QTest::newRow("automatique" + nom)
                << voie << u"auto"_s << QStringList{u"BC5"_s, u"BC1"_s} << QStringList{u"BC1"_s}
                << u"Côté Maison Annecy"_s;
            // The first order, taken, would have labelled the shipment.
            QTest::newRow("manuel, la première prise" + nom)
                << voie << u"manuel"_s << QStringList{u"BC5"_s, u"BC1"_s, u"BC2"_s}
                << QStringList{u"BC1"_s, u"BC2"_s} << u"Côté Maison Annecy"_s;
            QTest::newRow("manuel, toutes prises" + nom)
                << voie << u"manuel"_s << QStringList{u"BC5"_s} << QStringList() << QString();
            QTest::newRow("ajout" + nom)
                << voie << u"ajout"_s << QStringList{u"BC1"_s, u"BC5"_s, u"BC2"_s}
                << QStringList{u"BC1"_s, u"BC2"_s} << u"Cible"_s;
        }
    }

    // Another workstation attaches BC5 after this one read its list: BC5 is
    // refused with the shipment that holds it, nothing is written for it, no
    // shipment is left empty, the other orders are attached.
    void uneCommandePriseAilleursEstRefusee() {
        QFETCH(VoieDeTest, voie);
        QFETCH(QString, mode);
        QFETCH(QStringList, commandes);
        QFETCH(QStringList, attachees);
        QFETCH(QString, libelle);
        BaseDeTest t;
        monde(t);
        Contexte& c = *t.ctx;
        const int cible = ajouterExpedition(c, u"Cible"_s, u"2012-04-19 08:00:00"_s, {}, 1);
        qint32 ailleurs = 0;
        {
            AutrePoste autre(t.dossier.path(), c.cnx->parametres());
            ailleurs = CreerExpAuto(*autre.ctx, {u"BC5"_s}).expeditions.value(0);
        }
        QVERIFY(ailleurs > cible);
        QVERIFY(t.prendre(voie));

        Rattachements faits;
        if (mode == u"auto"_s)
            faits = CreerExpAuto(c, commandes, {});
        else if (mode == u"manuel"_s)
            faits = CreerExpManuel(c, commandes);
        else
            faits = AddCdeExp(c, cible, commandes);

        QCOMPARE(faits.refusees.size(), 1);
        QCOMPARE(faits.refusees.first().commande, u"BC5"_s);
        QCOMPARE(faits.refusees.first().raison,
                 u"La commande BC5 est déjà dans l'expédition N° %1."_s.arg(ailleurs));
        QCOMPARE(faits.commandes, attachees);
        QCOMPARE(compter(c, u"[Liste commandes]"_s, u"[No commande SAGE] = 'BC5'"_s), 1);
        QCOMPARE(commandesDe(c, ailleurs), QStringList{u"BC5"_s});
        QCOMPARE(compter(c, u"[Liste commandes]"_s), 1 + attachees.size());
        // Only the target of an addition may be without orders.
        QCOMPARE(compter(c, u"Expédition"_s,
                         u"[No Expédition] <> ? AND NOT EXISTS (SELECT 1 FROM [Liste commandes] "
                         "L WHERE L.[No Expédition] = Expédition.[No Expédition])"_s,
                         {cible}),
                 0);
        const QVariant premier =
            valeurSql(c,
                      u"SELECT E.[Libellé 1] FROM [Liste commandes] L JOIN Expédition E "
                      "ON E.[No Expédition] = L.[No Expédition] WHERE L.[No commande SAGE] "
                      "= ?"_s,
                      {attachees.value(0)});
        QCOMPARE(premier.toString(), libelle);
        QCOMPARE(faits.expeditions.size(), mode == u"auto"_s     ? attachees.size()
                                           : mode == u"manuel"_s ? qsizetype(!attachees.isEmpty())
                                                                 : 0);
    }

    void listeDesExpeditionsTroisAnsEtCloses() {
        BaseDeTest t;
        t.creerBase(false);
        Contexte& c = *t.ctx; // the clock says 2012-04-19 13:42:25
        ajouterExpedition(c, u"trop vieille"_s, u"2009-04-19 13:42:24"_s);
        const int limite = ajouterExpedition(c, u"limite"_s, u"2009-04-19 13:42:25"_s);
        const int close =
            ajouterExpedition(c, u"close"_s, u"2012-04-01 08:00:00"_s, u"2012-04-18 17:30:00"_s);
        const int ouverte = ajouterExpedition(c, u"ouverte"_s, u"2012-04-19 09:00:00"_s);

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
        QVERIFY(cellules(toutes, 1).last().contains(u"17:30:00"_s));
        QCOMPARE(cellules(toutes, 1).at(1), u"close"_s);
    }

    void detailEnregistrementClotureEtConflit() {
        BaseDeTest t;
        monde(t);
        Contexte& c = *t.ctx;
        const qint32 numero = CreerExpManuel(c, {u"BC1"_s}).expeditions.value(0);
        std::optional<DetailExpedition> d = ChargeDetailExp(c, numero);
        QVERIFY(d);
        ZoneData z = InitZoneData(*d);
        QCOMPARE(z.noExp, QString::number(numero));
        QCOMPARE(z.lib1, u"Côté Maison Annecy"_s);
        QCOMPARE(z.nbColTheo, u"0"_s);
        QCOMPARE(z.tare, QString());
        QVERIFY(!z.dateClot);
        // A NULL part leaves its line break.
        QCOMPARE(z.livraison, u"Côté Maison Annecy\r\n1 rue du Port\r\n\r\n74000 "
                              "Annecy\r\nFrance\r\n"_s);

        SaisieExpedition s{u"Nouveau libellé"_s,
                           QString(),
                           QDateTime(QDate(2012, 4, 19), QTime(0, 0)),
                           u"3"_s,
                           u""_s,
                           u"0,5"_s,
                           u"12"_s,
                           u"12.5"_s,
                           QString()};
        // Not a number: the box names the field and nothing is written.
        SaisieExpedition fausse = s;
        fausse.poidsBrut = u"12kg"_s;
        const Enregistrement refuse = EnregistrerExpedition(c, *d, fausse);
        QVERIFY(!refuse.detail);
        QVERIFY(refuse.refus.contains(u"« Poids brut »"_s));
        QCOMPARE(compter(c, u"Expédition"_s, u"[Date cloture] IS NULL"_s), 1);

        d = EnregistrerExpedition(c, *d, s).detail;
        QVERIFY(d);
        z = InitZoneData(*d);
        QCOMPARE(z.dateClot, QDateTime(QDate(2012, 4, 19), QTime(0, 0)));
        // Typed with a comma and with a point, both shown back the French way.
        QCOMPARE(z.tare, u"0,5"_s);
        QCOMPARE(z.poidsBrut, u"12,5"_s);
        QCOMPARE(z.nbColTheo, u"3"_s);
        QCOMPARE(z.nbColReel, u"0"_s);
        QCOMPARE(z.lib2, QString());
        QCOMPARE(ChargeListExp(c, false).nombreLignes(), 0);
        QVERIFY(ChargeListExp(c, true).marque(0));

        // Reopening: an unchecked picker writes NULL.
        s.dateClot.reset();
        d = EnregistrerExpedition(c, *d, s).detail;
        QVERIFY(d);
        QVERIFY(d->dateCloture.isNull());

        // Another workstation changes the row: the save is refused, its change stays.
        executerSql(c, u"UPDATE Expédition SET Tare = 9 WHERE "_s + NoDe, {numero});
        s.lib1 = u"Écrasé ?"_s;
        const Enregistrement conflit = EnregistrerExpedition(c, *d, s);
        QVERIFY(!conflit.detail);
        QVERIFY(conflit.refus.contains(u"autre poste"_s));
        QCOMPARE(valeurSql(c, u"SELECT Tare || [Libellé 1] FROM Expédition"_s).toString(),
                 u"9.0Nouveau libellé"_s);
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
        const qint32 a = CreerExpManuel(c, {u"BC1"_s, u"BC2"_s}).expeditions.value(0);
        const qint32 b = CreerExpManuel(c, {u"BC3"_s}).expeditions.value(0);
        attacherAussi(c, b, u"BC1"_s);
        QCOMPARE(SupCde(c, a, {u" BC1 "_s}), 1);
        QCOMPARE(commandesDe(c, a), QStringList{u"BC2"_s});
        QCOMPARE(commandesDe(c, b), QStringList({u"BC1"_s, u"BC3"_s}));
        QCOMPARE(SupCde(c, a, {}), 0);

        executerSql(c, u"INSERT INTO Colis VALUES (?, 1, 2.5, '2012-04-19 10:00:00')"_s, {b});
        executerSql(c,
                    u"INSERT INTO Colisage VALUES (?, 1, '3700000000017', 2, "
                    "'2012-04-19 10:00:00')"_s,
                    {b});
        executerSql(c,
                    u"INSERT INTO [Journal de saisie] ([Code type ligne], "
                    "[No Expédition]) VALUES ('{EXPXA}', ?)"_s,
                    {b});
        QVERIFY(SupExp(c, b));
        for (const QString& table :
             {u"Expédition"_s, u"[Liste commandes]"_s, u"Colis"_s, u"Colisage"_s})
            QCOMPARE(compter(c, table, NoDe, {b}), 0);
        QCOMPARE(compter(c, u"[Journal de saisie]"_s, NoDe, {b}), 1);
        QCOMPARE(compter(c, u"Expédition"_s), 1);
        QVERIFY(!SupExp(c, b));
    }

    void surLesDonneesDeDemonstration() {
        BaseDeTest t;
        t.creerBase(true);
        Contexte& c = *t.ctx;
        QCOMPARE(RechercheCommande(c, u"bc00103"_s), 102);
        const std::optional<DetailExpedition> d = ChargeDetailExp(c, 101);
        QVERIFY(d && !InitZoneData(*d).dateClot->isNull());
        QVERIFY(InitZoneData(*d).livraison.startsWith(u"Côté Maison Annecy\r\n"_s));
        const QString commande = ChargeListCde(c).cle(0).toString();
        const QList<qint32> numero = CreerExpManuel(c, {commande}).expeditions;
        QCOMPARE(numero.size(), 1);
        QCOMPARE(RechercheCommande(c, commande), numero.first());
        // The journal of a deleted shipment stays as history.
        const int journal = compter(c, u"[Journal de saisie]"_s, NoDe, {102});
        QVERIFY(SupExp(c, 102));
        QCOMPARE(compter(c, u"[Journal de saisie]"_s, NoDe, {102}), journal);
        QCOMPARE(compter(c, u"Colis"_s, NoDe, {102}), 0);
    }

    void rechercheDUneCommande() {
        BaseDeTest t;
        monde(t);
        Contexte& c = *t.ctx;
        const qint32 a = CreerExpManuel(c, {u"BC1"_s}).expeditions.value(0);
        const qint32 b = CreerExpManuel(c, {u"BC3"_s}).expeditions.value(0);

        QCOMPARE(RechercheCommande(c, u"  bc1 "_s), a);
        QVERIFY(t.prompts.boites.isEmpty());

        QVERIFY(!RechercheCommande(c, u"bc9' OR '1'='1"_s));
        attacherAussi(c, b, u"BC1"_s);
        QCOMPARE(RechercheCommande(c, u"BC1"_s), a);
        // Cancelling the input box does nothing.
        t.prompts.saisies.enqueue(std::nullopt);
        QVERIFY(!RechercheCommande(c));
        QCOMPARE(t.prompts.titresEtTextes(),
                 (QStringList{u"Recherche de commande infructueuse|La commande N° [BC9' OR '1'='1] "
                              u"appartient à aucune expédition ou n'existe pas."_s,
                              u"ANOMALIE : Recherche de commande|La commande N° [BC1] appartient à "
                              u"plusieurs expéditions.\r\n\r\nListe des n° d'expédition :\r\n%1\r\n"
                              u"%2\r\n"_s.arg(a)
                                  .arg(b),
                              u"Recherche d'une commande|No commande :"_s}));
        QCOMPARE(t.prompts.boites[1].icone, Prompts::Icone::Exclamation);
    }
};

QTEST_GUILESS_MAIN(TestExpeditions)
#include "test_expeditions.moc"
