// The trial integration: it reports what a run would do and changes nothing.
#include "OutilsTerminal.h"
#include "Tarvoctl.h"
#include "base/Windows1252.h"
#include "db/Connexion.h"
#include "terminal/EssaiIntegration.h"
#include "terminal/IntegData.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

using namespace tarvo;
using namespace tarvo::test;
using namespace Qt::StringLiterals;

namespace {

const QString Data = u"terminal/DATA.TXT"_s;
const QByteArray Jour = "2012-04-19";
const QStringList Tables = {u"[Journal de saisie]"_s, u"Colis"_s, u"Colisage"_s,
                            u"tarvo_integration"_s};

struct Base : BaseDeTest {
    Base() {
        creerBase();
        ajouterExpedition(db(), 42, u"Boutique"_s, u"Lyon"_s, 3);
        ajouterExpedition(db(), 43, u"Fermée"_s, u"Paris"_s, 1, true);
    }
    Connexion& db() const { return *ctx->cnx; }
    // Everything an integration may touch: the tables, and the files and
    // their times.
    QStringList etat() const {
        QStringList e;
        for (const QString& t : Tables)
            e << lignes(db(), u"SELECT * FROM "_s + t);
        for (const QString& sous : {u"terminal"_s, u"archive"_s})
            for (const QFileInfo& f : QDir(chemin(sous)).entryInfoList(QDir::Files))
                e << f.fileName() + u'|' + QString::number(f.size()) + u'|' +
                         f.lastModified().toString(Qt::ISODateWithMs) + u'|' +
                         QString::fromLatin1(lireFichier(sous + u'/' + f.fileName()).toHex());
        return e;
    }
};

} // namespace

class TestEssai : public QObject {
    Q_OBJECT

private slots:
    // The report matches what the real run then does, and the trial itself
    // leaves the tables, the data file and the archive folder as they were.
    void rapporteSansRienChanger() {
        Base b;
        b.ecrireFichier(Data, fichier({
                                  ligneFA(42, 1, Jour, "10:00:00", "3760001234567", 2),
                                  ligneFA(42, 1, Jour, "10:01:00", "3760001234567", 1),
                                  // Not newer than the row the line above leaves.
                                  ligneFA(42, 1, Jour, "10:00:30", "3760001234567", 5),
                                  ligneFP(42, 2, Jour, "10:02:00", "12.5"),
                                  ligneXA(43, 1, Jour, "10:03:00", "3760001234567", 1),
                              }));
        const QStringList avant = b.etat();
        QVERIFY(terminal::VerifData(*b.ctx, 0));
        QCOMPARE(b.etat(), avant);
        QCOMPARE(b.prompts.boites.size(), 1);
        QCOMPARE(b.prompts.boites[0].icone, Prompts::Icone::Information);
        QCOMPARE(b.prompts.boites[0].titre, u"Vérification des données"_s);
        const QString texte = b.prompts.boites[0].texte;
        QVERIFY2(texte.contains(u"5 lignes lues."_s), qPrintable(texte));
        QVERIFY2(texte.contains(u"Expédition 42 : 4 lignes, 2 colis créés, 2 quantités "
                                "modifiées, 1 poids modifié, 1 saisie ignorée (pas plus récente "
                                "que la ligne)."_s),
                 qPrintable(texte));
        QVERIFY2(texte.contains(u"Expédition 43 : 1 ligne, 0 colis créé, 0 quantité modifiée, "
                                "0 poids modifié, 1 saisie ignorée (expédition clôturée ou "
                                "inconnue)."_s),
                 qPrintable(texte));
        QVERIFY(texte.endsWith(u"Aucune ligne en erreur : l'intégration peut être lancée."_s));

        QVERIFY(terminal::IntegData(*b.ctx));
        QCOMPARE(nombre(b.db(), u"SELECT COUNT(*) FROM Colis"_s), 2);
        QCOMPARE(lignes(b.db(), u"SELECT Quantité FROM Colisage"_s), QStringList{u"3"_s});
        QCOMPARE(lignes(b.db(), u"SELECT [Poids colis] FROM Colis WHERE [No Colis] = 2"_s),
                 QStringList{u"12.5"_s});
    }

