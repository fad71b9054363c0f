// The article and shipment files, byte for byte, with their boxes and feedback.
#include "OutilsTerminal.h"
#include "base/Erreur.h"
#include "base/Windows1252.h"
#include "db/Connexion.h"
#include "terminal/GenFichierArticle.h"
#include "terminal/GenFichierExpedition.h"
#include "terminal/SuiviLignes.h"

#include <QDir>
#include <QTest>

using namespace tarvo;
using namespace Qt::StringLiterals;
using namespace tarvo::test;

namespace {

QByteArray ligneArticle(const QByteArray& code, const QByteArray& libelle) {
    return code.leftJustified(18, ' ', true) + libelle.leftJustified(40, ' ', true) + "\r\n";
}

const QByteArray EnTeteArticle =
    ligneArticle("<Tous>", "Tous les Articles") + ligneArticle("...", "Tous les Articles");

// Files left beside the target by an interrupted write.
QStringList fichiersDuDossier(const BaseDeTest& b) {
    return QDir(b.chemin(u"terminal"_s)).entryList(QDir::Files);
}

} // namespace

class TestFichiers : public QObject {
    Q_OBJECT

private slots:
    void fichierArticle() {
        BaseDeTest b;
        b.creerBase();
        // No article: the two header lines.
        QVERIFY(terminal::GenFichierArticle(*b.ctx));
        QCOMPARE(b.lireFichier(u"terminal/ARTICLE.TXT"_s), EnTeteArticle);
        QCOMPARE(b.feedback.progressions, QList<int>{100});
        b.feedback.progressions.clear();
        b.feedback.statuts.clear();

        Connexion& db = *b.ctx->cnx;
        ajouterArticle(db, u"3760001234567"_s, u"Pull rayé — bleu"_s);
        ajouterArticle(db, u"0012345678901234567890"_s, QString(80, u'L'));
        ajouterArticle(db, u"A1"_s, QVariant());

        QVERIFY(terminal::GenFichierArticle(*b.ctx));
        const QByteArray attendu =
            EnTeteArticle + ligneArticle("001234567890123456", QByteArray(40, 'L')) +
            ligneArticle("3760001234567", "Pull ray\xE9 \x97 bleu") + ligneArticle("A1", "");
        QCOMPARE(b.lireFichier(u"terminal/ARTICLE.TXT"_s), attendu);
        QVERIFY(b.prompts.boites.isEmpty());

        // One status per step of the bar: the line that moved it.
        QStringList statuts = Windows1252::decoder(attendu).split(u"\r\n"_s, Qt::SkipEmptyParts);
        statuts.removeAt(1);
        QCOMPARE(b.feedback.statuts, statuts << QString());
        QCOMPARE(b.feedback.progressions, (QList<int>{0, 33, 67, 100}));
    }

    // Far more articles than a 16-bit counter holds: no failure, every line.
    void fichierArticleSansLimiteDeNombre() {
        BaseDeTest b;
        b.creerBase();
        Connexion& db = *b.ctx->cnx;
        sql(db, u"BEGIN"_s);
        for (int i = 0; i < 40000; ++i)
            ajouterArticle(db, u"%1"_s.arg(i, 13, 10, QChar(u'0')), u"Article %1"_s.arg(i));
        sql(db, u"COMMIT"_s);
        QVERIFY(terminal::GenFichierArticle(*b.ctx));
        const QByteArray contenu = b.lireFichier(u"terminal/ARTICLE.TXT"_s);
        QCOMPARE(contenu.size(), 40002 * 60);
        QVERIFY(contenu.endsWith(ligneArticle("0000000039999", "Article 39999")));
        QVERIFY(b.prompts.boites.isEmpty());
        // The bar follows every percent once, in order.
        QCOMPARE(b.feedback.progressions.size(), 101);
        QVERIFY(b.feedback.statuts.size() <=
                2 + 101 * terminal::SuiviLignes::LignesParPourcentage + 1);
    }

