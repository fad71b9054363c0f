// The "Outils" entries of the catalogue and the InfoSoc form, offscreen.
#include "ArticlesDeTest.h"
#include "app/Contexte.h"
#include "app/OuvertureConnexion.h"
#include "catalogue/ModeleSociete.h"
#include "catalogue/Societe.h"
#include "catalogue/ui/BranchementsCatalogue.h"
#include "catalogue/ui/InfoSoc.h"
#include "db/Base.h"
#include "db/Connexion.h"
#include "ui/main/FenetrePrincipale.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace tarvo;
using namespace tarvo::test;
using namespace Qt::StringLiterals;

namespace {

const QString TitreSynchro = u"Mise à jour du fichier Article"_s;

QString nomEnBase(BaseDeTest& b, int rang) {
    db::Base base(b.ctx->cnx.get());
    db::Requete r = base.preparer(db::TexteSql(QStringLiteral(
        "SELECT [Nom société] FROM [Informations société] ORDER BY rowid LIMIT 1 OFFSET :n")));
    r.lier(u":n", rang);
    return r.suivante() ? r.texte(0) : QString();
}

// Notes what the form's fields hold when a question comes up.
class PromptsTemoins : public PromptsScriptes {
public:
    explicit PromptsTemoins(const QWidget*& fenetre) : fenetre_(fenetre) {}
    bool question(Icone icone, const QString& titre, const QString& texte,
                  bool ouiParDefaut) override {
        QStringList textes;
        for (int colonne = 0; colonne < catalogue::ColonneLogo; ++colonne)
            textes << fenetre_->findChild<QLineEdit*>(u"txtChamp%1"_s.arg(colonne))->text();
        champsALaQuestion << textes;
        return PromptsScriptes::question(icone, titre, texte, ouiParDefaut);
    }
    QList<QStringList> champsALaQuestion;

private:
    const QWidget*& fenetre_;
};

QStringList ligneEnBase(BaseDeTest& b, int rang) {
    db::Base base(b.ctx->cnx.get());
    db::Requete r =
        base.preparer(db::TexteSql(u"SELECT [Nom société], Ville, Pays, Téléphone, Fax FROM "
                                   "[Informations société] ORDER BY rowid LIMIT 1 OFFSET :n"_s));
    r.lier(u":n", rang);
    if (!r.suivante())
        return {};
    QStringList textes;
    for (int colonne = 0; colonne < 5; ++colonne)
        textes << (r.estNul(colonne) ? u"NULL"_s : r.texte(colonne));
    return textes;
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
        QString statut() const { return controle<QLabel>(u"lblStatus"_s)->text(); }
        QString nom() const { return controle<QLineEdit>(u"txtChamp0"_s)->text(); }
        bool visible(const QString& nom) const {
            return controle<QAbstractButton>(nom)->isVisible();
        }
    };

private slots:
    // The question first; "Traitement terminé." only after a run that worked.
    // Then the company form's entry.
    void menus() {
        BaseDeTest b;
        b.creerBase();
        ajouterArticleSage(b, u"R1"_s, u"Torchon"_s, u"111"_s);
        ui::FenetrePrincipale fenetre(*b.ctx);
        ui::brancherCatalogue(fenetre);
        QAction* entree = fenetre.action(u"mnuToolSynchroArticle"_s);

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
        QCOMPARE(b.prompts.boites[1].texte,
                 u"Traitement terminé.\r\n\r\nArticles mis à jour : 0\r\nArticles ajoutés : "
                 "1\r\nArticles supprimés : 0\r\nArticles encore utilisés, gardés : 0"_s);

        // An article Sage no longer has, kept by the person: counted apart.
        ajouterArticleTarvo(b, u"999"_s, u"Vieux"_s);
        b.prompts.vider();
        b.prompts.reponses << true << false;
        entree->trigger();
        QCOMPARE(b.prompts.boites.size(), 3);
        QVERIFY2(b.prompts.boites[2].texte.endsWith(
                     u"\r\nArticles supprimés : 0\r\nArticles encore utilisés, gardés : "
                     "0\r\nArticles obsolètes gardés : 1"_s),
                 qPrintable(b.prompts.boites[2].texte));

        executerSql(b, u"DROP VIEW V_ARTICLE"_s);
        b.prompts.vider();
        b.prompts.reponses << true;
        entree->trigger();
        QCOMPARE(b.prompts.boites.size(), 2);
        QCOMPARE(b.prompts.boites[1].icone, Prompts::Icone::Critique);
        QCOMPARE(b.prompts.boites[1].titre, u"Erreur"_s);

        fenetre.action(u"mnuInfoSoc"_s)->trigger();
        auto* info = qobject_cast<catalogue::InfoSoc*>(fenetre.fenetreOuverte(u"InfoSoc"_s));
        QVERIFY(info);
        QCOMPARE(info->windowTitle(), u"Informations société"_s);
    }

