// The main window's entries of the terminal exchange.
#include "OutilsTerminal.h"
#include "app/Connexion.h"
#include "terminal/ui/BranchementsTerminal.h"
#include "ui/main/FenetrePrincipale.h"

#include <QAction>
#include <QTest>

using namespace tarvo;
using namespace tarvo::test;

class TestBranchements : public QObject {
    Q_OBJECT

private slots:
    void entreesDuMenuEtDeLaBarre() {
        BaseDeTest b;
        b.creerBase();
        ui::FenetrePrincipale fenetre(*b.ctx);
        ui::brancherTerminal(fenetre);
        const QString article = QStringLiteral("Génération du fichier Article");
        const QString expedition = QStringLiteral("Génération du fichier Expédition");

        b.prompts.reponses << false;
        fenetre.action(QStringLiteral("tbFichierArticle"))->trigger();
        QCOMPARE(b.prompts.boites.size(), 1);
        QCOMPARE(b.prompts.boites[0].titre, article);
        QCOMPARE(b.prompts.boites[0].texte,
                 QStringLiteral("Générer le fichier Article pour le SCANPAL 2 ?"));
        QVERIFY(!QFile::exists(b.chemin(QStringLiteral("terminal/ARTICLE.TXT"))));

        b.prompts.vider();
        b.prompts.reponses << true;
        fenetre.action(QStringLiteral("tbFichierArticle"))->trigger();
        QVERIFY(QFile::exists(b.chemin(QStringLiteral("terminal/ARTICLE.TXT"))));
        QCOMPARE(b.prompts.boites.size(), 2);
        QCOMPARE(b.prompts.boites[1].icone, Prompts::Icone::Information);
        QCOMPARE(b.prompts.boites[1].texte, QStringLiteral("Traitement terminé."));

        for (const QString& nom :
             {QStringLiteral("mnuFichierExp"), QStringLiteral("tbFichierExp")}) {
            QFile::remove(b.chemin(QStringLiteral("terminal/EXPEDITION.TXT")));
            b.prompts.vider();
            b.prompts.reponses << true;
            fenetre.action(nom)->trigger();
            QCOMPARE(b.prompts.boites.size(), 2);
            QCOMPARE(b.prompts.boites[0].titre, expedition);
            QCOMPARE(b.prompts.boites[0].texte,
                     QStringLiteral("Générer le fichier Expédition pour le SCANPAL 2 ?"));
            QCOMPARE(b.prompts.boites[1].titre, expedition);
            QVERIFY(QFile::exists(b.chemin(QStringLiteral("terminal/EXPEDITION.TXT"))));
        }

        // No question before the integration; its own boxes only.
        for (const QString& nom : {QStringLiteral("mnuIntegData"), QStringLiteral("tbIntegData")}) {
            b.ecrireFichier(QStringLiteral("terminal/DATA.TXT"), "");
            b.prompts.vider();
            fenetre.action(nom)->trigger();
            QCOMPARE(b.prompts.boites.size(), 1);
            QCOMPARE(b.prompts.boites[0].titre, QStringLiteral("Intégration des lignes"));
        }

        // The browsers come later.
        QVERIFY(!fenetre.action(QStringLiteral("mnuFichierArticle"))->isEnabled());
        QVERIFY(!fenetre.action(QStringLiteral("mnuJournal"))->isEnabled());
    }

    // A file that cannot be written: the question, the error box, and no
    // completion box after it.
    void echecSansTraitementTermine_data() {
        QTest::addColumn<QString>("entree");
        QTest::addColumn<QByteArray>("fichier");
        QTest::newRow("article") << QStringLiteral("tbFichierArticle") << QByteArray("ARTICLE.TXT");
        QTest::newRow("expédition menu")
            << QStringLiteral("mnuFichierExp") << QByteArray("EXPEDITION.TXT");
        QTest::newRow("expédition barre")
            << QStringLiteral("tbFichierExp") << QByteArray("EXPEDITION.TXT");
    }
    void echecSansTraitementTermine() {
        QFETCH(QString, entree);
        QFETCH(QByteArray, fichier);
        BaseDeTest b;
        b.creerBase();
        QByteArray ini = iniParDefaut(b.dossier.path());
        ini.replace("/terminal/" + fichier, "/absent/" + fichier);
        b.ecrireIni(ini);
        ui::FenetrePrincipale fenetre(*b.ctx);
        ui::brancherTerminal(fenetre);
        b.prompts.reponses << true;
        fenetre.action(entree)->trigger();
        QCOMPARE(b.prompts.boites.size(), 2);
        QCOMPARE(b.prompts.boites[1].icone, Prompts::Icone::Critique);
        QCOMPARE(b.prompts.boites[1].titre, QStringLiteral("Erreur"));
    }
};

int executerTestsBranchements(int argc, char** argv) {
    TestBranchements t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_branchements.moc"
