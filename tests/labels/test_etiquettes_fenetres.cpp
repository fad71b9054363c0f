#include "BaseDeTest.h"
#include "SpoolDeTest.h"
#include "db/Base.h"
#include "labels/ui/ArtEdEtiq.h"
#include "labels/ui/BranchementsEtiquettes.h"
#include "labels/ui/ExpEdEtiq.h"
#include "ui/main/FenetrePrincipale.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace tarvo;
using namespace Qt::StringLiterals;
using namespace tarvo::test;

namespace {

const QString Ean = u"3760987650014"_s;

void executer(Contexte& ctx, const QString& sql) {
    db::Base(ctx.cnx.get()).preparer(db::TexteSql{sql}).executer();
}

template <typename T> T* controle(QWidget* fenetre, const char* nom) {
    T* c = fenetre->findChild<T*>(QString::fromLatin1(nom));
    if (c == nullptr)
        qFatal("Contrôle absent : %s", nom);
    return c;
}

// The caption of a form row, by the field it labels.
QString legende(QWidget* champ) {
    const auto* formulaire = qobject_cast<QFormLayout*>(champ->parentWidget()->layout());
    const auto* etiquette = qobject_cast<QLabel*>(formulaire->labelForField(champ));
    return etiquette != nullptr ? etiquette->text() : QString();
}

void remplir(QLineEdit* champ, const QString& texte) {
    champ->setFocus();
    champ->selectAll();
    champ->clear();
    QTest::keyClicks(champ, texte);
}

} // namespace

class TestEtiquettesFenetres : public QObject {
    Q_OBJECT
private slots:
    void fenetreEtiquettesArticle() {
        SpoolDeTest spool({u"ZEBRA-ART"_s, u"ZEBRA-EXP"_s});
        BaseDeTest t;
        t.creerBase(false);
        executer(*t.ctx, u"INSERT INTO Article ([Code barres Article], Libellé, "
                         "lib_art_couleur) VALUES ('3760987650014', 'Housse', "
                         "'Housse lin lavé rouge')"_s);
        etiquettes::ArtEdEtiq fenetre(*t.ctx);
        fenetre.show();
        QVERIFY(QTest::qWaitForWindowActive(&fenetre));
        QCOMPARE(fenetre.windowTitle(), u"Edition des étiquettes code barres article"_s);
        auto* cbArt = controle<QLineEdit>(&fenetre, "CbArt");
        auto* libArt = controle<QLineEdit>(&fenetre, "LibArt");
        auto* nbEtiq = controle<QLineEdit>(&fenetre, "NbEtiq");
        auto* imprimer = controle<QPushButton>(&fenetre, "BtImprim");
        QCOMPARE(legende(cbArt), u"Code barre :"_s);
        QCOMPARE(legende(libArt), u"Libellé article :"_s);
        QCOMPARE(legende(nbEtiq), u"Nombre d'étiquette :"_s);
        QCOMPARE(imprimer->text(), u"Imprimer étiquette code barres"_s);
        QCOMPARE(controle<QPushButton>(&fenetre, "BtApercu")->text(), u"Aperçu"_s);
        QVERIFY(cbArt->text().isEmpty() && libArt->text().isEmpty());

        // A code that names no article keeps the focus and prints nothing.
        remplir(cbArt, u"1234567890123"_s);
        QTest::keyClick(cbArt, Qt::Key_Return);
        QVERIFY(libArt->text().isEmpty());
        QTRY_VERIFY(cbArt->hasFocus());
        QTest::mouseClick(imprimer, Qt::LeftButton);
        QVERIFY(spool.travaux(u"ZEBRA-ART"_s).isEmpty());
        QVERIFY(t.prompts.boites.isEmpty());

        // A scanned code ends with Enter: the description shows, the focus
        // goes on.
        remplir(cbArt, Ean);
        QTest::keyClick(cbArt, Qt::Key_Return);
        QCOMPARE(libArt->text(), u"Housse lin lavé rouge"_s);
        QTRY_VERIFY(nbEtiq->hasFocus());

        remplir(nbEtiq, u"51"_s);
        t.prompts.reponses.enqueue(true);
        QTest::mouseClick(imprimer, Qt::LeftButton);
        QCOMPARE(t.prompts.boites.size(), 1);
        QCOMPARE(t.prompts.boites[0].texte, u"Voulez-vous imprimer 51 etiquettes ?"_s);
        const QList<QByteArray> travaux = spool.travaux(u"ZEBRA-ART"_s);
        QCOMPARE(travaux.size(), 1);
        // The label window prints lib_art_couleur, never Libellé.
        QVERIFY(travaux[0].contains("\"Housse lin lav\xe9 rouge\""));
        QVERIFY(travaux[0].contains("\nP51\n"));
        QVERIFY(t.feedback.statuts.last().startsWith(u"ZEBRA-ART: "));

        // The preview opens its own window with the picture.
        QTest::mouseClick(controle<QPushButton>(&fenetre, "BtApercu"), Qt::LeftButton);
        auto* apercu = fenetre.findChild<QDialog*>(u"ApercuEtiquette"_s);
        QVERIFY(apercu != nullptr);
        const QPixmap image = controle<QLabel>(apercu, "ImageEtiquette")->pixmap();
        QVERIFY(image.width() >= 10 + 95 * 3);
        QVERIFY(apercu->findChild<QLabel*>(u"Anomalies"_s) == nullptr);
        apercu->close();

        // A margin the printer cannot use: said once per button, nothing is
        // sent and no picture opens.
        t.ecrireIni(iniParDefaut(t.dossier.path()).replace("MargeGaucheArt=10", "MargeGaucheArt="));
        t.prompts.vider();
        QTest::mouseClick(imprimer, Qt::LeftButton);
        QTest::mouseClick(controle<QPushButton>(&fenetre, "BtApercu"), Qt::LeftButton);
        QCOMPARE(t.prompts.boites.size(), 2);
        for (const auto& boite : t.prompts.boites) {
            QCOMPARE(boite.titre, u"Erreur"_s);
            QVERIFY(boite.texte.contains(u"(clé MargeGaucheArt de la section [ZEBRA])"));
        }
        QCOMPARE(spool.travaux(u"ZEBRA-ART"_s).size(), 1);
        QTRY_VERIFY(fenetre.findChild<QDialog*>(u"ApercuEtiquette"_s) == nullptr);
    }

