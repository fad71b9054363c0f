// The "Outils" entries of the catalogue and the InfoSoc form, offscreen.
#include "ArticlesDeTest.h"
#include "app/Connexion.h"
#include "catalogue/ModeleSociete.h"
#include "catalogue/ui/BranchementsCatalogue.h"
#include "catalogue/ui/InfoSoc.h"
#include "db/Base.h"
#include "ui/main/FenetrePrincipale.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace tarvo;
using namespace tarvo::test;

namespace {

const QString TitreSynchro = QStringLiteral("Mise à jour du fichier Article");

QString nomEnBase(BaseDeTest& b, int rang) {
    db::Base base(b.ctx->cnx.get());
    db::Requete r = base.preparer(db::TexteSql(QStringLiteral(
        "SELECT [Nom société] FROM [Informations société] ORDER BY rowid LIMIT 1 OFFSET :n")));
    r.lier(u":n", rang);
    return r.suivante() ? r.texte(0) : QString();
}

} // namespace

class TestCatalogueFenetres : public QObject {
    Q_OBJECT

    // A form over `lignes` company rows named Société 1, Société 2, …
    struct Formulaire {
        BaseDeTest b;
        std::unique_ptr<catalogue::InfoSoc> fenetre;
        std::unique_ptr<QAbstractItemModelTester> testeur;

        explicit Formulaire(int lignes) {
            b.creerBase();
            for (int i = 1; i <= lignes; ++i)
                executerSql(b, QStringLiteral("INSERT INTO [Informations société] ([Nom société], "
                                              "Ville) VALUES ('Société %1', 'Ville %1')")
                                   .arg(i));
            fenetre = std::make_unique<catalogue::InfoSoc>(*b.ctx);
            testeur = std::make_unique<QAbstractItemModelTester>(
                fenetre->findChild<catalogue::ModeleSociete*>(),
                QAbstractItemModelTester::FailureReportingMode::QtTest);
            fenetre->show();
        }
        template <typename T> T* controle(const QString& nom) const {
            return fenetre->findChild<T*>(nom);
        }
        void cliquer(const QString& nom) const {
            QAbstractButton* bouton = controle<QAbstractButton>(nom);
            QVERIFY2(bouton && bouton->isVisible() && bouton->isEnabled(), qPrintable(nom));
            bouton->click();
        }
        QString statut() const { return controle<QLabel>(QStringLiteral("lblStatus"))->text(); }
        QString nom() const { return controle<QLineEdit>(QStringLiteral("txtChamp0"))->text(); }
        bool visible(const QString& nom) const {
            return controle<QAbstractButton>(nom)->isVisible();
        }
    };

private slots:
    // The question first; "Traitement terminé." only after a run that worked.
    void menuSynchronisation() {
        BaseDeTest b;
        b.creerBase();
        ajouterArticleSage(b, QStringLiteral("R1"), QStringLiteral("Torchon"),
                           QStringLiteral("111"));
        ui::FenetrePrincipale fenetre(*b.ctx);
        ui::brancherCatalogue(fenetre);
        QAction* entree = fenetre.action(QStringLiteral("mnuToolSynchroArticle"));

        b.prompts.reponses << false;
        entree->trigger();
        QCOMPARE(b.prompts.boites.size(), 1);
        QCOMPARE(b.prompts.boites[0].titre, TitreSynchro);
        QCOMPARE(b.prompts.boites[0].texte,
                 QStringLiteral("Lancer la synchronisation du fichier Article avec la Gestion "
                                "Commerciale SAGE ?"));
        QVERIFY(contenuArticle(b).isEmpty());

        b.prompts.vider();
        b.prompts.reponses << true;
        entree->trigger();
        QCOMPARE(contenuArticle(b).size(), 1);
        QCOMPARE(b.prompts.boites.size(), 2);
        QCOMPARE(b.prompts.boites[1].icone, Prompts::Icone::Information);
        QCOMPARE(b.prompts.boites[1].titre, TitreSynchro);
        QCOMPARE(b.prompts.boites[1].texte, QStringLiteral("Traitement terminé."));

        executerSql(b, QStringLiteral("DROP VIEW V_ARTICLE"));
        b.prompts.vider();
        b.prompts.reponses << true;
        entree->trigger();
        QCOMPARE(b.prompts.boites.size(), 2);
        QCOMPARE(b.prompts.boites[1].icone, Prompts::Icone::Critique);
        QCOMPARE(b.prompts.boites[1].titre, QStringLiteral("Erreur"));
    }

    void menuInformationsSociete() {
        BaseDeTest b;
        b.creerBase();
        ui::FenetrePrincipale fenetre(*b.ctx);
        ui::brancherCatalogue(fenetre);
        fenetre.action(QStringLiteral("mnuInfoSoc"))->trigger();
        auto* info =
            qobject_cast<catalogue::InfoSoc*>(fenetre.fenetreOuverte(QStringLiteral("InfoSoc")));
        QVERIFY(info);
        QCOMPARE(info->windowTitle(), QStringLiteral("Informations société"));
    }