    // Every failing line is named, not only the first; tarvoctl prints the
    // whole report and says by its status that the run would fail.
    void nommeChaqueLigneEnErreur() {
        Base b;
        const QList<QByteArray> l = {ligneFA(42, 1, Jour, "10:00:00", "3760001234567", 2),
                                     ligneFA(42, 1, "2012-13-45", "10:00:00", "3760001234567", 2),
                                     "{EXPFA}"};
        b.ecrireFichier(Data, fichier(l));
        const QStringList avant = b.etat();
        const ResultatTarvoctl r =
            lancerTarvoctl({u"--dir"_s, b.chemin(QString()), u"integration"_s, u"--essai"_s});
        QCOMPARE(r.statut, 1);
        const QString rapport = r.sortie + r.erreurs;
        QVERIFY2(rapport.contains(u"Ligne 2 de "_s) && rapport.contains(u"Ligne 3 de "_s),
                 qPrintable(rapport));
        QVERIFY(!rapport.contains(u"Ligne 1 de "_s));
        QCOMPARE(b.etat(), avant);
    }

    // A line that looks wrong goes in as the terminals' rules read it: the
    // check names each such line and still lets the run go, and the run's
    // end box counts them, detailed in erreurs.txt.
    void avertitSansBloquer() {
        Base b;
        ajouterArticle(b.db(), u"3760001234567"_s, u"Plaid"_s);
        QByteArray enPartie = ligneFA(42, 1, Jour, "10:00:00", "3760001234567", 1);
        enPartie.replace(55, 3, " 1x");
        b.ecrireFichier(Data, fichier({
                                  ligneFP(42, 1, Jour, "10:02:00", "2-5"),
                                  enPartie,
                                  ligneFA(42, 2, Jour, "10:01:00", "3760001234567", -1),
                                  ligneFA(42, 2, Jour, "10:03:00", "9999999999999", 1),
                                  ligneXA(43, 1, Jour, "10:03:00", "3760001234567", 1),
                                  ligneFA(99, 1, Jour, "10:04:00", "3760001234567", 1),
                                  ligneFA(42, 3, Jour, "10:05:00", "3760001234567", 2),
                                  ligneSA(42, "  3", Jour, "10:06:00", "<Tous>", 0),
                              }));
        QVERIFY(terminal::VerifData(*b.ctx, 0));
        QCOMPARE(b.prompts.boites[0].icone, Prompts::Icone::Information);
        const QString texte = b.prompts.boites[0].texte;
        QVERIFY2(texte.contains(u"Avertissements pour "_s +
                                QDir::toNativeSeparators(b.chemin(Data)) +
                                u" (ces lignes seraient intégrées telles que lues) :\r\n"
                                "Ligne 1 : poids du colis « 2-5 » lu 2\r\n"
                                "Ligne 2 : quantité «  1x » lu 1\r\n"
                                "Ligne 3 : quantité négative «  -1 »\r\n"
                                "Ligne 4 : code-barres « 9999999999999 » absent de la table des "
                                "articles\r\n"
                                "Ligne 5 : expédition N° 43 clôturée : saisie seulement "
                                "journalisée\r\n"
                                "Ligne 6 : expédition N° 99 inconnue : saisie seulement "
                                "journalisée\r\n"
                                "Aucune ligne en erreur : l'intégration peut être lancée."_s),
                 qPrintable(texte));

        b.prompts.vider();
        QVERIFY(terminal::IntegData(*b.ctx));
        QVERIFY2(b.prompts.boites[0].texte.contains(u"6 avertissements sur les lignes intégrées"_s),
                 qPrintable(b.prompts.boites[0].texte));
        QVERIFY(Windows1252::decoder(b.lireFichier(u"erreurs.txt"_s))
                    .contains(u"Ligne 6 : expédition N° 99 inconnue"_s));
        QCOMPARE(lignes(b.db(), u"SELECT [Poids colis] FROM Colis WHERE [No Colis] = 1"_s),
                 QStringList{u"2"_s});
    }

    void sansFichier() {
        Base b;
        QVERIFY(!terminal::VerifData(*b.ctx, 0));
        QCOMPARE(b.prompts.boites.size(), 1);
        QCOMPARE(b.prompts.boites[0].texte, u"Aucun fichier de données disponible.\r\n["_s +
                                                QDir::toNativeSeparators(b.chemin(Data)) + u']');
    }
};

int executerTestsEssai(int argc, char** argv) {
    TestEssai t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_essai.moc"
