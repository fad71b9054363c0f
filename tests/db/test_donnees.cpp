#include "BaseDeTest.h"
#include "base/Erreur.h"
#include "db/Base.h"
#include "db/Connexion.h"
#include "db/ParametresNommes.h"
#include "db/Transaction.h"
#include "listes/ModeleEnregistrements.h"

#include <QAbstractItemModelTester>
#include <QPersistentModelIndex>
#include <QTest>

using namespace tarvo;
using namespace tarvo::test;
using namespace Qt::StringLiterals;

namespace {

const db::TexteSql CreerEssai{
    u"CREATE TABLE essai (id INTEGER PRIMARY KEY AUTOINCREMENT, nom TEXT UNIQUE, poids REAL, "
    "image BLOB, moment TEXT)"_s,
    u"CREATE TABLE essai (id int IDENTITY(1, 1) PRIMARY KEY, nom varchar(40) UNIQUE, "
    "poids float, image varbinary(max), moment datetime)"_s};
const QString InsertionEssai =
    u"INSERT INTO essai (nom, poids, image, moment) VALUES (:nom, :poids, :image, :moment)"_s;
const db::TexteSql InsererEssai{InsertionEssai,
                                InsertionEssai + u"; SELECT CAST(SCOPE_IDENTITY() AS int)"_s};
const db::TexteSql Essai40{u"INSERT INTO essai (id) VALUES (40)"_s,
                           u"SET IDENTITY_INSERT essai ON; INSERT INTO essai (id) VALUES (40); "
                           "SET IDENTITY_INSERT essai OFF"_s};
const db::TexteSql RenommerEssais{u"UPDATE essai SET poids = 2 WHERE nom IS NULL OR nom = 'a'"_s};
const db::TexteSql EssaiParNom{
    u"SELECT id, nom, poids, image, moment FROM essai WHERE nom = :nom OR (:nom IS NULL AND nom "
    "IS NULL) ORDER BY id"_s};
const db::TexteSql CompterEssais{u"SELECT COUNT(*) FROM essai"_s};

qint64 compter(db::Base& base) {
    db::Requete r = base.preparer(CompterEssais);
    r.suivante();
    return r.entier(0);
}

} // namespace

