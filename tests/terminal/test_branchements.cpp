// The main window's entries of the terminal exchange.
#include "OutilsTerminal.h"
#include "db/Connexion.h"
#include "db/Verrou.h"
#include "terminal/IntegData.h"
#include "terminal/ui/BranchementsTerminal.h"
#include "ui/main/FenetrePrincipale.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
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
            // It runs off the window's thread.
            QVERIFY(QTest::qWaitFor([&] { return !fenetre.commandeDeFondEnCours(); }, 20000));
            QCOMPARE(b.prompts.boites.size(), 1);
            QCOMPARE(b.prompts.boites[0].titre, u"Intégration des lignes"_s);
        }

        // The browsers come later.
        QVERIFY(!fenetre.action(u"mnuFichierArticle"_s)->isEnabled());
        QVERIFY(!fenetre.action(u"mnuJournal"_s)->isEnabled());
    }

    // The integration runs off the window's thread: the window answers while
    // it waits for another workstation's run, « Annuler » stops it with
    // nothing committed and the file kept for the next run, which then
    // integrates it; one run at a time.
    void integrationHorsDeLaFenetre() {
        BaseDeTest b;
        b.creerBase(true);
        ajouterExpedition(*b.ctx->cnx, 900, u"Essai"_s, QVariant(), 1);
        ui::FenetrePrincipale fenetre(*b.ctx);
        ui::brancherTerminal(fenetre);
        const QList<QByteArray> lignes{
            ligneXA(900, 1, "2012-04-19", "10:00:00", "3760987650014", 3),
            ligneXA(900, 1, "2012-04-19", "10:01:00", "3760987650021", 1)};
        ecrireData(b, lignes, QDateTime(QDate(2012, 4, 19), QTime(9, 0)));
        const QString data = b.chemin(u"terminal/DATA.TXT"_s);
        const auto journal = [&b] {
            return nombre(*b.ctx->cnx, u"SELECT COUNT(*) FROM [Journal de saisie]"_s);
        };
        const auto finie = [&fenetre] {
            return QTest::qWaitFor([&] { return !fenetre.commandeDeFondEnCours(); }, 20000);
        };

        const qint64 avant = journal();
        Connexion autre(u"AutrePoste"_s);
        autre.ouvrir(b.ctx->cnx->parametres());
        auto verrou = db::Verrou::essayer(autre, terminal::NomVerrouIntegration);
        QVERIFY(verrou);
        auto* annuler = fenetre.findChild<QPushButton*>(u"BtAnnulerFond"_s);
        QVERIFY(annuler->isHidden());
        fenetre.action(u"tbIntegData"_s)->trigger();
        QVERIFY(fenetre.commandeDeFondEnCours());
        QVERIFY(!annuler->isHidden());
        fenetre.action(u"mnuIntegData"_s)->trigger();
        QCOMPARE(b.prompts.titresEtTextes(),
                 QStringList{u"Intégration des lignes|Une intégration est déjà en cours."_s});
        auto* statut = fenetre.findChild<QLabel*>(u"panneauStatut"_s);
        QVERIFY(QTest::qWaitFor(
            [&] { return statut->text() == u"Une autre intégration est en cours : attente…"_s; },
            20000));
        QTest::mouseClick(annuler, Qt::LeftButton);
        QVERIFY(finie());
        QVERIFY(annuler->isHidden());
        QCOMPARE(b.prompts.boites.size(), 2);
        QCOMPARE(b.prompts.boites.last().texte,
                 u"Intégration annulée : rien n'en a été enregistré ; le fichier de données "
                 "attend la prochaine intégration."_s);
        QCOMPARE(journal(), avant);
        QVERIFY(QFile::exists(data));
        QVERIFY(!QFile::exists(b.chemin(u"erreurs.txt"_s)));

        verrou.reset();
        fenetre.action(u"tbIntegData"_s)->trigger();
        QVERIFY(finie());
        QCOMPARE(b.prompts.boites.last().titre, u"Intégration des lignes"_s);
        QCOMPARE(journal(), avant + lignes.size());
        QVERIFY(!QFile::exists(data));
        QVERIFY(b.feedback.statuts.contains(u"2 lignes intégrées dans 1 expédition"_s));
    }

    // A stop asked before the first line: nothing committed, the file back
    // under its name.
    void arretAvantLaValidation() {
        BaseDeTest b;
        b.creerBase(true);
        ecrireData(b, {ligneXA(1, 1, "2012-04-19", "10:00:00", "3760987650014", 3)},
                   QDateTime(QDate(2012, 4, 19), QTime(9, 0)));
        const QString compte = u"SELECT COUNT(*) FROM [Journal de saisie]"_s;
        const qint64 avant = nombre(*b.ctx->cnx, compte);
        std::stop_source arret;
        arret.request_stop();
        terminal::ReglagesIntegration reglages;
        reglages.arret = arret.get_token();
        try {
            terminal::IntegrerFichierData(*b.ctx, reglages);
            QFAIL("l'intégration arrêtée s'est terminée");
        } catch (const terminal::ErreurIntegration& e) {
            QCOMPARE(e.erreur().numero, NumeroErreur::Annulation);
        }
        QCOMPARE(nombre(*b.ctx->cnx, compte), avant);
        QVERIFY(QFile::exists(b.chemin(u"terminal/DATA.TXT"_s)));
        QCOMPARE(terminal::IntegrerFichierData(*b.ctx).issue,
                 terminal::ResultatIntegration::Issue::Integre);
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