    // A read that fails half-way leaves the previous file whole and no
    // partial file beside it.
    void echecEnCoursGardeLAncienFichier() {
        BaseDeTest b;
        b.creerBase();
        Connexion& db = *b.ctx->cnx;
        b.ecrireFichier(u"terminal/ARTICLE.TXT"_s, "ancien fichier\r\n");
        sql(db, u"ALTER TABLE Article RENAME TO ArticleReel"_s);
        sql(db, u"CREATE TABLE Valeurs (n INTEGER)"_s);
        for (int i = 1; i <= 5; ++i)
            sql(db, u"INSERT INTO Valeurs VALUES (?)"_s, {i});
        // The fourth row raises an error while it is read.
        sql(db, u"CREATE VIEW Article AS SELECT printf('%013d', n) AS "
                "[Code barres Article], CASE WHEN n = 4 THEN "
                "abs(-9223372036854775807 - 1) ELSE 'x' END AS lib_art_couleur "
                "FROM Valeurs"_s);

        QVERIFY(!terminal::GenFichierArticle(*b.ctx));
        QCOMPARE(b.prompts.boites.size(), 1);
        const auto& boite = b.prompts.boites.first();
        QCOMPARE(boite.icone, Prompts::Icone::Critique);
        QCOMPARE(boite.titre, u"Erreur"_s);
        QVERIFY(boite.texte.startsWith(u"Erreur n° : "_s));
        QVERIFY(boite.texte.contains(u"\r\n\r\nSource : SQLite\r\n\r\nDétail : "_s));
        QVERIFY(boite.texte.contains(u"integer overflow"_s));
        QCOMPARE(b.lireFichier(u"terminal/ARTICLE.TXT"_s), QByteArray("ancien fichier\r\n"));
        QCOMPARE(fichiersDuDossier(b), QStringList{u"ARTICLE.TXT"_s});
        QCOMPARE(b.feedback.statuts.last(), QString());
        QCOMPARE(b.feedback.progressions.last(), 100);
    }

    void dossierAbsentOuCheminVide() {
        BaseDeTest b;
        b.creerBase();
        QByteArray ini = iniParDefaut(b.dossier.path());
        ini.replace("terminal/ARTICLE.TXT", "absent/ARTICLE.TXT");
        ini.replace(QByteArray("FichierExpedition=") + b.dossier.path().toUtf8() +
                        "/terminal/EXPEDITION.TXT",
                    "FichierExpedition=");
        b.ecrireIni(ini);

        // The cores raise and show nothing: the boxes are the commands' own.
        terminal::SuiviLignes suivi(b.feedback);
        QVERIFY_THROWS_EXCEPTION(ErreurTarvo, terminal::EcrireFichierArticle(*b.ctx, suivi));
        QVERIFY_THROWS_EXCEPTION(ErreurTarvo, terminal::EcrireFichierExpedition(*b.ctx, suivi));
        QVERIFY(b.prompts.boites.isEmpty());

        QVERIFY(!terminal::GenFichierArticle(*b.ctx));
        QVERIFY(!QFile::exists(b.chemin(u"absent/ARTICLE.TXT"_s)));
        QCOMPARE(b.prompts.boites.size(), 1);
        QVERIFY(b.prompts.boites[0].texte.startsWith(
            u"Erreur n° : 75\r\n\r\nSource : GenFichierArticle\r\n\r\nDétail : "
            "Impossible de créer le fichier "_s));

        QVERIFY(!terminal::GenFichierExpedition(*b.ctx));
        QCOMPARE(b.prompts.boites.size(), 2);
        QCOMPARE(b.prompts.boites[1].texte,
                 u"Erreur n° : 75\r\n\r\nSource : GenFichierExpedition\r\n\r\n"
                 "Détail : Aucun chemin de fichier n'est indiqué (clé "
                 "FichierExpedition de la section [SCANPAL2]).\r\n\r\n"_s);
    }

