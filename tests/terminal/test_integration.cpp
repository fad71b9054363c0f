// The integration of terminal data files: journal, parcels, packing lines,
// archive, and what stays when a run fails.
#include "OutilsTerminal.h"
#include "base/Erreur.h"
#include "base/Windows1252.h"
#include "db/Connexion.h"
#include "db/Transaction.h"
#include "terminal/IntegData.h"
#include "terminal/Saisies.h"

#include <QDir>
#include <QTest>
#include <sqlite3.h>

using namespace tarvo;
using namespace tarvo::test;
using namespace Qt::StringLiterals;

namespace {

const QString ColonnesJournal =
    u"SELECT [Code type ligne], [No Expédition], [No Colis], [Code barres Article], "
    "[Poids colis], Quantité, [Date saisie], [Date intégration] FROM [Journal de saisie] "_s;
const QString Journal = ColonnesJournal + u"ORDER BY rowid"_s;
const db::TexteSql JournalEnOrdre{Journal, ColonnesJournal + u"ORDER BY [Id saisie]"_s};
const QString ColisTous =
    u"SELECT [No Expédition], [No Colis], [Poids colis], [Date mise à jour] FROM Colis "
    "ORDER BY 1, 2"_s;
const QString ColisageTous =
    u"SELECT [No Expédition], [No Colis], [Code barres Article], Quantité, [Date mise à jour] "
    "FROM Colisage ORDER BY 1, 2, 3"_s;
const QString ArchiveParDefaut = u"archive/Intégration du 2012-04-19 à 13h42mn25.txt"_s;
const QString Data = u"terminal/DATA.TXT"_s;
// Where a run moves the data file before reading it.
const QString Travail = u"terminal/DATA.TXT.en-cours"_s;
const QByteArray Jour = "2012-04-19";

struct Base : BaseDeTest {
    Base() {
        creerBase();
        ajouterExpedition(db(), 42, u"Boutique"_s, u"Lyon"_s, 3);
        ajouterExpedition(db(), 43, u"Fermée"_s, u"Paris"_s, 1, true);
    }
    Connexion& db() const { return *ctx->cnx; }
    // Each call stands for a file a terminal wrote anew: its modification
    // time moves on by a minute whatever the file system's clock resolution.
    bool integrer(const QList<QByteArray>& l) {
        return integrer(l, QDateTime(QDate(2012, 4, 19), QTime(9, 0)).addSecs(60 * ++ecrits_));
    }
    bool integrer(const QList<QByteArray>& l, const QDateTime& modification) {
        ecrireData(*this, l, modification);
        prompts.vider();
        return terminal::IntegData(*ctx);
    }
    // `avertissements`: lines taken although they looked wrong, counted in
    // the box and detailed in erreurs.txt.
    void verifierTermine(int avertissements = 0) const {
        QString texte = u"Traitement terminé"_s;
        if (avertissements > 0)
            texte += u"\r\n\r\n%1 avertissement%2 sur les lignes intégrées (nombre lu en partie, "
                     "quantité ou poids négatif, article ou expédition inconnus) : le détail est "
                     "dans erreurs.txt."_s.arg(QString::number(avertissements),
                                               avertissements > 1 ? u"s"_s : QString());
        QCOMPARE(prompts.titresEtTextes(), QStringList{u"Intégration des lignes|"_s + texte});
        QCOMPARE(prompts.boites[0].icone, Prompts::Icone::Information);
    }
    // Nothing committed, the data file as it was, the failure box naming the line.
    void verifierEchec(const QByteArray& contenu, qint64 ligne) const {
        QCOMPARE(nombre(db(), u"SELECT COUNT(*) FROM [Journal de saisie]"_s), 0);
        QCOMPARE(lireFichier(Data), contenu);
        QCOMPARE(prompts.boites.size(), 1);
        QCOMPARE(prompts.boites[0].icone, Prompts::Icone::Critique);
        QCOMPARE(prompts.boites[0].titre, u"Erreur"_s);
        QVERIFY2(prompts.boites[0].texte.endsWith(u"\r\nLigne fichier n° : %1\r\n"_s.arg(ligne)),
                 qPrintable(prompts.boites[0].texte));
    }

private:
    int ecrits_ = 0;
};

using Etape = terminal::ErreurIntegration::Etape;

// Where the core says a run that must fail stopped: the step, and the line
// for a line.
std::pair<Etape, qint64> etapeEchec(Base& b) {
    try {
        terminal::IntegrerFichierData(*b.ctx);
    } catch (const terminal::ErreurIntegration& e) {
        return {e.etape(), e.ligne()};
    }
    qWarning("L'intégration devait échouer.");
    return {Etape::Debut, -1};
}

} // namespace

