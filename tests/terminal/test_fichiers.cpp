// The article and shipment files, byte for byte, with their boxes and feedback.
#include "OutilsTerminal.h"
#include "app/Connexion.h"
#include "app/Erreur.h"
#include "app/Windows1252.h"
#include "terminal/GenFichierArticle.h"
#include "terminal/GenFichierExpedition.h"
#include "terminal/SuiviLignes.h"

#include <QDir>
#include <QTest>

using namespace tarvo;
using namespace tarvo::test;

namespace {

QByteArray ligneArticle(const QByteArray& code, const QByteArray& libelle) {
    return code.leftJustified(18, ' ', true) + libelle.leftJustified(40, ' ', true) + "\r\n";
}

const QByteArray EnTeteArticle =
    ligneArticle("<Tous>", "Tous les Articles") + ligneArticle("...", "Tous les Articles");

// Files left beside the target by an interrupted write.
QStringList fichiersDuDossier(const BaseDeTest& b) {
    return QDir(b.chemin(QStringLiteral("terminal"))).entryList(QDir::Files);
}

} // namespace

class TestFichiers : public QObject {
    Q_OBJECT

private slots:
    void fichierArticle() {
        BaseDeTest b;
        b.creerBase();
        QSqlDatabase db = b.ctx->cnx->base();
        ajouterArticle(db, QStringLiteral("3760001234567"), QStringLiteral("Pull rayé — bleu"));
        ajouterArticle(db, QStringLiteral("0012345678901234567890"), QString(80, u'L'));
        ajouterArticle(db, QStringLiteral("A1"), QVariant());

        QVERIFY(terminal::GenFichierArticle(*b.ctx));
        const QByteArray attendu =
            EnTeteArticle + ligneArticle("001234567890123456", QByteArray(40, 'L')) +
            ligneArticle("3760001234567", "Pull ray\xE9 \x97 bleu") + ligneArticle("A1", "");
        QCOMPARE(b.lireFichier(QStringLiteral("terminal/ARTICLE.TXT")), attendu);
        QVERIFY(b.prompts.boites.isEmpty());

        // One status per step of the bar: the line that moved it.
        QStringList statuts =
            Windows1252::decoder(attendu).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        statuts.removeAt(1);
        QCOMPARE(b.feedback.statuts, statuts << QString());
        QCOMPARE(b.feedback.progressions, (QList<int>{0, 33, 67, 100}));
    }

    void fichierArticleSansArticle() {
        BaseDeTest b;
        b.creerBase();
        QVERIFY(terminal::GenFichierArticle(*b.ctx));
        QCOMPARE(b.lireFichier(QStringLiteral("terminal/ARTICLE.TXT")), EnTeteArticle);
        QCOMPARE(b.feedback.progressions, QList<int>{100});
    }

    // Far more articles than a 16-bit counter holds: no failure, every line.
    void fichierArticleSansLimiteDeNombre() {
        BaseDeTest b;
        b.creerBase();
        QSqlDatabase db = b.ctx->cnx->base();
        QVERIFY(db.transaction());
        for (int i = 0; i < 40000; ++i)
            ajouterArticle(db, QStringLiteral("%1").arg(i, 13, 10, QChar(u'0')),
                           QStringLiteral("Article %1").arg(i));
        QVERIFY(db.commit());
        QVERIFY(terminal::GenFichierArticle(*b.ctx));
        const QByteArray contenu = b.lireFichier(QStringLiteral("terminal/ARTICLE.TXT"));
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
        QSqlDatabase db = b.ctx->cnx->base();
        b.ecrireFichier(QStringLiteral("terminal/ARTICLE.TXT"), "ancien fichier\r\n");
        sql(db, QStringLiteral("ALTER TABLE Article RENAME TO ArticleReel"));
        sql(db, QStringLiteral("CREATE TABLE Valeurs (n INTEGER)"));
        for (int i = 1; i <= 5; ++i)
            sql(db, QStringLiteral("INSERT INTO Valeurs VALUES (?)"), {i});
        // The fourth row raises an error while it is read.
        sql(db, QStringLiteral("CREATE VIEW Article AS SELECT printf('%013d', n) AS "
                               "[Code barres Article], CASE WHEN n = 4 THEN "
                               "abs(-9223372036854775807 - 1) ELSE 'x' END AS lib_art_couleur "
                               "FROM Valeurs"));

        QVERIFY(!terminal::GenFichierArticle(*b.ctx));
        QCOMPARE(b.prompts.boites.size(), 1);
        const auto& boite = b.prompts.boites.first();
        QCOMPARE(boite.icone, Prompts::Icone::Critique);
        QCOMPARE(boite.titre, QStringLiteral("Erreur"));
        QVERIFY(boite.texte.startsWith(QStringLiteral("Erreur n° : ")));
        QVERIFY(boite.texte.contains(QStringLiteral("\r\n\r\nSource : SQLite\r\n\r\nDétail : ")));
        QVERIFY(boite.texte.contains(QStringLiteral("integer overflow")));
        QCOMPARE(b.lireFichier(QStringLiteral("terminal/ARTICLE.TXT")),
                 QByteArray("ancien fichier\r\n"));
        QCOMPARE(fichiersDuDossier(b), QStringList{QStringLiteral("ARTICLE.TXT")});
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
        QVERIFY(!QFile::exists(b.chemin(QStringLiteral("absent/ARTICLE.TXT"))));
        QCOMPARE(b.prompts.boites.size(), 1);
        QVERIFY(b.prompts.boites[0].texte.startsWith(
            QStringLiteral("Erreur n° : 75\r\n\r\nSource : GenFichierArticle\r\n\r\nDétail : "
                           "Impossible de créer le fichier ")));

        QVERIFY(!terminal::GenFichierExpedition(*b.ctx));
        QCOMPARE(b.prompts.boites.size(), 2);
        QCOMPARE(b.prompts.boites[1].texte,
                 QStringLiteral("Erreur n° : 75\r\n\r\nSource : GenFichierExpedition\r\n\r\n"
                                "Détail : Aucun chemin de fichier n'est indiqué (clé "
                                "FichierExpedition de la section [SCANPAL2]).\r\n\r\n"));
    }