    // Browse and edit states, the captions and the position.
    void etats() {
        Formulaire f(1);
        const QList<QLabel*> etiquettes = f.fenetre->findChildren<QLabel*>();
        QStringList legendes;
        for (const QLabel* l : etiquettes)
            if (l->text().endsWith(u':'))
                legendes << l->text();
        QCOMPARE(legendes.size(), 16);
        QCOMPARE(legendes.first(), QStringLiteral("Nom société:"));
        QCOMPARE(legendes.last(), QStringLiteral("Logo:"));
        QCOMPARE(f.controle<QLabel>(QStringLiteral("imgLogo"))->toolTip(),
                 QStringLiteral("Double-cliquez pour modifier le logo"));

        const QStringList parcourir{QStringLiteral("cmdEdit"), QStringLiteral("cmdRefresh"),
                                    QStringLiteral("cmdClose")};
        const QStringList editer{QStringLiteral("cmdUpdate"), QStringLiteral("cmdCancel")};
        const QStringList navigation{QStringLiteral("cmdFirst"), QStringLiteral("cmdPrevious"),
                                     QStringLiteral("cmdNext"), QStringLiteral("cmdLast")};
        const auto verifierEtat = [&](bool edition) {
            for (const QString& n : parcourir)
                QCOMPARE(f.visible(n), !edition);
            for (const QString& n : editer)
                QCOMPARE(f.visible(n), edition);
            for (const QString& n : navigation)
                QCOMPARE(f.controle<QAbstractButton>(n)->isEnabled(), !edition);
            QCOMPARE(f.controle<QLineEdit>(QStringLiteral("txtChamp5"))->isReadOnly(), !edition);
        };
        verifierEtat(false);
        QCOMPARE(f.statut(), QStringLiteral("Record: 1"));
        QCOMPARE(f.nom(), QStringLiteral("Société 1"));
        // One row: next beeps and stays.
        f.cliquer(QStringLiteral("cmdNext"));
        QCOMPARE(f.statut(), QStringLiteral("Record: 1"));

        f.cliquer(QStringLiteral("cmdEdit"));
        verifierEtat(true);
        QCOMPARE(f.statut(), QStringLiteral("Modifier l'enregistrement"));
        // Keys do not move nor close while editing.
        QTest::keyClick(f.controle<QLineEdit>(QStringLiteral("txtChamp0")), Qt::Key_Escape);
        QVERIFY(f.fenetre->isVisible());

        QLineEdit* ville = f.controle<QLineEdit>(QStringLiteral("txtChamp5"));
        ville->selectAll();
        QTest::keyClicks(ville, QStringLiteral("Lyon"));
        f.cliquer(QStringLiteral("cmdCancel"));
        verifierEtat(false);
        QCOMPARE(ville->text(), QStringLiteral("Ville 1"));

        f.cliquer(QStringLiteral("cmdEdit"));
        QLineEdit* nom = f.controle<QLineEdit>(QStringLiteral("txtChamp0"));
        nom->selectAll();
        QTest::keyClicks(nom, QStringLiteral("Linge de maison SA"));
        f.cliquer(QStringLiteral("cmdUpdate"));
        verifierEtat(false);
        QCOMPARE(nomEnBase(f.b, 0), QStringLiteral("Linge de maison SA"));
        QCOMPARE(f.statut(), QStringLiteral("Record: 1"));
        QVERIFY(f.b.prompts.boites.isEmpty());
    }

    // The keys of the browse state, then Escape.
    void clavier_data() {
        QTest::addColumn<int>("touche");
        QTest::addColumn<int>("modificateurs");
        QTest::addColumn<int>("depart");
        QTest::addColumn<int>("arrivee");
        QTest::newRow("bas") << int(Qt::Key_Down) << 0 << 1 << 2;
        QTest::newRow("page suivante") << int(Qt::Key_PageDown) << 0 << 1 << 2;
        QTest::newRow("ctrl bas") << int(Qt::Key_Down) << int(Qt::ControlModifier) << 1 << 3;
        QTest::newRow("haut") << int(Qt::Key_Up) << 0 << 3 << 2;
        QTest::newRow("page précédente") << int(Qt::Key_PageUp) << 0 << 3 << 2;
        QTest::newRow("ctrl haut") << int(Qt::Key_Up) << int(Qt::ControlModifier) << 3 << 1;
        QTest::newRow("fin") << int(Qt::Key_End) << 0 << 1 << 3;
        QTest::newRow("début") << int(Qt::Key_Home) << 0 << 3 << 1;
        QTest::newRow("bas au bout") << int(Qt::Key_Down) << 0 << 3 << 3;
        QTest::newRow("haut au début") << int(Qt::Key_Up) << 0 << 1 << 1;
    }
    void clavier() {
        QFETCH(int, touche);
        QFETCH(int, modificateurs);
        QFETCH(int, depart);
        QFETCH(int, arrivee);
        Formulaire f(3);
        if (depart == 3)
            f.cliquer(QStringLiteral("cmdLast"));
        QCOMPARE(f.statut(), QStringLiteral("Record: %1").arg(depart));
        QTest::keyClick(f.controle<QLineEdit>(QStringLiteral("txtChamp3")),
                        static_cast<Qt::Key>(touche),
                        static_cast<Qt::KeyboardModifiers>(modificateurs));
        QCOMPARE(f.statut(), QStringLiteral("Record: %1").arg(arrivee));
        QCOMPARE(f.nom(), QStringLiteral("Société %1").arg(arrivee));
        QTest::keyClick(f.fenetre.get(), Qt::Key_Escape);
        QVERIFY(!f.fenetre->isVisible());
    }