class TestIntegration : public QObject {
    Q_OBJECT

private slots:
    void chaqueTypeDeLigne() {
        Base b;
        const QList<QByteArray> l = {
            ligneXA(42, 1, Jour, "10:00:00", "3760001234567", 2),
            ligneFA(42, 2, Jour, "10:01:00", "0012ABC45678Z", 1),
            ligneFP(42, 1, Jour, "10:02:00", "12.5"),
            ligneXP(42, 3, Jour, "10:03:00", "7.25"),
            "{EXPZZ} type inconnu",
            ligneSA(42, "  2", Jour, "10:04:00", "0012ABC45678Z", 1),
        };
        QVERIFY(b.integrer(l));
        // None of the bar codes is in the article table: each goes in, and is
        // named by its line in the file.
        b.verifierTermine(3);
        const QString journal = Windows1252::decoder(b.lireFichier(u"erreurs.txt"_s));
        for (const QString& attendu :
             {u"Ligne 1 : code-barres « 3760001234567 » absent de la table des articles"_s,
              u"Ligne 2 : code-barres « 0012ABC45678Z » absent de la table des articles"_s,
              u"Ligne 6 : code-barres « 0012ABC45678Z » absent de la table des articles"_s})
            QVERIFY2(journal.contains(attendu), qPrintable(journal));
        QCOMPARE(lignes(b.db(), Journal),
                 (QStringList{
                     u"{EXPXA}|42|1|3760001234567|0|2|2012-04-19 10:00:00|2012-04-19 13:42:25"_s,
                     u"{EXPFA}|42|2|0012ABC45678Z|0|1|2012-04-19 10:01:00|2012-04-19 13:42:25"_s,
                     u"{EXPFP}|42|1|∅|12.5|∅|2012-04-19 10:02:00|2012-04-19 13:42:25"_s,
                     u"{EXPXP}|42|3|∅|7.25|∅|2012-04-19 10:03:00|2012-04-19 13:42:25"_s,
                     u"{EXPSA}|42|  2|0012ABC45678Z|0|1|2012-04-19 10:04:00|2012-04-19 13:42:25"_s,
                 }));
        QCOMPARE(lignes(b.db(), ColisTous), (QStringList{
                                                u"42|1|12.5|2012-04-19 10:02:00"_s,
                                                u"42|2|∅|2012-04-19 10:01:00"_s,
                                                u"42|3|7.25|2012-04-19 10:03:00"_s,
                                            }));
        QCOMPARE(lignes(b.db(), ColisageTous),
                 QStringList{u"42|1|3760001234567|2|2012-04-19 10:00:00"_s});

        QVERIFY(!QFile::exists(b.chemin(Data)));
        QCOMPARE(b.lireFichier(ArchiveParDefaut), fichier(l));
        // Each line, then "Prêt", then the count (the unknown type is skipped).
        QStringList statuts;
        for (const QByteArray& ligne : l)
            statuts << Windows1252::decoder(ligne);
        QCOMPARE(b.feedback.statuts,
                 statuts << QString() << u"5 lignes intégrées dans 1 expédition"_s);
        QCOMPARE(b.feedback.progressions.first(), 0);
        QCOMPARE(b.feedback.progressions.last(), 100);
        QCOMPARE(b.feedback.progressions.size(), 1 + l.size());
    }