    // Browse and edit states, the captions and the position.
    void etats() {
        Formulaire f(3);
        const QList<QLabel*> etiquettes = f.fenetre->findChildren<QLabel*>();
        QStringList legendes;
        for (const QLabel* l : etiquettes)
            if (l->text().endsWith(u':'))
                legendes << l->text();
        QCOMPARE(legendes.size(), 16);
        QCOMPARE(legendes.first(), u"Nom société:"_s);
        QCOMPARE(legendes.last(), u"Logo:"_s);
        QCOMPARE(f.controle<QLabel>(u"imgLogo"_s)->toolTip(),
                 u"Double-cliquez pour modifier le logo"_s);

        const QStringList parcourir{u"cmdEdit"_s, u"cmdRefresh"_s, u"cmdClose"_s};
        const QStringList editer{u"cmdUpdate"_s, u"cmdCancel"_s};
        const QStringList navigation{u"cmdFirst"_s, u"cmdPrevious"_s, u"cmdNext"_s, u"cmdLast"_s};
        const auto verifierEtat = [&](bool edition) {
            for (const QString& n : parcourir)
                QCOMPARE(f.visible(n), !edition);
            for (const QString& n : editer)
                QCOMPARE(f.visible(n), edition);
            for (const QString& n : navigation)
                QCOMPARE(f.controle<QAbstractButton>(n)->isEnabled(), !edition);
            QCOMPARE(f.controle<QLineEdit>(u"txtChamp5"_s)->isReadOnly(), !edition);
        };
        verifierEtat(false);
        QCOMPARE(f.statut(), u"Enregistrement : 1"_s);
        QCOMPARE(f.nom(), u"Société 1"_s);
        f.cliquer(u"cmdNext"_s);

        f.cliquer(u"cmdEdit"_s);
        verifierEtat(true);
        QCOMPARE(f.statut(), u"Modifier l'enregistrement"_s);
        // Keys do not move nor close while editing.
        QTest::keyClick(f.controle<QLineEdit>(u"txtChamp0"_s), Qt::Key_Escape);
        QVERIFY(f.fenetre->isVisible());

        // Cancelling returns to the row shown when "Modifier" was pressed.
        QLineEdit* ville = f.controle<QLineEdit>(u"txtChamp5"_s);
        ville->selectAll();
        QTest::keyClicks(ville, u"Lyon"_s);
        f.cliquer(u"cmdCancel"_s);
        verifierEtat(false);
        QCOMPARE(ville->text(), u"Ville 2"_s);
        QCOMPARE(f.statut(), u"Enregistrement : 2"_s);
        f.cliquer(u"cmdPrevious"_s);
        f.cliquer(u"cmdPrevious"_s);
        QCOMPARE(f.statut(), u"Enregistrement : 1"_s);

        f.cliquer(u"cmdEdit"_s);
        QLineEdit* nom = f.controle<QLineEdit>(u"txtChamp0"_s);
        nom->selectAll();
        QTest::keyClicks(nom, u"Linge de maison SA"_s);
        f.cliquer(u"cmdUpdate"_s);
        verifierEtat(false);
        QCOMPARE(nomEnBase(f.b, 0), u"Linge de maison SA"_s);
        QCOMPARE(f.statut(), u"Enregistrement : 1"_s);
        QVERIFY(f.b.prompts.boites.isEmpty());

        // A save further on stays on its row.
        f.cliquer(u"cmdNext"_s);
        f.cliquer(u"cmdNext"_s);
        f.cliquer(u"cmdEdit"_s);
        nom->selectAll();
        QTest::keyClicks(nom, u"Le troisieme"_s);
        f.cliquer(u"cmdUpdate"_s);
        QCOMPARE(nomEnBase(f.b, 2), u"Le troisieme"_s);
        QCOMPARE(f.statut(), u"Enregistrement : 3"_s);
        QCOMPARE(f.nom(), u"Le troisieme"_s);
        QVERIFY(f.b.prompts.boites.isEmpty());

        // Down to one row: next and last beep and stay.
        f.cliquer(u"cmdLast"_s);
        QCOMPARE(f.nom(), u"Le troisieme"_s);
        executerSql(f.b, u"DELETE FROM [Informations société] WHERE rowid > 1"_s);
        f.cliquer(u"cmdRefresh"_s);
        for (const QString& bouton : {u"cmdNext"_s, u"cmdLast"_s}) {
            f.cliquer(bouton);
            QCOMPARE(f.statut(), u"Enregistrement : 1"_s);
        }
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
            f.cliquer(u"cmdLast"_s);
        QCOMPARE(f.statut(), u"Enregistrement : %1"_s.arg(depart));
        QTest::keyClick(f.controle<QLineEdit>(u"txtChamp3"_s), static_cast<Qt::Key>(touche),
                        static_cast<Qt::KeyboardModifiers>(modificateurs));
        QCOMPARE(f.statut(), u"Enregistrement : %1"_s.arg(arrivee));
        QCOMPARE(f.nom(), u"Société %1"_s.arg(arrivee));
        QTest::keyClick(f.fenetre.get(), Qt::Key_Escape);
        QVERIFY(!f.fenetre->isVisible());
    }

