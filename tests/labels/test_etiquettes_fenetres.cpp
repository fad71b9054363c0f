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
using namespace tarvo::test;

namespace {

const QString Ean = QStringLiteral("3760987650014");

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
        SpoolDeTest spool({QStringLiteral("ZEBRA-ART"), QStringLiteral("ZEBRA-EXP")});
        BaseDeTest t;
        t.creerBase(false);
        executer(*t.ctx, QStringLiteral("INSERT INTO Article ([Code barres Article], Libellé, "
                                        "lib_art_couleur) VALUES ('3760987650014', 'Housse', "
                                        "'Housse lin lavé rouge')"));
        etiquettes::ArtEdEtiq fenetre(*t.ctx);
        fenetre.show();
        QVERIFY(QTest::qWaitForWindowActive(&fenetre));
        QCOMPARE(fenetre.windowTitle(),
                 QStringLiteral("Edition des étiquettes code barres article"));
        auto* cbArt = controle<QLineEdit>(&fenetre, "CbArt");
        auto* libArt = controle<QLineEdit>(&fenetre, "LibArt");
        auto* nbEtiq = controle<QLineEdit>(&fenetre, "NbEtiq");
        auto* imprimer = controle<QPushButton>(&fenetre, "BtImprim");
        QCOMPARE(legende(cbArt), QStringLiteral("Code barre :"));
        QCOMPARE(legende(libArt), QStringLiteral("Libellé article :"));
        QCOMPARE(legende(nbEtiq), QStringLiteral("Nombre d'étiquette :"));
        QCOMPARE(imprimer->text(), QStringLiteral("Imprimer étiquette code barres"));
        QCOMPARE(controle<QPushButton>(&fenetre, "BtApercu")->text(), QStringLiteral("Aperçu"));
        QVERIFY(cbArt->text().isEmpty() && libArt->text().isEmpty());

        // A code that names no article keeps the focus and prints nothing.
        remplir(cbArt, QStringLiteral("1234567890123"));
        QTest::keyClick(cbArt, Qt::Key_Return);
        QVERIFY(libArt->text().isEmpty());
        QTRY_VERIFY(cbArt->hasFocus());
        QTest::mouseClick(imprimer, Qt::LeftButton);
        QVERIFY(spool.travaux(QStringLiteral("ZEBRA-ART")).isEmpty());
        QVERIFY(t.prompts.boites.isEmpty());

        // A scanned code ends with Enter: the description shows, the focus
        // goes on.
        remplir(cbArt, Ean);
        QTest::keyClick(cbArt, Qt::Key_Return);
        QCOMPARE(libArt->text(), QStringLiteral("Housse lin lavé rouge"));
        QTRY_VERIFY(nbEtiq->hasFocus());

        remplir(nbEtiq, QStringLiteral("51"));
        t.prompts.reponses.enqueue(true);
        QTest::mouseClick(imprimer, Qt::LeftButton);
        QCOMPARE(t.prompts.boites.size(), 1);
        QCOMPARE(t.prompts.boites[0].texte, QStringLiteral("Voulez-vous imprimer 51 etiquettes ?"));
        const QList<QByteArray> travaux = spool.travaux(QStringLiteral("ZEBRA-ART"));
        QCOMPARE(travaux.size(), 1);
        // The label window prints lib_art_couleur, never Libellé.
        QVERIFY(travaux[0].contains("\"Housse lin lav\xe9 rouge\""));
        QVERIFY(travaux[0].contains("\nP51\n"));
        QVERIFY(t.feedback.statuts.last().startsWith(u"ZEBRA-ART: "));

        // The preview opens its own window with the picture.
        QTest::mouseClick(controle<QPushButton>(&fenetre, "BtApercu"), Qt::LeftButton);
        auto* apercu = fenetre.findChild<QDialog*>(QStringLiteral("ApercuEtiquette"));
        QVERIFY(apercu != nullptr);
        const QPixmap image = controle<QLabel>(apercu, "ImageEtiquette")->pixmap();
        QVERIFY(image.width() >= 10 + 95 * 3);
        QVERIFY(apercu->findChild<QLabel*>(QStringLiteral("Anomalies")) == nullptr);
        apercu->close();