    // An entry changes a row only when it is more recent than the row's last change.
    void seulesLesSaisiesPlusRecentesComptent() {
        Base b;
        QVERIFY(b.integrer({
            ligneXA(42, 1, Jour, "10:00:00", "A000000000001", 2),
            ligneXA(42, 1, Jour, "10:05:00", "A000000000001", 3),
            ligneXA(42, 1, Jour, "10:05:00", "A000000000001", 4),
            ligneXA(42, 1, Jour, "10:01:00", "A000000000001", 7),
            ligneXA(42, 2, Jour, "11:00:00", "B000000000001", 1),
            ligneFP(42, 2, Jour, "10:30:00", "9"),
            ligneFP(42, 5, Jour, "10:00:00", "3.5"),
            // Weighed again at the same moment: the first weight stays.
            ligneXP(42, 5, Jour, "10:00:00", "8"),
            ligneSA(42, "  1", Jour, "10:02:00", "A000000000001", 1),
        }));
        QCOMPARE(lignes(b.db(), ColisTous), (QStringList{
                                                u"42|1|∅|2012-04-19 10:00:00"_s,
                                                u"42|2|∅|2012-04-19 11:00:00"_s,
                                                u"42|5|3.5|2012-04-19 10:00:00"_s,
                                            }));
        QCOMPARE(lignes(b.db(), ColisageTous), (QStringList{
                                                   u"42|1|A000000000001|5|2012-04-19 10:05:00"_s,
                                                   u"42|2|B000000000001|1|2012-04-19 11:00:00"_s,
                                               }));
    }

    void deuxIntegrationsDuMemeFichier() {
        Base b;
        const QList<QByteArray> l = {
            ligneXA(42, 1, Jour, "10:00:00", "A000000000001", 2),
            ligneFA(42, 1, Jour, "10:01:00", "A000000000001", 3),
            ligneFA(42, 2, Jour, "10:02:00", "B000000000001", 1),
            ligneFP(42, 1, Jour, "10:03:00", "4.2"),
            ligneXP(42, 2, Jour, "10:04:00", "1.75"),
            ligneSA(42, "  1", Jour, "10:05:00", "A000000000001", 1),
        };
        QVERIFY(b.integrer(l));
        const QStringList colis = lignes(b.db(), ColisTous);
        const QStringList colisage = lignes(b.db(), ColisageTous);
        QCOMPARE(colisage.first(), u"42|1|A000000000001|4|2012-04-19 10:05:00"_s);
        b.horloge.regler(QDateTime(QDate(2012, 4, 19), QTime(14, 0)));
        QVERIFY(b.integrer(l));
        QCOMPARE(lignes(b.db(), ColisTous), colis);
        QCOMPARE(lignes(b.db(), ColisageTous), colisage);
        QCOMPARE(nombre(b.db(), u"SELECT COUNT(*) FROM [Journal de saisie]"_s), 12);
    }

    // The very file of a committed run, as a stop between the commit and the
    // removal leaves it: removed, not integrated again, the archive kept. The
    // same bytes written again are a new file, integrated like any other.
    void fichierDejaIntegre() {
        Base b;
        const QList<QByteArray> l = {ligneFA(42, 1, Jour, "10:01:00", "A000000000001", 3),
                                     ligneFP(42, 1, Jour, "10:03:00", "4.2")};
        const QDateTime ecrit(QDate(2012, 4, 19), QTime(10, 30, 0, 125));
        QVERIFY(b.integrer(l, ecrit));
        const QStringList journal = lignes(b.db(), Journal);
        const QStringList colis = lignes(b.db(), ColisTous);
        const QStringList colisage = lignes(b.db(), ColisageTous);
        b.horloge.regler(QDateTime(QDate(2012, 4, 19), QTime(14, 0)));

        QVERIFY(b.integrer(l, ecrit));
        QCOMPARE(lignes(b.db(), Journal), journal);
        QVERIFY(!QFile::exists(b.chemin(Data)));
        QCOMPARE(QDir(b.chemin(u"archive"_s)).entryList(QDir::Files),
                 QStringList{QFileInfo(ArchiveParDefaut).fileName()});
        QCOMPARE(b.prompts.boites.size(), 1);
        QCOMPARE(b.prompts.boites[0].icone, Prompts::Icone::Information);
        QCOMPARE(b.prompts.boites[0].texte,
                 u"Ce fichier de données a déjà été intégré (archive : %1). Il est "
                 "supprimé sans être intégré une seconde fois."_s.arg(
                     QDir::toNativeSeparators(b.chemin(ArchiveParDefaut))));

        QVERIFY(b.integrer(l, ecrit.addMSecs(1)));
        b.verifierTermine(1);
        QCOMPARE(lignes(b.db(), Journal).size(), 4);
        QCOMPARE(lignes(b.db(), ColisTous), colis);
        QCOMPARE(lignes(b.db(), ColisageTous), colisage);
    }