    // Inside the main window, as the person meets it: the keys move, Escape
    // closes the window and its frame, wherever the focus is in the form.
    void clavierDansLaFenetrePrincipale_data() {
        QTest::addColumn<QString>("focus");
        QTest::newRow("champ") << u"txtChamp3"_s;
        QTest::newRow("bouton") << u"cmdEdit"_s;
        QTest::newRow("navigation") << u"cmdLast"_s;
        QTest::newRow("fenêtre") << QString();
    }
    void clavierDansLaFenetrePrincipale() {
        QFETCH(QString, focus);
        BaseDeTest b;
        b.creerBase();
        for (int i = 1; i <= 3; ++i)
            executerSql(b, u"INSERT INTO [Informations société] ([Nom société]) VALUES "
                           "('Société %1')"_s.arg(i));
        ui::FenetrePrincipale fenetre(*b.ctx);
        ui::brancherCatalogue(fenetre);
        fenetre.show();
        QVERIFY(QTest::qWaitForWindowActive(&fenetre));
        fenetre.action(u"mnuInfoSoc"_s)->trigger();
        QPointer<QWidget> info = fenetre.fenetreOuverte(u"InfoSoc"_s);
        QVERIFY(info);
        QPointer<QWidget> cadre = info->parentWidget();
        QWidget* cible = focus.isEmpty() ? info.data() : info->findChild<QWidget*>(focus);
        cible->setFocus();
        QCOMPARE(QApplication::focusWidget(), cible);
        QTest::keyClick(cible, Qt::Key_Down);
        QCOMPARE(info->findChild<QLabel*>(u"lblStatus"_s)->text(), u"Enregistrement : 2"_s);
        QTest::keyClick(cible, Qt::Key_Escape);
        // The form goes, then, queued, its frame.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!info);
        QVERIFY(!cadre);
        QVERIFY(!fenetre.fenetreOuverte(u"InfoSoc"_s));
    }

    // An empty table: nothing to edit, and a first logo makes the row.
    void tableVide() {
        Formulaire f(0);
        f.cliquer(u"cmdNext"_s);
        f.cliquer(u"cmdEdit"_s);
        QCOMPARE(f.b.prompts.boites.size(), 1);
        QCOMPARE(f.b.prompts.boites[0].icone, Prompts::Icone::Aucune);
        QVERIFY(f.visible(u"cmdEdit"_s));
        QImage img(3, 3, QImage::Format_RGB32);
        img.fill(Qt::blue);
        img.save(f.b.chemin(u"logo.bmp"_s), "BMP");
        f.b.prompts.fichiers << f.b.chemin(u"logo.bmp"_s);
        QTest::mouseDClick(f.controle<QLabel>(u"imgLogo"_s), Qt::LeftButton);
        QCOMPARE(f.statut(), u"Enregistrement : 1"_s);
        QCOMPARE(f.controle<QLabel>(u"imgLogo"_s)->pixmap().size(), QSize(3, 3));
    }