    // Cancelling returns to the row shown when "Modifier" was pressed.
    void navigationEtAnnulation() {
        Formulaire f(3);
        f.cliquer(QStringLiteral("cmdNext"));
        f.cliquer(QStringLiteral("cmdEdit"));
        f.cliquer(QStringLiteral("cmdCancel"));
        QCOMPARE(f.statut(), QStringLiteral("Record: 2"));
        f.cliquer(QStringLiteral("cmdPrevious"));
        f.cliquer(QStringLiteral("cmdPrevious"));
        QCOMPARE(f.statut(), QStringLiteral("Record: 1"));
        f.cliquer(QStringLiteral("cmdLast"));
        QCOMPARE(f.nom(), QStringLiteral("Société 3"));
        executerSql(f.b, QStringLiteral("DELETE FROM [Informations société] WHERE rowid > 1"));
        f.cliquer(QStringLiteral("cmdRefresh"));
        QCOMPARE(f.statut(), QStringLiteral("Record: 1"));
        f.cliquer(QStringLiteral("cmdLast"));
        QCOMPARE(f.statut(), QStringLiteral("Record: 1"));
    }

    // An empty table: nothing to edit, and a first logo makes the row.
    void tableVide() {
        Formulaire f(0);
        f.cliquer(QStringLiteral("cmdNext"));
        f.cliquer(QStringLiteral("cmdEdit"));
        QCOMPARE(f.b.prompts.boites.size(), 1);
        QCOMPARE(f.b.prompts.boites[0].icone, Prompts::Icone::Aucune);
        QVERIFY(f.visible(QStringLiteral("cmdEdit")));
        QImage img(3, 3, QImage::Format_RGB32);
        img.fill(Qt::blue);
        img.save(f.b.chemin(QStringLiteral("logo.bmp")), "BMP");
        f.b.prompts.fichiers << f.b.chemin(QStringLiteral("logo.bmp"));
        QTest::mouseDClick(f.controle<QLabel>(QStringLiteral("imgLogo")), Qt::LeftButton);
        QCOMPARE(f.statut(), QStringLiteral("Record: 1"));
        QCOMPARE(f.controle<QLabel>(QStringLiteral("imgLogo"))->pixmap().size(), QSize(3, 3));
    }

    // A logo replaced while text changes wait: the logo alone is written at
    // once, the text by "Enregistrer"; the dialog's filter offers the
    // pictures; a refused file changes nothing.
    void logoPendantEdition() {
        Formulaire f(1);
        QImage img(4, 4, QImage::Format_RGB32);
        img.fill(Qt::red);
        img.save(f.b.chemin(QStringLiteral("logo.png")), "PNG");
        const QByteArray octets = f.b.lireFichier(QStringLiteral("logo.png"));
        f.b.ecrireFichier(QStringLiteral("faux.gif"), "pas une image");

        f.cliquer(QStringLiteral("cmdEdit"));
        QLineEdit* nom = f.controle<QLineEdit>(QStringLiteral("txtChamp0"));
        nom->selectAll();
        QTest::keyClicks(nom, QStringLiteral("Nouveau nom"));
        QLabel* logo = f.controle<QLabel>(QStringLiteral("imgLogo"));
        f.b.prompts.fichiers << f.b.chemin(QStringLiteral("faux.gif"))
                             << f.b.chemin(QStringLiteral("logo.png"));
        QTest::mouseDClick(logo, Qt::LeftButton);
        QCOMPARE(f.b.prompts.boites.last().icone, Prompts::Icone::Exclamation);
        QVERIFY(logo->pixmap().isNull());
        QTest::mouseDClick(logo, Qt::LeftButton);
        QCOMPARE(f.b.prompts.boites.last().texte,
                 QStringLiteral("Logo chargé : ") + f.b.chemin(QStringLiteral("logo.png")));
        QCOMPARE(logo->pixmap().size(), QSize(4, 4));
        QCOMPARE(nomEnBase(f.b, 0), QStringLiteral("Société 1"));

        f.cliquer(QStringLiteral("cmdUpdate"));
        QCOMPARE(nomEnBase(f.b, 0), QStringLiteral("Nouveau nom"));
        db::Base base(f.b.ctx->cnx.get());
        db::Requete r =
            base.preparer(db::TexteSql(QStringLiteral("SELECT Logo FROM [Informations société]")));
        QVERIFY(r.suivante());
        QCOMPARE(r.octets(0), octets);
    }
};

QTEST_MAIN(TestCatalogueFenetres)
#include "test_catalogue_fenetres.moc"