    // Bar codes and parcel texts are values, whatever they hold.
    void codesBarresQuelconques() {
        Base b;
        QVERIFY(b.integrer({
            ligneXA(42, 1, Jour, "10:00:00", "x');DROP TABL", 1),
            ligneXA(42, 1, Jour, "10:00:00", "0000000000007", 1),
            ligneSA(42, "1;D", Jour, "10:01:00", "1 OR 1=1; DELETE FROM Colis --", 1),
            ligneSA(42, "  1", Jour, "10:01:00", "x');DROP TABL", 1),
        }));
        QCOMPARE(lignes(b.db(), ColisageTous),
                 QStringList{u"42|1|0000000000007|1|2012-04-19 10:00:00"_s});
        QCOMPARE(nombre(b.db(), u"SELECT COUNT(*) FROM Colis"_s), 1);
        QCOMPARE(lignes(b.db(), u"SELECT [No Colis], [Code barres Article] FROM "
                                "[Journal de saisie] WHERE [Code type ligne] = "
                                "'{EXPSA}' ORDER BY rowid"_s)
                     .first(),
                 u"1;D|1 OR 1=1; DELETE FROM Colis --"_s);
    }

    // Removals: part of a quantity, all of it, a whole parcel, every parcel;
    // packing lines go with their parcel.
    void retraits() {
        Base b;
        QVERIFY(b.integrer({
            ligneXA(42, 1, Jour, "10:00:00", "A000000000001", 5),
            ligneXA(42, 1, Jour, "10:00:00", "B000000000001", 1),
            ligneXA(42, 2, Jour, "10:00:00", "A000000000001", 1),
            ligneXA(42, 3, Jour, "10:00:00", "A000000000001", 1),
        }));
        QVERIFY(b.integrer({
            ligneSA(42, "  1", Jour, "10:10:00", "A000000000001", 2),
            ligneSA(42, "  9", Jour, "10:10:00", "A000000000001", 2),
            ligneSA(42, "  1", Jour, "10:11:00", "B000000000001", 9),
            ligneSA(42, "  2", Jour, "09:00:00", "<Tous>", 0),
        }));
        QCOMPARE(lignes(b.db(), ColisageTous), (QStringList{
                                                   u"42|1|A000000000001|3|2012-04-19 10:10:00"_s,
                                                   u"42|3|A000000000001|1|2012-04-19 10:00:00"_s,
                                               }));
        QCOMPARE(nombre(b.db(), u"SELECT COUNT(*) FROM Colis"_s), 2);
        QVERIFY(b.integrer({ligneSA(42, "<To", Jour, "08:00:00", "...", 0)}));
        QCOMPARE(nombre(b.db(), u"SELECT COUNT(*) FROM Colis"_s), 0);
        QCOMPARE(nombre(b.db(), u"SELECT COUNT(*) FROM Colisage"_s), 0);
        QCOMPARE(lignes(b.db(), u"SELECT [No Colis] FROM [Journal de saisie] "
                                "ORDER BY rowid DESC LIMIT 1"_s),
                 QStringList{u"<To"_s});
    }

    // The generic QtSql path (the one SQL Server takes) gives the same rows as
    // the engine's own interface, from the same statements.
    void memesEffetsParQtSql() {
        const QList<QByteArray> l = {
            ligneXA(42, 1, Jour, "10:00:00", "A000000000001", 2),
            ligneXA(42, 1, Jour, "10:01:00", "A000000000001", 3),
            ligneFA(42, 2, Jour, "10:02:00", "B000000000001", 1),
            ligneFP(42, 1, Jour, "10:03:00", "4.5"),
            ligneXP(42, 4, Jour, "10:04:00", "2"),
            ligneFA(43, 1, Jour, "10:05:00", "B000000000001", 1),
            ligneSA(42, "  1", Jour, "10:06:00", "A000000000001", 1),
            ligneSA(42, "  2", Jour, "10:07:00", "<Tous>", 0),
            // A closed or unknown shipment: journaled, no parcel, no packing line.
            ligneXA(43, 1, Jour, "10:00:00", "3760001234567", 2),
            ligneFP(43, 1, Jour, "10:00:00", "3"),
            ligneXA(99, 1, Jour, "10:00:00", "3760001234567", 2),
        };
        QList<QStringList> resultats;
        for (const VoieDeTest& voie : Voies()) {
            Base b;
            QVERIFY(b.prendre(voie));
            db::Base base(b.ctx->cnx.get());
            db::Transaction transaction(base);
            {
                terminal::Integration run(base, u"2012-04-19 13:42:25"_s);
                for (const QByteArray& ligne : l)
                    terminal::TraiteLigne(run, ligne);
            }
            transaction.valider();
            resultats.append(lignes(b, JournalEnOrdre) + lignes(b.db(), ColisTous) +
                             lignes(b.db(), ColisageTous));
        }
        for (const QStringList& autre : resultats)
            QCOMPARE(autre, resultats[0]);
        QCOMPARE(resultats[0].size(), 11 + 2 + 1);
    }