    // A logo replaced while text changes wait: the logo alone is written at
    // once, the text by "Enregistrer"; the dialog's filter offers the
    // pictures; a refused file changes nothing.
    void logoPendantEdition() {
        Formulaire f(1);
        QImage img(4, 4, QImage::Format_RGB32);
        img.fill(Qt::red);
        img.save(f.b.chemin(u"logo.png"_s), "PNG");
        const QByteArray octets = f.b.lireFichier(u"logo.png"_s);
        f.b.ecrireFichier(u"faux.gif"_s, "pas une image");
        f.b.ecrireFichier(u"grand.gif"_s, QByteArray());
        QFile grand(f.b.chemin(u"grand.gif"_s));
        QVERIFY(grand.resize(catalogue::TailleMaxLogo + 1));

        f.cliquer(u"cmdEdit"_s);
        QLineEdit* nom = f.controle<QLineEdit>(u"txtChamp0"_s);
        nom->selectAll();
        QTest::keyClicks(nom, u"Nouveau nom"_s);
        QLabel* logo = f.controle<QLabel>(u"imgLogo"_s);
        f.b.prompts.fichiers << grand.fileName() << f.b.chemin(u"faux.gif"_s)
                             << f.b.chemin(u"logo.png"_s);
        // The dialog's file meets the same bounds as tarvoctl's.
        QTest::mouseDClick(logo, Qt::LeftButton);
        QCOMPARE(f.b.prompts.boites.last().icone, Prompts::Icone::Exclamation);
        QVERIFY(
            f.b.prompts.boites.last().texte.contains(grand.fileName() + u" fait 4194305 octets"_s));
        QTest::mouseDClick(logo, Qt::LeftButton);
        QCOMPARE(f.b.prompts.boites.last().icone, Prompts::Icone::Exclamation);
        QVERIFY(logo->pixmap().isNull());
        QTest::mouseDClick(logo, Qt::LeftButton);
        QCOMPARE(f.b.prompts.boites.last().texte, u"Logo chargé : "_s + f.b.chemin(u"logo.png"_s));
        QCOMPARE(logo->pixmap().size(), QSize(4, 4));
        QCOMPARE(nomEnBase(f.b, 0), u"Société 1"_s);

        f.cliquer(u"cmdUpdate"_s);
        QCOMPARE(nomEnBase(f.b, 0), u"Nouveau nom"_s);
        db::Base base(f.b.ctx->cnx.get());
        db::Requete r = base.preparer(db::TexteSql(u"SELECT Logo FROM [Informations société]"_s));
        QVERIFY(r.suivante());
        QCOMPARE(r.octets(0), octets);
    }

