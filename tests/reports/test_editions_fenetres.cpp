// The printouts menu of the shipment modification window and the preview.
#include "BaseDeTest.h"
#include "OutilsEditions.h"
#include "reports/ui/ApercuEtat.h"
#include "shipments/ui/ExpModif.h"
#include "ui/main/FenetrePrincipale.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace tarvo;
using namespace tarvo::test;
using tarvo::editions::ApercuEtat;

namespace {

QList<ApercuEtat*> apercus() {
    QList<ApercuEtat*> liste;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* a = qobject_cast<ApercuEtat*>(w); a && a->isVisible())
            liste << a;
    return liste;
}

void fermerApercus() {
    for (ApercuEtat* a : apercus())
        delete a;
}

} // namespace

class TestEditionsFenetres : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { fermerApercus(); }

    // Each entry previews the shipment shown, under its own caption.
    void entreesDuMenu_data() {
        QTest::addColumn<QString>("entree");
        QTest::addColumn<QString>("titre");
        QTest::addColumn<QString>("fichier");
        QTest::newRow("bon") << u"mnuBonExp"_s << u"Bon d'expédition"_s
                             << u"Bon d'expédition 102.pdf"_s;
        QTest::newRow("articles") << u"mnuEdListeArticleExp"_s
                                  << u"Liste des articles de l'expédition"_s
                                  << u"Liste des articles 102.pdf"_s;
        QTest::newRow("codes barre")
            << u"mnuEdEtatControle"_s << u"Liste des articles de l'expédition"_s
            << u"Etat de contrôle codes barre 102.pdf"_s;
        QTest::newRow("contrôle articles")
            << u"mnuEdEtatControleArt"_s << u"Liste des articles de l'expédition"_s
            << u"Etat de contrôle codes article 102.pdf"_s;
        QTest::newRow("colisage") << u"mnuEdListeColisage"_s
                                  << u"Liste de colisage de l'expédition"_s
                                  << u"Liste de colisage 102.pdf"_s;
    }
    void entreesDuMenu() {
        QFETCH(QString, entree);
        QFETCH(QString, titre);
        QFETCH(QString, fichier);
        BaseDeTest t;
        t.creerBase(true);
        ui::FenetrePrincipale principale(*t.ctx);
        QAction* action = principale.action(entree);
        QVERIFY(!action->isEnabled());
        {
            expeditions::ExpModif modif(*t.ctx, &principale);
            QVERIFY(modif.montrerExpedition(102));
            QVERIFY(action->isEnabled());
            action->trigger();
            QCOMPARE(t.prompts.boites.size(), 0);
            const QList<ApercuEtat*> liste = apercus();
            QCOMPARE(liste.size(), 1);
            ApercuEtat* apercu = liste.first();
            QCOMPARE(apercu->windowTitle(), titre);
            QCOMPARE(apercu->findChild<QLabel*>(u"lblPage"_s)->text(), u"Page 1/1"_s);
            QVERIFY(!apercu->vuePage()->pixmap().isNull());
            QVERIFY(apercu->width() >= apercu->vuePage()->width());
            // The file proposed names the report and the shipment.
            QCOMPARE(apercu->document().nomFichier, fichier);
            // Escape closes it, wherever the focus is in it.
            QWidget* cible = apercu->findChild<QWidget*>(u"BtImprimer"_s);
            cible->setFocus();
            QTest::keyClick(cible, Qt::Key_Escape);
            QVERIFY(apercus().isEmpty());
        }
        QVERIFY(!action->isEnabled());
    }

    // No shipment shown: the report diagnostic, and no preview.
    void sansExpedition() {
        BaseDeTest t;
        t.creerBase(false);
        ui::FenetrePrincipale principale(*t.ctx);
        expeditions::ExpModif modif(*t.ctx, &principale);
        principale.action(u"mnuEdListeColisage"_s)->trigger();
        QCOMPARE(t.prompts.boites.size(), 1);
        QVERIFY(t.prompts.boites[0].texte.startsWith(
            u"Problème de connexion lors du calcul de l'état ColisageExp"_s));
        QVERIFY(apercus().isEmpty());
    }

    void navigationEtPdf() {
        BaseDeTest t;
        t.creerBase(true);
        editions::Document d;
        d.titre = u"Essai"_s;
        d.taille = QSizeF(editions::LargeurPage, editions::HauteurPage);
        d.pages.resize(3);
        ApercuEtat* apercu = editions::ouvrirApercu(*t.ctx, d, nullptr);
        QCOMPARE(apercu->pageCourante(), 0);
        QTest::mouseClick(apercu->findChild<QWidget*>(u"BtDerniere"_s), Qt::LeftButton);
        QCOMPARE(apercu->pageCourante(), 2);
        apercu->allerA(7);
        QCOMPARE(apercu->pageCourante(), 2);
        QVERIFY(!apercu->findChild<QWidget*>(u"BtSuivante"_s)->isEnabled());

        QVERIFY(apercu->enregistrerPdf(t.chemin(u"essai.pdf"_s)));
        QVERIFY(t.lireFichier(u"essai.pdf"_s).startsWith("%PDF"));
        // A name given without its extension gets it; one with it keeps it.
        QVERIFY(apercu->enregistrerPdf(t.chemin(u"sans extension"_s)));
        QVERIFY(t.lireFichier(u"sans extension.pdf"_s).startsWith("%PDF"));
        QVERIFY(!QFile::exists(t.chemin(u"sans extension"_s)));
        QVERIFY(apercu->enregistrerPdf(t.chemin(u"MAJUSCULES.PDF"_s)));
        QVERIFY(QFile::exists(t.chemin(u"MAJUSCULES.PDF"_s)));
        QVERIFY(!QFile::exists(t.chemin(u"MAJUSCULES.PDF.pdf"_s)));
        QVERIFY(!apercu->enregistrerPdf(u"/dossier/absent/essai.pdf"_s));
        QCOMPARE(t.prompts.boites.size(), 1);
        QVERIFY(t.prompts.boites[0].texte.contains(u"Impossible d'écrire"_s));

        QTest::mouseClick(apercu->findChild<QPushButton*>(u"BtFermer"_s), Qt::LeftButton);
        QVERIFY(apercus().isEmpty());
    }
};

QTEST_MAIN(TestEditionsFenetres)
#include "test_editions_fenetres.moc"