    // With or without a final separator in the folder's name; two files
    // integrated in the same second keep an archive each.
    void archives() {
        for (const QByteArray& dossier : {QByteArray("archive/"), QByteArray("archive")}) {
            Base b;
            QByteArray ini = iniParDefaut(b.dossier.path());
            ini.replace("archive/\r\n", dossier + "\r\n");
            b.ecrireIni(ini);
            const QList<QByteArray> premier = {ligneFP(42, 1, Jour, "10:00:00", "1")};
            const QList<QByteArray> second = {ligneFP(42, 2, Jour, "10:00:00", "2")};
            QVERIFY(b.integrer(premier));
            QCOMPARE(b.feedback.statuts.last(), u"1 ligne intégrée dans 1 expédition"_s);
            QVERIFY(b.integrer(second));
            QCOMPARE(QDir(b.chemin(u"archive"_s)).entryList(QDir::Files),
                     (QStringList{u"Intégration du 2012-04-19 à 13h42mn25 (2).txt"_s,
                                  u"Intégration du 2012-04-19 à 13h42mn25.txt"_s}));
            QCOMPARE(b.lireFichier(ArchiveParDefaut), fichier(premier));
            QCOMPARE(b.lireFichier(QString(ArchiveParDefaut).replace(u".txt"_s, u" (2).txt"_s)),
                     fichier(second));
        }
    }

    void dossierArchiveAbsent() {
        Base b;
        QByteArray ini = iniParDefaut(b.dossier.path());
        ini.replace("archive/\r\n", "absent/\r\n");
        b.ecrireIni(ini);
        const QList<QByteArray> l = {ligneFP(42, 1, Jour, "10:00:00", "1")};
        QVERIFY(!b.integrer(l));
        b.verifierEchec(fichier(l), -1);
        QCOMPARE(b.feedback.statuts.last(), QString());
        QCOMPARE(b.feedback.progressions.last(), 100);
        // The core's error names the step, not a line.
        QCOMPARE(etapeEchec(b), std::pair(Etape::Archive, qint64{0}));
    }

    // A commit the database refuses: nothing committed and the data file
    // where it was, byte for byte, ready for the next run.
    void validationRefusee() {
        Base b;
        sqlite3* poignee = b.db().sqlite();
        QVERIFY(poignee);
        sqlite3_commit_hook(
            poignee, [](void*) { return 1; }, nullptr);
        const QList<QByteArray> l = {ligneXA(42, 1, Jour, "10:00:00", "3760001234567", 2),
                                     ligneFP(42, 1, Jour, "10:00:00", "1")};
        QVERIFY(!b.integrer(l));
        sqlite3_commit_hook(poignee, nullptr, nullptr);
        b.verifierEchec(fichier(l), -3);
        QCOMPARE(nombre(b.db(), u"SELECT COUNT(*) FROM Colis"_s), 0);
        // No archive of a file that was not integrated.
        QVERIFY(QDir(b.chemin(u"archive"_s)).isEmpty());
        const QString journal = Windows1252::decoder(b.lireFichier(u"erreurs.txt"_s));
        QVERIFY(journal.startsWith(u"19/04/2012 13:42:25 Erreur IntegData\r\nErreur n° : "_s));
        QVERIFY(journal.endsWith(u"\r\nLigne fichier n° : -3\r\n"_s));

        QVERIFY(b.integrer(l));
        QCOMPARE(nombre(b.db(), u"SELECT COUNT(*) FROM [Journal de saisie]"_s), 2);
        QVERIFY(!QFile::exists(b.chemin(Data)));
        QCOMPARE(b.lireFichier(ArchiveParDefaut), fichier(l));
    }