    void fichierExpedition() {
        BaseDeTest b;
        b.creerBase();
        QSqlDatabase db = b.ctx->cnx->base();
        ajouterExpedition(db, 42, QStringLiteral("Boutique Étoile"), QStringLiteral("Lyon"), 2);
        ajouterExpedition(db, 43, QStringLiteral("Un libellé bien plus long que vingt"), QVariant(),
                          0);
        ajouterExpedition(db, 44, QVariant(), QStringLiteral("Nantes"), -3);
        ajouterExpedition(db, 45, QStringLiteral("Fermée"), QStringLiteral("Paris"), 1, true);

        QVERIFY(terminal::GenFichierExpedition(*b.ctx));
        const QByteArray etoile = "Boutique \xC9toile     Lyon                ";
        const QByteArray attendu =
            "42                  " + etoile + "\r\n" + "EXP:    42,COLIS:  1" + etoile + "\r\n" +
            "EXP:    42,COLIS:  2" + etoile + "\r\n" +
            "43                  Un libell\xE9 bien plus" + QByteArray(20, ' ') + "\r\n" + "44" +
            QByteArray(38, ' ') + "Nantes              \r\n";
        QCOMPARE(b.lireFichier(QStringLiteral("terminal/EXPEDITION.TXT")), attendu);
        QVERIFY(b.prompts.boites.isEmpty());
        QCOMPARE(b.feedback.progressions, (QList<int>{0, 33, 67, 100}));
        QCOMPARE(b.feedback.statuts.size(), 4);
        QCOMPARE(b.feedback.statuts[0], QString::fromLatin1("42                  " + etoile));
        QVERIFY(b.feedback.statuts[1].startsWith(QStringLiteral("43  ")));
        QCOMPARE(b.feedback.statuts.last(), QString());
    }

    // Numbers that do not fit the parcel identification: the shipment line
    // stays, the parcel lines that would collide are not written, and one box
    // names the shipments.
    void colisHorsIdentification() {
        BaseDeTest b;
        b.creerBase();
        QSqlDatabase db = b.ctx->cnx->base();
        ajouterExpedition(db, 7, QStringLiteral("A"), QStringLiteral("B"), 1001);
        ajouterExpedition(db, 1234567, QStringLiteral("C"), QStringLiteral("D"), 2);
        ajouterExpedition(db, 1234568, QStringLiteral("E"), QStringLiteral("F"), 0);

        QVERIFY(terminal::GenFichierExpedition(*b.ctx));
        const QList<QByteArray> lignesFichier =
            b.lireFichier(QStringLiteral("terminal/EXPEDITION.TXT")).split('\n');
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
        QCOMPARE(boite.titre, QStringLiteral("Génération du fichier Expédition"));
        QVERIFY(boite.texte.endsWith(QStringLiteral(
            "\r\n7 (colis 1000 à 1001)\r\n1234567 (numéro de plus de 6 chiffres : aucun colis)")));
    }

    void aucuneExpeditionOuverte() {
        BaseDeTest b;
        b.creerBase();
        b.ecrireFichier(QStringLiteral("terminal/EXPEDITION.TXT"), "ancien");
        ajouterExpedition(b.ctx->cnx->base(), 1, QStringLiteral("A"), QStringLiteral("B"), 1, true);
        QVERIFY(terminal::GenFichierExpedition(*b.ctx));
        QVERIFY(QFile::exists(b.chemin(QStringLiteral("terminal/EXPEDITION.TXT"))));
        QCOMPARE(b.lireFichier(QStringLiteral("terminal/EXPEDITION.TXT")), QByteArray());
    }
};

int executerTestsFichiers(int argc, char** argv) {
    TestFichiers t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_fichiers.moc"