    void fenetreEtiquettesExpedition() {
        SpoolDeTest spool({u"ZEBRA-ART"_s, u"ZEBRA-EXP"_s});
        BaseDeTest t;
        t.creerBase(false);
        executer(*t.ctx, u"INSERT INTO [Expédition] ([No Expédition], [Libellé 1], "
                         "[Libellé 2], [Nbr colis théorique], [Nbr colis réel]) "
                         "VALUES (77, 'Hôtel des Alpes', 'Chamonix', 3, 8)"_s);
        bool vue = false;
        QTimer::singleShot(0, this, [&] {
            QWidget* w = QApplication::activeModalWidget();
            QVERIFY(w != nullptr);
            vue = true;
            QCOMPARE(w->windowTitle(), u"Edition des étiquettes expédition"_s);
            QCOMPARE(controle<QLineEdit>(w, "NoExp")->text(), u"77"_s);
            QCOMPARE(legende(controle<QLineEdit>(w, "NoExp")), u"No Expédition :"_s);
            QCOMPARE(controle<QLineEdit>(w, "Lib1")->text(), u"Hôtel des Alpes"_s);
            QCOMPARE(legende(controle<QLineEdit>(w, "Lib2")), u"Libellé 2 :"_s);
            QCOMPARE(controle<QLineEdit>(w, "NbColReel")->text(), u"8"_s);
            QCOMPARE(legende(controle<QLineEdit>(w, "NbColReel")), u"Nbr colis réel:"_s);
            QCOMPARE(legende(controle<QLineEdit>(w, "NbColTheo")), u"Nbr colis théorique:"_s);
            auto* premier = controle<QLineEdit>(w, "NoColis1");
            auto* dernier = controle<QLineEdit>(w, "NoColis2");
            QCOMPARE(legende(premier), u"Etiquette du colis N° :"_s);
            QCOMPARE(legende(dernier), u"au colis N° :"_s);
            QCOMPARE(premier->text(), u"1"_s);
            QCOMPARE(dernier->text(), u"3"_s);
            auto* imprimer = controle<QPushButton>(w, "BtImprim");
            QCOMPARE(imprimer->text(), u"Imprimer étiquette expédition"_s);

            // Beyond the theoretical count, even below the real one: refused.
            remplir(dernier, u"4"_s);
            QTest::mouseClick(imprimer, Qt::LeftButton);
            QCOMPARE(t.prompts.titresEtTextes(),
                     QStringList{u"Valeur incorrecte|N° de colis incorrect"_s});
            remplir(premier, QString());
            remplir(dernier, u"3"_s);
            QTest::mouseClick(imprimer, Qt::LeftButton);
            QCOMPARE(t.prompts.boites.size(), 2);
            QVERIFY(spool.travaux(u"ZEBRA-EXP"_s).isEmpty());

            remplir(premier, u"2"_s);
            QTest::mouseClick(imprimer, Qt::LeftButton);
            QCOMPARE(t.prompts.boites.size(), 2);
            QCOMPARE(spool.travaux(u"ZEBRA-EXP"_s).size(), 2);
            QVERIFY(w->isVisible());

            QTest::mouseClick(controle<QPushButton>(w, "BtApercu"), Qt::LeftButton);
            auto* apercu = w->findChild<QDialog*>(u"ApercuEtiquette"_s);
            QVERIFY(apercu != nullptr);
            QVERIFY(controle<QLabel>(apercu, "ImageEtiquette")->pixmap().height() >= 610);
            QCOMPARE(controle<QLabel>(apercu, "Legende")->text(),
                     u"Première étiquette sur 2 : colis 2 (les colis 2 à 3 seront imprimés)."_s);
            // The test margin of 10 puts the frame 20 dots left of the label.
            QCOMPARE(controle<QLabel>(apercu, "Anomalies")->text(),
                     u"L'étiquette sera coupée : elle déborde à gauche de 20 "
                     "point(s)."_s);
            apercu->close();
            qobject_cast<QDialog*>(w)->reject();
        });
        etiquettes::ouvrirEtiquettesExpedition(nullptr, *t.ctx, 77);
        QVERIFY(vue);
        const QList<QByteArray> travaux = spool.travaux(u"ZEBRA-EXP"_s);
        QCOMPARE(travaux.size(), 2);
        QVERIFY(travaux[0].contains("\"EXP:    77,COLIS:  2\""));
        QVERIFY(travaux[1].contains("\"EXP:    77,COLIS:  3\""));
    }