    void aucunFichierOuFichierVide() {
        Base b;
        QVERIFY(!terminal::IntegData(*b.ctx));
        QCOMPARE(b.prompts.titresEtTextes(),
                 QStringList{u"Traitement impossible|Aucun fichier de données disponible.\r\n["_s +
                             b.chemin(Data) + u']'});
        QCOMPARE(b.prompts.boites[0].icone, Prompts::Icone::Exclamation);
        QVERIFY(b.feedback.progressions.isEmpty());

        QVERIFY(b.integrer({}));
        b.verifierTermine();
        QVERIFY(!QFile::exists(b.chemin(Data)));
        QVERIFY(QFile::exists(b.chemin(ArchiveParDefaut)));
        QCOMPARE(b.feedback.progressions, (QList<int>{0, 100}));
    }

    // The core raises, says where the run stopped, and shows nothing; the
    // command shows the box.
    void ligneVideEntreDeuxLignes() {
        Base b;
        const QList<QByteArray> l = {ligneFP(42, 1, Jour, "10:00:00", "1"), "",
                                     ligneFP(42, 2, Jour, "10:00:00", "1")};
        b.ecrireFichier(Data, fichier(l));
        QCOMPARE(etapeEchec(b), std::pair(Etape::Ligne, qint64{2}));
        QVERIFY(b.prompts.boites.isEmpty());
        QCOMPARE(nombre(b.db(), u"SELECT COUNT(*) FROM [Journal de saisie]"_s), 0);
        QCOMPARE(b.lireFichier(Data), fichier(l));

        QVERIFY(!b.integrer(l));
        b.verifierEchec(fichier(l), 2);
        QCOMPARE(b.prompts.boites[0].texte,
                 u"Erreur n° : 5\r\nSource : TraiteLigne\r\nDétail : La ligne ne "
                 "porte aucun code de type (« { » absent).\r\nLigne fichier n° : "
                 "2\r\n"_s);
        // The bar and the status stay on the line that failed.
        QCOMPARE(b.feedback.statuts.last(), QString());
        QVERIFY(b.feedback.progressions.last() < 100);
        QVERIFY(Windows1252::decoder(b.lireFichier(u"erreurs.txt"_s))
                    .contains(u"Erreur IntegData\r\nErreur n° : 5\r\n"_s));
    }

    // The line count is no 16-bit counter: the failing line is named whatever its number.
    void plusDeLignesQuUnCompteur16Bits() {
        Base b;
        QList<QByteArray> l(33000, "{EXPZZ}");
        l << ligneFP(42, 1, Jour, "99:00:00", "1");
        QVERIFY(!b.integrer(l));
        b.verifierEchec(fichier(l), 33001);
    }