        // A margin the printer cannot use: said once per button, nothing is
        // sent and no picture opens.
        t.ecrireIni(iniParDefaut(t.dossier.path()).replace("MargeGaucheArt=10", "MargeGaucheArt="));
        t.prompts.vider();
        QTest::mouseClick(imprimer, Qt::LeftButton);
        QTest::mouseClick(controle<QPushButton>(&fenetre, "BtApercu"), Qt::LeftButton);
        QCOMPARE(t.prompts.boites.size(), 2);
        for (const auto& boite : t.prompts.boites) {
            QCOMPARE(boite.titre, QStringLiteral("Erreur"));
            QVERIFY(boite.texte.contains(u"(clé MargeGaucheArt de la section [ZEBRA])"));
        }
        QCOMPARE(spool.travaux(QStringLiteral("ZEBRA-ART")).size(), 1);
        QTRY_VERIFY(fenetre.findChild<QDialog*>(QStringLiteral("ApercuEtiquette")) == nullptr);
    }

    void fenetreEtiquettesExpedition() {
        SpoolDeTest spool({QStringLiteral("ZEBRA-ART"), QStringLiteral("ZEBRA-EXP")});
        BaseDeTest t;
        t.creerBase(false);
        executer(*t.ctx, QStringLiteral("INSERT INTO [Expédition] ([No Expédition], [Libellé 1], "
                                        "[Libellé 2], [Nbr colis théorique], [Nbr colis réel]) "
                                        "VALUES (77, 'Hôtel des Alpes', 'Chamonix', 3, 8)"));
        bool vue = false;
        QTimer::singleShot(0, this, [&] {
            QWidget* w = QApplication::activeModalWidget();
            QVERIFY(w != nullptr);
            vue = true;
            QCOMPARE(w->windowTitle(), QStringLiteral("Edition des étiquettes expédition"));
            QCOMPARE(controle<QLineEdit>(w, "NoExp")->text(), QStringLiteral("77"));
            QCOMPARE(legende(controle<QLineEdit>(w, "NoExp")), QStringLiteral("No Expédition :"));
            QCOMPARE(controle<QLineEdit>(w, "Lib1")->text(), QStringLiteral("Hôtel des Alpes"));
            QCOMPARE(legende(controle<QLineEdit>(w, "Lib2")), QStringLiteral("Libellé 2 :"));
            QCOMPARE(controle<QLineEdit>(w, "NbColReel")->text(), QStringLiteral("8"));
            QCOMPARE(legende(controle<QLineEdit>(w, "NbColReel")),
                     QStringLiteral("Nbr colis réel:"));
            QCOMPARE(legende(controle<QLineEdit>(w, "NbColTheo")),
                     QStringLiteral("Nbr colis théorique:"));
            auto* premier = controle<QLineEdit>(w, "NoColis1");
            auto* dernier = controle<QLineEdit>(w, "NoColis2");
            QCOMPARE(legende(premier), QStringLiteral("Etiquette du colis N° :"));
            QCOMPARE(legende(dernier), QStringLiteral("au colis N° :"));
            QCOMPARE(premier->text(), QStringLiteral("1"));
            QCOMPARE(dernier->text(), QStringLiteral("3"));
            auto* imprimer = controle<QPushButton>(w, "BtImprim");
            QCOMPARE(imprimer->text(), QStringLiteral("Imprimer étiquette expédition"));

            // Beyond the theoretical count, even below the real one: refused.
            remplir(dernier, QStringLiteral("4"));
            QTest::mouseClick(imprimer, Qt::LeftButton);
            QCOMPARE(t.prompts.boites.size(), 1);
            QCOMPARE(t.prompts.boites[0].titre, QStringLiteral("Valeur incorrecte"));
            QCOMPARE(t.prompts.boites[0].texte, QStringLiteral("N° de colis incorrect"));
            remplir(premier, QString());
            remplir(dernier, QStringLiteral("3"));
            QTest::mouseClick(imprimer, Qt::LeftButton);
            QCOMPARE(t.prompts.boites.size(), 2);
            QVERIFY(spool.travaux(QStringLiteral("ZEBRA-EXP")).isEmpty());

            remplir(premier, QStringLiteral("2"));
            QTest::mouseClick(imprimer, Qt::LeftButton);
            QCOMPARE(t.prompts.boites.size(), 2);
            QCOMPARE(spool.travaux(QStringLiteral("ZEBRA-EXP")).size(), 2);
            QVERIFY(w->isVisible());

            QTest::mouseClick(controle<QPushButton>(w, "BtApercu"), Qt::LeftButton);
            auto* apercu = w->findChild<QDialog*>(QStringLiteral("ApercuEtiquette"));
            QVERIFY(apercu != nullptr);
            QVERIFY(controle<QLabel>(apercu, "ImageEtiquette")->pixmap().height() >= 610);
            // The test margin of 10 puts the frame 20 dots left of the label.
            QCOMPARE(controle<QLabel>(apercu, "Anomalies")->text(),
                     QStringLiteral("L'étiquette sera coupée : elle déborde à gauche de 20 "
                                    "point(s)."));
            apercu->close();
            qobject_cast<QDialog*>(w)->reject();
        });
        etiquettes::ouvrirEtiquettesExpedition(nullptr, *t.ctx, 77);
        QVERIFY(vue);
        const QList<QByteArray> travaux = spool.travaux(QStringLiteral("ZEBRA-EXP"));
        QCOMPARE(travaux.size(), 2);
        QVERIFY(travaux[0].contains("\"EXP:    77,COLIS:  2\""));
        QVERIFY(travaux[1].contains("\"EXP:    77,COLIS:  3\""));
    }

    void sansNombreDeColisTheoriqueLaFenetreNeSOuvrePas() {
        BaseDeTest t;
        t.creerBase(false);
        executer(*t.ctx, QStringLiteral("INSERT INTO [Expédition] ([No Expédition]) VALUES (5)"));
        etiquettes::ouvrirEtiquettesExpedition(nullptr, *t.ctx, 5);
        QCOMPARE(t.prompts.boites.size(), 1);
        QCOMPARE(t.prompts.boites[0].icone, Prompts::Icone::Exclamation);
        QCOMPARE(t.prompts.boites[0].titre, QStringLiteral("Nombre de colis théorique incorrect"));
        QCOMPARE(t.prompts.boites[0].texte,
                 QStringLiteral("Vous devez définir un nombre de colis théorique différent de "
                                "zéro."));
        QVERIFY(QApplication::topLevelWidgets().size() <= 1);

        // A count typed in the shipment window but not saved yet counts.
        SpoolDeTest spool({QStringLiteral("ZEBRA-EXP")});
        etiquettes::ExpeditionEtiquettes affichee;
        affichee.noExpedition = 5;
        affichee.libelle1 = QStringLiteral("Pas encore enregistré");
        affichee.nbColisTheorique = 2;
        QTimer::singleShot(0, this, [] {
            QWidget* w = QApplication::activeModalWidget();
            QVERIFY(w != nullptr);
            QCOMPARE(controle<QLineEdit>(w, "Lib1")->text(),
                     QStringLiteral("Pas encore enregistré"));
            QCOMPARE(controle<QLineEdit>(w, "NoColis2")->text(), QStringLiteral("2"));
            QTest::mouseClick(controle<QPushButton>(w, "BtImprim"), Qt::LeftButton);
            qobject_cast<QDialog*>(w)->reject();
        });
        etiquettes::ouvrirEtiquettesExpedition(nullptr, *t.ctx, affichee);
        QCOMPARE(t.prompts.boites.size(), 1);
        QCOMPARE(spool.travaux(QStringLiteral("ZEBRA-EXP")).size(), 2);
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
            QCOMPARE(titre, QStringLiteral("Edition des étiquettes code barres article"));
        }
    }
};

QTEST_MAIN(TestEtiquettesFenetres)
#include "test_etiquettes_fenetres.moc"