    void fichierExpedition() {
        BaseDeTest b;
        b.creerBase();
        Connexion& db = *b.ctx->cnx;
        // Only a closed shipment: the file is written, empty.
        b.ecrireFichier(u"terminal/EXPEDITION.TXT"_s, "ancien");
        ajouterExpedition(db, 45, u"Fermée"_s, u"Paris"_s, 1, true);
        QVERIFY(terminal::GenFichierExpedition(*b.ctx));
        QCOMPARE(b.lireFichier(u"terminal/EXPEDITION.TXT"_s), QByteArray());
        b.feedback.progressions.clear();
        b.feedback.statuts.clear();

        ajouterExpedition(db, 42, u"Boutique Étoile"_s, u"Lyon"_s, 2);
        ajouterExpedition(db, 43, u"Un libellé bien plus long que vingt"_s, QVariant(), 0);
        ajouterExpedition(db, 44, QVariant(), u"Nantes"_s, -3);

        QVERIFY(terminal::GenFichierExpedition(*b.ctx));
        const QByteArray etoile = "Boutique \xC9toile     Lyon                ";
        const QByteArray attendu =
            "42                  " + etoile + "\r\n" + "EXP:    42,COLIS:  1" + etoile + "\r\n" +
            "EXP:    42,COLIS:  2" + etoile + "\r\n" +
            "43                  Un libell\xE9 bien plus" + QByteArray(20, ' ') + "\r\n" + "44" +
            QByteArray(38, ' ') + "Nantes              \r\n";
        QCOMPARE(b.lireFichier(u"terminal/EXPEDITION.TXT"_s), attendu);
        QVERIFY(b.prompts.boites.isEmpty());
        QCOMPARE(b.feedback.progressions, (QList<int>{0, 33, 67, 100}));
        QCOMPARE(b.feedback.statuts.size(), 4);
        QCOMPARE(b.feedback.statuts[0], QString::fromLatin1("42                  " + etoile));
        QVERIFY(b.feedback.statuts[1].startsWith(u"43  "_s));
        QCOMPARE(b.feedback.statuts.last(), QString());
    }

    // Numbers that do not fit the parcel identification: the shipment line
    // stays, the parcel lines that would collide are not written, and one box
    // names the shipments.
    void colisHorsIdentification() {
        BaseDeTest b;
        b.creerBase();
        Connexion& db = *b.ctx->cnx;
        ajouterExpedition(db, 7, u"A"_s, u"B"_s, 1001);
        ajouterExpedition(db, 1234567, u"C"_s, u"D"_s, 2);
        ajouterExpedition(db, 1234568, u"E"_s, u"F"_s, 0);

        QVERIFY(terminal::GenFichierExpedition(*b.ctx));
        const QList<QByteArray> lignesFichier =
            b.lireFichier(u"terminal/EXPEDITION.TXT"_s).split('\n');
        QCOMPARE(lignesFichier.size(), 1 + 999 + 1 + 1 + 1);
        QCOMPARE(lignesFichier[999],
                 "EXP:     7,COLIS:999A                   B                   \r");
        QCOMPARE(lignesFichier[1000],
                 "1234567             C                   D                   \r");
        QCOMPARE(lignesFichier[1001],
                 "1234568             E                   F                   \r");
        QCOMPARE(b.prompts.boites.size(), 1);
        const auto& boite = b.prompts.boites.first();
        QCOMPARE(boite.icone, Prompts::Icone::Exclamation);
        QCOMPARE(boite.titre, u"Génération du fichier Expédition"_s);
        QVERIFY(boite.texte.endsWith(
            u"\r\n7 (colis 1000 à 1001)\r\n1234567 (numéro de plus de 6 chiffres : aucun colis)"_s));
    }
};

int executerTestsFichiers(int argc, char** argv) {
    TestFichiers t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_fichiers.moc"