    void sansNombreDeColisTheoriqueLaFenetreNeSOuvrePas() {
        BaseDeTest t;
        t.creerBase(false);
        executer(*t.ctx, u"INSERT INTO [Expédition] ([No Expédition]) VALUES (5)"_s);
        etiquettes::ouvrirEtiquettesExpedition(nullptr, *t.ctx, 5);
        QCOMPARE(t.prompts.titresEtTextes(),
                 QStringList{u"Nombre de colis théorique incorrect|Vous devez définir un nombre de "
                             u"colis théorique différent de zéro."_s});
        QCOMPARE(t.prompts.boites[0].icone, Prompts::Icone::Exclamation);
        QVERIFY(QApplication::topLevelWidgets().size() <= 1);

        // A count typed in the shipment window but not saved yet counts.
        SpoolDeTest spool({u"ZEBRA-EXP"_s});
        etiquettes::ExpeditionEtiquettes affichee;
        affichee.noExpedition = 5;
        affichee.libelle1 = u"Pas encore enregistré"_s;
        affichee.nbColisTheorique = 2;
        QTimer::singleShot(0, this, [] {
            QWidget* w = QApplication::activeModalWidget();
            QVERIFY(w != nullptr);
            QCOMPARE(controle<QLineEdit>(w, "Lib1")->text(), u"Pas encore enregistré"_s);
            QCOMPARE(controle<QLineEdit>(w, "NoColis2")->text(), u"2"_s);
            QTest::mouseClick(controle<QPushButton>(w, "BtImprim"), Qt::LeftButton);
            qobject_cast<QDialog*>(w)->reject();
        });
        etiquettes::ouvrirEtiquettesExpedition(nullptr, *t.ctx, affichee);
        QCOMPARE(t.prompts.boites.size(), 1);
        QCOMPARE(spool.travaux(u"ZEBRA-EXP"_s).size(), 2);
    }

    void menuEtBarreOuvrentLaFenetreArticle() {
        BaseDeTest t;
        t.creerBase(false);
        ui::FenetrePrincipale principale(*t.ctx);
        ui::brancherEtiquettes(principale);
        for (const char* nom : {"mnuEditEtiqCodeBarre", "tbEtiqArticle"}) {
            QAction* action = principale.action(QString::fromLatin1(nom));
            QVERIFY(action != nullptr && action->isEnabled());
            QString titre;
            QTimer::singleShot(0, this, [&titre] {
                QWidget* w = QApplication::activeModalWidget();
                if (w == nullptr)
                    return;
                titre = w->windowTitle();
                qobject_cast<QDialog*>(w)->reject();
            });
            action->trigger();
            QCOMPARE(titre, u"Edition des étiquettes code barres article"_s);
        }
    }
};

QTEST_MAIN(TestEtiquettesFenetres)
#include "test_etiquettes_fenetres.moc"
