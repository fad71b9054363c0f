// The main window's entries of the terminal exchange.
#include "OutilsTerminal.h"
#include "db/Connexion.h"
#include "terminal/ui/BranchementsTerminal.h"
#include "ui/main/FenetrePrincipale.h"

#include <QAction>
#include <QTest>

using namespace tarvo;
using namespace tarvo::test;
using namespace Qt::StringLiterals;

class TestBranchements : public QObject {
    Q_OBJECT

private slots:
    void entreesDuMenuEtDeLaBarre() {
        BaseDeTest b;
        b.creerBase();
        ui::FenetrePrincipale fenetre(*b.ctx);
        ui::brancherTerminal(fenetre);
        const QString article = u"Génération du fichier Article"_s;
        const QString expedition = u"Génération du fichier Expédition"_s;

        const QString question = article + u"|Générer le fichier Article pour le SCANPAL 2 ?"_s;
        b.prompts.reponses << false;
        fenetre.action(u"tbFichierArticle"_s)->trigger();
        QCOMPARE(b.prompts.titresEtTextes(), QStringList{question});
        QVERIFY(!QFile::exists(b.chemin(u"terminal/ARTICLE.TXT"_s)));
        b.prompts.reponses << true;
        fenetre.action(u"tbFichierArticle"_s)->trigger();
        QVERIFY(QFile::exists(b.chemin(u"terminal/ARTICLE.TXT"_s)));
        QCOMPARE(b.prompts.titresEtTextes(),
                 (QStringList{question, question, article + u"|Traitement terminé."_s}));
        QCOMPARE(b.prompts.boites[2].icone, Prompts::Icone::Information);

        for (const QString& nom : {u"mnuFichierExp"_s, u"tbFichierExp"_s}) {
            QFile::remove(b.chemin(u"terminal/EXPEDITION.TXT"_s));
            b.prompts.vider();
            b.prompts.reponses << true;
            fenetre.action(nom)->trigger();
            QCOMPARE(
                b.prompts.titresEtTextes(),
                (QStringList{expedition + u"|Générer le fichier Expédition pour le SCANPAL 2 ?"_s,
                             expedition + u"|Traitement terminé."_s}));
            QVERIFY(QFile::exists(b.chemin(u"terminal/EXPEDITION.TXT"_s)));
        }

        // No question before the integration; its own boxes only.
        for (const QString& nom : {u"mnuIntegData"_s, u"tbIntegData"_s}) {
            b.ecrireFichier(u"terminal/DATA.TXT"_s, "");
            b.prompts.vider();
            fenetre.action(nom)->trigger();
            QCOMPARE(b.prompts.boites.size(), 1);
            QCOMPARE(b.prompts.boites[0].titre, u"Intégration des lignes"_s);
        }

        // The browsers come later.
        QVERIFY(!fenetre.action(u"mnuFichierArticle"_s)->isEnabled());
        QVERIFY(!fenetre.action(u"mnuJournal"_s)->isEnabled());
    }

    // A file that cannot be written: the question, the error box, and no
    // completion box after it.
    void echecSansTraitementTermine_data() {
        QTest::addColumn<QString>("entree");
        QTest::addColumn<QByteArray>("fichier");
        QTest::newRow("article") << u"tbFichierArticle"_s << QByteArray("ARTICLE.TXT");
        QTest::newRow("expédition menu") << u"mnuFichierExp"_s << QByteArray("EXPEDITION.TXT");
        QTest::newRow("expédition barre") << u"tbFichierExp"_s << QByteArray("EXPEDITION.TXT");
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
        QCOMPARE(b.prompts.boites[1].titre, u"Erreur"_s);
    }
};

int executerTestsBranchements(int argc, char** argv) {
    TestBranchements t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_branchements.moc"