    // Another workstation changes the row between "Modifier" and
    // "Enregistrer". The form says so, the edit still on screen, and the
    // person chooses: write the edit over the other's (the fields left alone
    // keep the other's values), or drop it and see the other's row.
    void modificationConcurrente_data() {
        QTest::addColumn<bool>("ecraser");
        QTest::newRow("écraser") << true;
        QTest::newRow("recharger") << false;
    }
    void modificationConcurrente() {
        QFETCH(bool, ecraser);
        BaseDeTest autrePoste;
        autrePoste.creerBase();
        for (int i = 1; i <= 2; ++i)
            executerSql(autrePoste, u"INSERT INTO [Informations société] ([Nom société], Ville, "
                                    "Pays) VALUES ('Société %1', 'Ville %1', 'France')"_s.arg(i));
        const QWidget* vue = nullptr;
        PromptsTemoins prompts(vue);
        Contexte ctx(autrePoste.dossier.path(), prompts, autrePoste.feedback, autrePoste.horloge);
        ctx.modeSecurite = u"INTEG"_s;
        QVERIFY(ConnexionBase(ctx, QString(), QString()));
        catalogue::InfoSoc fenetre(ctx);
        vue = &fenetre;
        fenetre.show();
        const auto champ = [&](int colonne) {
            return fenetre.findChild<QLineEdit*>(u"txtChamp%1"_s.arg(colonne));
        };
        const auto cliquer = [&](const char* nom) {
            QAbstractButton* bouton = fenetre.findChild<QAbstractButton*>(QLatin1StringView(nom));
            QVERIFY(bouton->isVisible() && bouton->isEnabled());
            bouton->click();
        };

        cliquer("cmdNext");
        cliquer("cmdEdit");
        for (const auto& [colonne, texte] : {std::pair(5, u"Lyon"_s), std::pair(7, u"04 00"_s)}) {
            champ(colonne)->selectAll();
            QTest::keyClicks(champ(colonne), texte);
        }
        executerSql(autrePoste, u"UPDATE [Informations société] SET Ville = 'Grenoble', "
                                "Pays = 'Italie' WHERE [Nom société] = 'Société 2'"_s);
        prompts.reponses << ecraser;
        cliquer("cmdUpdate");

        QCOMPARE(prompts.boites.size(), 1);
        QCOMPARE(prompts.boites[0].icone, Prompts::Icone::Question);
        QCOMPARE(prompts.boites[0].texte, catalogue::TexteFicheModifiee);
        QVERIFY(!prompts.boites[0].ouiParDefaut);
        QCOMPARE(prompts.champsALaQuestion.size(), 1);
        const QStringList aLaQuestion = prompts.champsALaQuestion[0];
        QCOMPARE(aLaQuestion.at(0), u"Société 2"_s);
        QCOMPARE(aLaQuestion.at(5), u"Lyon"_s);
        QCOMPARE(aLaQuestion.at(7), u"04 00"_s);
        QCOMPARE(ligneEnBase(autrePoste, 0),
                 QStringList({u"Société 1"_s, u"Ville 1"_s, u"France"_s, u"NULL"_s, u"NULL"_s}));

        // Either way the form is back to browsing, on the same row, showing
        // what the database holds.
        QVERIFY(!fenetre.enEdition());
        QCOMPARE(fenetre.findChild<QLabel*>(u"lblStatus"_s)->text(), u"Enregistrement : 2"_s);
        if (ecraser) {
            QCOMPARE(ligneEnBase(autrePoste, 1),
                     QStringList({u"Société 2"_s, u"Lyon"_s, u"Italie"_s, u"04 00"_s, u"NULL"_s}));
            QCOMPARE(champ(5)->text(), u"Lyon"_s);
            QCOMPARE(champ(6)->text(), u"Italie"_s);
        } else {
            QCOMPARE(ligneEnBase(autrePoste, 1), QStringList({u"Société 2"_s, u"Grenoble"_s,
                                                              u"Italie"_s, u"NULL"_s, u"NULL"_s}));
            QCOMPARE(champ(5)->text(), u"Grenoble"_s);
            QCOMPARE(champ(7)->text(), QString());
        }

        // A save with nobody else's change asks nothing; a field the person
        // left alone keeps its NULL.
        prompts.vider();
        cliquer("cmdEdit");
        champ(0)->selectAll();
        QTest::keyClicks(champ(0), u"Nouveau nom"_s);
        cliquer("cmdUpdate");
        QVERIFY(prompts.boites.isEmpty());
        QCOMPARE(ligneEnBase(autrePoste, 1).at(0), u"Nouveau nom"_s);
        QCOMPARE(ligneEnBase(autrePoste, 1).at(4), u"NULL"_s);
    }

    // The row was deleted meanwhile: nothing can be written over it; the
    // edit stays on screen until "&Annuler".
    void ficheSupprimee() {
        Formulaire f(1);
        f.cliquer(u"cmdEdit"_s);
        QLineEdit* nom = f.controle<QLineEdit>(u"txtChamp0"_s);
        nom->selectAll();
        QTest::keyClicks(nom, u"Nouveau nom"_s);
        executerSql(f.b, u"DELETE FROM [Informations société]"_s);
        f.cliquer(u"cmdUpdate"_s);
        QCOMPARE(f.b.prompts.boites.size(), 1);
        QCOMPARE(f.b.prompts.boites[0].texte, catalogue::TexteFicheSupprimee);
        QVERIFY(f.fenetre->enEdition());
        QCOMPARE(f.nom(), u"Nouveau nom"_s);
        QVERIFY(f.visible(u"cmdCancel"_s));
    }
};

QTEST_MAIN(TestCatalogueFenetres)
#include "test_catalogue_fenetres.moc"