class TestDonnees : public QObject {
    Q_OBJECT

private slots:
    void analyseDesParametres_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QStringList>("noms");
        QTest::addColumn<QString>("positionnel");
        QTest::newRow("repeated name")
            << u"a = :x OR (:x IS NULL AND b = :y)"_s << QStringList{u"x"_s, u"y"_s}
            << u"a = ? OR (? IS NULL AND b = ?)"_s;
        QTest::newRow("quoted text, brackets and comment skipped")
            << u"SELECT ':pas', [a:b], \"c:d\" -- :non\nFROM t WHERE e = :oui"_s
            << QStringList{u"oui"_s}
            << u"SELECT ':pas', [a:b], \"c:d\" -- :non\nFROM t WHERE e = ?"_s;
        QTest::newRow("doubled quote stays inside the text")
            << u"SELECT 'l''été :x' WHERE a = :a"_s << QStringList{u"a"_s}
            << u"SELECT 'l''été :x' WHERE a = ?"_s;
        QTest::newRow("accented name and a time literal")
            << u"WHERE d > '12:30' AND q = :quantité"_s << QStringList{u"quantité"_s}
            << u"WHERE d > '12:30' AND q = ?"_s;
    }
    void analyseDesParametres() {
        QFETCH(QString, sql);
        QFETCH(QStringList, noms);
        QFETCH(QString, positionnel);
        const db::ParametresNommes p = db::ParametresNommes::analyser(sql);
        QCOMPARE(p.noms, noms);
        QCOMPARE(p.textePositionnel, positionnel);
        QCOMPARE(p.occurrences.size(), positionnel.count(u'?'));
    }

    // Both ways into the embedded database run the same catalogue texts: the
    // QtSql one is the way SQL Server is driven.
    // The third runs them through the ODBC driver manager and the SQLite
    // ODBC driver: named parameters bound by position, dates, accented text
    // and a refused statement's diagnostics through a real driver.
    void allerRetour_data() {
        QTest::addColumn<VoieDeTest>("voie");
        for (const VoieDeTest& voie : Voies())
            QTest::newRow("voie" + voie.nom) << voie;
    }
    void allerRetour() {
        QFETCH(VoieDeTest, voie);
        BaseDeTest t;
        t.creerBase();
        QVERIFY(t.prendre(voie));
        db::Base base(t.ctx->cnx.get());
        base.preparer(CreerEssai).executer();
        // A French login's date format would read the text of 6 December as
        // 12 June: moments must reach the server as typed values.
        if (voie.serveur)
            base.executerScript(db::TexteSql(u"SET DATEFORMAT dmy"_s));

        const QByteArray image("\x89PNG\0\x01", 6);
        const QDateTime moment(QDate(2026, 12, 6), QTime(6, 5, 4));
        db::Requete inserer = base.preparer(InsererEssai);
        inserer.lier(u":nom", u"BLEU D'ÉTÉ"_s)
            .lier(u":poids", 0.5)
            .lier(u":image", image)
            .lier(u":moment", moment);
        // A table of its own with rows before: the numbers read back are
        // the inserts', not counted from 1.
        base.preparer(Essai40).executer();
        base.preparer(db::TexteSql(u"DELETE FROM essai"_s)).executer();
        const qint64 premier = inserer.executerInsertion();
        QCOMPARE(premier, 41);
        // The same prepared statement, run again with other values.
        inserer.lierNul(u":nom")
            .lier(u":poids", QVariant())
            .lier(u":image", QVariant())
            .lier(u":moment", QVariant());
        const qint64 second = inserer.executerInsertion();
        QCOMPARE(second, premier + 1);

        db::Requete lire = base.preparer(EssaiParNom);
        lire.lier(u":nom", u"BLEU D'ÉTÉ"_s);
        QVERIFY(lire.suivante());
        QCOMPARE(lire.entier(0), premier);
        QCOMPARE(lire.texte(1), u"BLEU D'ÉTÉ"_s);
        QCOMPARE(lire.reel(2), 0.5);
        QCOMPARE(lire.octets(3), image);
        QCOMPARE(lire.dateHeure(4), moment);
        QCOMPARE(lire.nomColonne(1), u"nom"_s);
        QVERIFY(!lire.suivante());

        lire.lierNul(u":nom");
        QVERIFY(lire.suivante());
        QCOMPARE(lire.entier(0), second);
        for (int colonne = 1; colonne < 5; ++colonne)
            QVERIFY(lire.estNul(colonne));
        QVERIFY(!lire.valeur(2).isValid());
        lire.terminer();

        // A misspelt or forgotten name never runs: nothing is written.
        db::Requete fausse = base.preparer(InsererEssai);
        QVERIFY_THROWS_EXCEPTION(ErreurTarvo, fausse.lier(u":nome", u"x"_s));
        fausse.lier(u":nom", u"x"_s).lier(u":poids", 1.0).lierNul(u":image");
        QVERIFY_THROWS_EXCEPTION(ErreurTarvo, fausse.executer());
        QVERIFY_THROWS_EXCEPTION(ErreurTarvo, fausse.suivante());
        QCOMPARE(compter(base), 2);

        // A transaction not committed leaves nothing.
        auto ajouter = [&] {
            base.preparer(InsererEssai)
                .lier(u":nom", u"a"_s)
                .lierNul(u":poids")
                .lierNul(u":image")
                .lierNul(u":moment")
                .executer();
        };
        {
            db::Transaction transaction(base);
            ajouter();
        }
        QCOMPARE(compter(base), 2);
        {
            db::Transaction transaction(base);
            ajouter();
            transaction.valider();
        }
        QCOMPARE(compter(base), 3);
        // Row counts still reach the program after an insert that read its
        // number back: nothing silenced them on the connection.
        QCOMPARE(base.preparer(RenommerEssais).executer(), 2);

        // A statement the engine refuses: its code and text, as the driver
        // gave them, reach the error; nothing is written.
        try {
            base.preparer(InsererEssai)
                .lier(u":nom", u"BLEU D'ÉTÉ"_s)
                .lierNul(u":poids")
                .lierNul(u":image")
                .lierNul(u":moment")
                .executer();
            QFAIL("Le doublon a été accepté.");
        } catch (const ErreurTarvo& e) {
            const QString texte = e.erreur().description;
            if (voie.serveur) {
                // The server's duplicate key.
                QCOMPARE(e.codesMoteur(), QList<qint64>{2627});
                QCOMPARE(e.erreur().numero, 2627);
            } else {
                // SQLITE_CONSTRAINT_UNIQUE, the extended code, on every path.
                QCOMPARE(e.codesMoteur(), QList<qint64>{2067});
                QCOMPARE(e.erreur().numero, 2067);
                QVERIFY2(texte.contains(u"UNIQUE constraint failed: essai.nom"_s),
                         qPrintable(texte));
            }
        }
        QCOMPARE(compter(base), 3);
    }

    void refus() {
        QVERIFY_THROWS_EXCEPTION(ErreurTarvo, db::ParametresNommes::analyser(u"a = ?"_s));
        BaseDeTest t;
        Connexion fermee(u"essai"_s);
        QVERIFY_THROWS_EXCEPTION(ErreurTarvo, db::Base{&fermee});
        QVERIFY_THROWS_EXCEPTION(ErreurTarvo, db::Base{nullptr});
    }

    // Moments stored as text: seconds kept, fractions dropped, a date alone or
    // another layout read as the start of its day, an impossible one as none.
    void momentsEnTexte() {
        BaseDeTest t;
        t.creerBase();
        db::Base base(t.ctx->cnx.get());
        db::Requete r = base.preparer(
            db::TexteSql(u"SELECT '2026-12-06 06:05:04.250', '2026-12-06', '2026-02-30 10:00:00', "
                         "'2026-12-06T06:05:04', '2026-12-06 24:00:00', '2026-12-06 23:59:5x'"_s));
        QVERIFY(r.suivante());
        const QDate jour(2026, 12, 6);
        QCOMPARE(r.dateHeure(0), QDateTime(jour, QTime(6, 5, 4)));
        QCOMPARE(r.dateHeure(1), jour.startOfDay());
        QVERIFY(!r.dateHeure(2).isValid());
        QCOMPARE(r.dateHeure(3), jour.startOfDay());
        QCOMPARE(r.dateHeure(4), jour.startOfDay());
        QCOMPARE(r.dateHeure(5), jour.startOfDay());
    }

    // Rows sort by their typed values; keys, marks, check marks and the
    // current row follow their records.
    void modeleTrieLesValeursTypees() {
        listes::ModeleEnregistrements modele({{u"Nom"_s, db::Genre::Texte},
                                              {u"N°"_s, db::Genre::Nombre},
                                              {u"Date"_s, db::Genre::Date}},
                                             true);
        QAbstractItemModelTester testeur(&modele,
                                         QAbstractItemModelTester::FailureReportingMode::QtTest);
        db::JeuEnregistrements jeu(modele.jeu().colonnes());
        jeu.ajouter({u"bravo"_s, 10, u"2026-01-02 00:00:00"_s}, 10);
        jeu.ajouter({u"Alpha"_s, 9, u"2025-12-31 08:00:00"_s}, 9, true);
        jeu.ajouter({u"charlie"_s, 100, QVariant()}, 100);
        modele.remplir(std::move(jeu));
        modele.cocher(1, true);
        const QPersistentModelIndex courant = modele.index(1, 0);

        auto cles = [&] {
            QList<int> liste;
            for (int ligne = 0; ligne < modele.rowCount(); ++ligne)
                liste
                    << modele.index(ligne, 0).data(listes::ModeleEnregistrements::RoleCle).toInt();
            return liste;
        };
        modele.sort(1);
        QCOMPARE(cles(), (QList<int>{9, 10, 100}));
        modele.sort(1, Qt::DescendingOrder);
        QCOMPARE(cles(), (QList<int>{100, 10, 9}));
        modele.sort(0);
        QCOMPARE(cles(), (QList<int>{9, 10, 100}));
        modele.sort(2);
        QCOMPARE(cles(), (QList<int>{100, 9, 10}));

        QCOMPARE(courant.data(listes::ModeleEnregistrements::RoleCle).toInt(), 9);
        QVERIFY(modele.coche(courant.row()));
        QVERIFY(courant.data(listes::ModeleEnregistrements::RoleMarque).toBool());
        QCOMPARE(modele.index(0, 2).data().toString(), QString());
        QCOMPARE(modele.index(1, 1).data().toString(), u"9"_s);
        QCOMPARE(modele.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), u"N°"_s);

        // A new load keeps the sort and clears the check marks.
        db::JeuEnregistrements suivant(modele.jeu().colonnes());
        suivant.ajouter({u"z"_s, 1, u"2030-01-01 00:00:00"_s}, 1);
        suivant.ajouter({u"y"_s, 2, u"2020-01-01 00:00:00"_s}, 2);
        modele.remplir(std::move(suivant));
        QCOMPARE(cles(), (QList<int>{2, 1}));
        QVERIFY(!modele.coche(0) && !modele.coche(1));
    }
};

QTEST_GUILESS_MAIN(TestDonnees)
#include "test_donnees.moc"