    // A stop left the work file, and a terminal has written a new data file
    // since. After the commit the work file is only removed, its archive kept
    // (and named, when the stop came before its rename); before it, the
    // provisional archive goes and the lines go in. Either way every line is
    // journaled and archived once.
    void repriseApresUnArret_data() {
        QTest::addColumn<bool>("valide");
        QTest::addColumn<bool>("archiveNommee");
        QTest::newRow("arrêt après la validation") << true << true;
        QTest::newRow("arrêt avant le nom de l'archive") << true << false;
        QTest::newRow("arrêt avant la validation") << false << false;
    }
    void repriseApresUnArret() {
        QFETCH(bool, valide);
        QFETCH(bool, archiveNommee);
        Base b;
        const QList<QByteArray> avant = {ligneFP(42, 1, Jour, "10:00:00", "1"),
                                         ligneFP(42, 2, Jour, "10:00:00", "2")};
        const QList<QByteArray> apres = {ligneFP(42, 3, Jour, "10:05:00", "3")};
        const QDateTime ecrit(QDate(2012, 4, 19), QTime(10, 30));
        const QString provisoire = ArchiveParDefaut + u".en-cours"_s;
        if (valide)
            QVERIFY(b.integrer(avant, ecrit));
        else
            b.ecrireFichier(provisoire, fichier(avant));
        if (!archiveNommee && valide)
            QVERIFY(QFile::rename(b.chemin(ArchiveParDefaut), b.chemin(provisoire)));
        b.horloge.regler(QDateTime(QDate(2012, 4, 19), QTime(14, 0)));
        b.ecrireFichier(Travail, fichier(avant));
        QFile travail(b.chemin(Travail));
        QVERIFY(travail.open(QIODevice::Append));
        QVERIFY(travail.setFileTime(ecrit, QFileDevice::FileModificationTime));
        travail.close();
        b.ecrireFichier(Data, fichier(apres));
        b.prompts.vider();

        QVERIFY(terminal::IntegData(*b.ctx));
        b.verifierTermine();
        // Counted over both files; an integrated file found again adds nothing.
        QCOMPARE(b.feedback.statuts.last(), valide ? u"1 ligne intégrée dans 1 expédition"_s
                                                   : u"3 lignes intégrées dans 1 expédition"_s);
        QCOMPARE(lignes(b.db(), u"SELECT [No Colis] FROM [Journal de saisie] "
                                "ORDER BY 1"_s),
                 (QStringList{u"1"_s, u"2"_s, u"3"_s}));
        QCOMPARE(QDir(b.chemin(u"terminal"_s)).entryList(QDir::Files), QStringList());
        QStringList archives;
        for (const QString& f : QDir(b.chemin(u"archive"_s)).entryList(QDir::Files)) {
            QVERIFY2(f.endsWith(u".txt"_s), qPrintable(f));
            archives << QString::fromLatin1(b.lireFichier(u"archive/"_s + f));
        }
        archives.sort();
        QCOMPARE(archives, (QStringList{QString::fromLatin1(fichier(avant)),
                                        QString::fromLatin1(fichier(apres))}));
        if (valide)
            QCOMPARE(b.lireFichier(ArchiveParDefaut), fichier(avant));
    }

    // Every line end a file may have picked up on its way (CR LF, CR, LF, and
    // none after the last line) ends a line, also where a CR LF straddles two
    // blocks of the reader.
    void findesLignes_data() {
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<int>("nombreLignes");
        const auto joindre = [](const QByteArray& fin, const QByteArray& derniere) {
            QByteArray c;
            for (int i = 1; i <= 3; ++i)
                c += ligneFP(42, i, Jour, "10:00:00", "1") + (i < 3 ? fin : derniere);
            return c;
        };
        QTest::newRow("CR LF") << joindre("\r\n", "\r\n") << 3;
        QTest::newRow("LF") << joindre("\n", "\n") << 3;
        QTest::newRow("CR") << joindre("\r", "\r") << 3;
        QTest::newRow("LF sans fin finale") << joindre("\n", "") << 3;
        QTest::newRow("mélange") << ligneFP(42, 1, Jour, "10:00:00", "1") + "\n" +
                                        ligneFP(42, 2, Jour, "10:00:00", "1") + "\r" +
                                        ligneFP(42, 3, Jour, "10:00:00", "1") + "\r\n" +
                                        ligneFP(42, 4, Jour, "10:00:00", "1")
                                 << 4;
        // A first line of 67 bytes, then lines of 50, each with its CR LF: the
        // CR LF of line 1260 takes bytes 65535 and 65536, across two blocks of
        // the reader.
        QByteArray longues;
        QByteArray lf;
        for (int i = 1; i <= 1400; ++i) {
            const QByteArray l =
                ligneFP(42, 1 + i % 900, Jour, "10:00:00", i == 1 ? "1                 " : "1");
            longues += l + "\r\n";
            lf += l + "\n";
        }
        Q_ASSERT(longues.mid(65535, 2) == "\r\n");
        QTest::newRow("CR LF à cheval sur deux blocs") << longues << 1400;
        QTest::newRow("LF, gros fichier") << lf << 1400;
    }
    void findesLignes() {
        QFETCH(QByteArray, contenu);
        QFETCH(int, nombreLignes);
        Base b;
        b.ecrireFichier(Data, contenu);
        QVERIFY(terminal::IntegData(*b.ctx));
        b.verifierTermine();
        QCOMPARE(nombre(b.db(), u"SELECT COUNT(*) FROM [Journal de saisie]"_s), nombreLignes);
    }
};

int executerTestsIntegration(int argc, char** argv) {
    TestIntegration t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_integration.moc"
