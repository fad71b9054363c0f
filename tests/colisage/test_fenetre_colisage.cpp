// The packing bench's window on the main window: its entries, a scanner
// told from a person at the same keyboard, scans queued while one is
// written or while another workstation writes, the question beyond the
// ordered quantity, and the figures shown.
#include "BaseDeTest.h"
#include "colisage/ui/BranchementsColisage.h"
#include "colisage/ui/FenetreColisage.h"
#include "db/Base.h"
#include "db/Connexion.h"
#include "db/Transaction.h"
#include "ui/main/FenetrePrincipale.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace tarvo;
using namespace tarvo::test;
using namespace Qt::StringLiterals;
using colisage::Verdict;

namespace {

const QString Coussin = u"3760987650014"_s;

void expedition900(BaseDeTest& t) {
    t.creerBase(true);
    script(*t.ctx->cnx,
           u"INSERT INTO [Expédition] ([No Expédition], [Libellé 1], [Nbr colis théorique]) "
           "VALUES (900, 'Essai banc', 2);"
           "INSERT INTO [Liste commandes] ([No Expédition], [No commande SAGE]) "
           "VALUES (900, 'BT900');"
           "INSERT INTO F_DOCLIGNE (DO_Type, DO_Piece, DL_Ligne, AR_Ref, DL_Qte, DL_QtePL) "
           "VALUES (1, 'BT900', 1000, 'COUSS40', 4, 4), (1, 'BT900', 2000, 'TABLIER', 2, 2);"_s);
}

// Keys as the keyboard hands them, each `ecartMs` after the one before, the
// moment carried by the event as a real keyboard's is.
class Clavier {
public:
    void taper(QWidget* champ, const QString& texte, qint64 ecartMs) {
        for (QChar c : texte)
            touche(champ, Qt::Key_unknown, QString(c), ecartMs);
    }
    void entree(QWidget* champ, qint64 ecartMs) { touche(champ, Qt::Key_Return, u"\r"_s, ecartMs); }

private:
    void touche(QWidget* champ, int code, const QString& texte, qint64 ecartMs) {
        moment_ += static_cast<quint64>(ecartMs);
        QKeyEvent appui(QEvent::KeyPress, code, Qt::NoModifier, texte);
        appui.setTimestamp(moment_);
        QApplication::sendEvent(champ, &appui);
    }
    quint64 moment_ = 100000;
};

bool repondue(colisage::FenetreColisage& f) {
    return QTest::qWaitFor([&f] { return !f.occupee(); }, 30000);
}

QString cellule(QWidget* f, const QString& grille, int rang, int colonne) {
    const QTableWidgetItem* c = f->findChild<QTableWidget*>(grille)->item(rang, colonne);
    return c ? c->text() : QString();
}

Verdict verdict(QWidget* f) {
    return static_cast<Verdict>(
        f->findChild<QLabel*>(u"LblReponse"_s)->property("verdict").toInt());
}

} // namespace

class TestFenetreColisage : public QObject {
    Q_OBJECT

private slots:
    // The menu entry and the button open one bench; a person types the
    // shipment, a scanner's code typed into the weight field is a scan and
    // leaves the weight being typed as it was.
    void scannerEtClavier() {
        BaseDeTest t;
        expedition900(t);
        ui::FenetrePrincipale principale(*t.ctx);
        ui::brancherColisage(principale);
        principale.show();
        QVERIFY(QTest::qWaitForWindowExposed(&principale));
        principale.action(u"mnuPosteColisage"_s)->trigger();
        auto* f =
            qobject_cast<colisage::FenetreColisage*>(principale.fenetreOuverte(u"PosteColisage"_s));
        QVERIFY(f);
        QCOMPARE(f->windowTitle(), u"Poste de colisage"_s);
        principale.action(u"tbPosteColisage"_s)->trigger();
        QCOMPARE(principale.findChild<QMdiArea*>()->subWindowList().size(), 1);

        auto* saisie = f->findChild<QLineEdit*>(u"TxtSaisie"_s);
        auto* poids = f->findChild<QLineEdit*>(u"TxtPoids"_s);
        Clavier clavier;
        clavier.taper(saisie, u"900"_s, 180);
        clavier.entree(saisie, 200);
        QVERIFY(repondue(*f));
        QCOMPARE(f->findChild<QLabel*>(u"LblExpedition"_s)->text(),
                 u"Expédition N° 900 — Essai banc"_s);
        QCOMPARE(saisie->text(), QString());

        clavier.taper(poids, u"1,"_s, 250);
        clavier.taper(poids, Coussin.left(1), 600);
        clavier.taper(poids, Coussin.mid(1), 6);
        QCOMPARE(poids->text(), u"1,"_s + Coussin);
        clavier.entree(poids, 6);
        QVERIFY(repondue(*f));
        QCOMPARE(verdict(f), Verdict::Accepte);
        QCOMPARE(poids->text(), u"1,"_s);
        QCOMPARE(nombre(*t.ctx->cnx, u"SELECT SUM([Quantité]) FROM Colisage"
                                     " WHERE [No Expédition] = 900"_s),
                 1);

        clavier.taper(poids, u"5"_s, 300);
        clavier.entree(poids, 400);
        QVERIFY(repondue(*f));
        QCOMPARE(f->findChild<QLabel*>(u"LblReponse"_s)->text(), u"Colis 1 pesé : 1,5 kg."_s);
        QCOMPARE(poids->text(), QString());
        QCOMPARE(f->findChild<QLabel*>(u"LblColis"_s)->text(), u"Colis 1 — 1,5 kg"_s);
        QCOMPARE(cellule(f, u"GrilleColis"_s, 0, 0), Coussin);
        QCOMPARE(cellule(f, u"GrilleColis"_s, 0, 2), u"1"_s);
        QCOMPARE(f->findChild<QTableWidget*>(u"GrilleLignes"_s)->rowCount(), 2);
        QCOMPARE(cellule(f, u"GrilleLignes"_s, 0, 0), Coussin);
        QCOMPARE(
            (QStringList{cellule(f, u"GrilleLignes"_s, 0, 2), cellule(f, u"GrilleLignes"_s, 0, 3),
                         cellule(f, u"GrilleLignes"_s, 0, 4)}),
            (QStringList{u"4"_s, u"1"_s, u"3"_s}));
    }

    // Scans read while one is written wait their turn, none lost; beyond
    // the ordered quantity the packer is asked, and a no writes nothing.
    void fileEtQuestion() {
        BaseDeTest t;
        expedition900(t);
        colisage::FenetreColisage f(*t.ctx);
        f.show();
        f.scanner(u"900"_s);
        for (int i = 0; i < 6; ++i)
            f.scanner(Coussin);
        t.prompts.reponses << true << false;
        QVERIFY(repondue(f));
        QCOMPARE(nombre(*t.ctx->cnx, u"SELECT SUM([Quantité]) FROM Colisage"
                                     " WHERE [No Expédition] = 900"_s),
                 5);
        QCOMPARE(t.prompts.boites.size(), 2);
        QCOMPARE(t.prompts.boites.at(0).titre, u"Poste de colisage"_s);
        QCOMPARE(t.prompts.boites.at(0).texte,
                 u"Quantité dépassée : 4 Housse de coussin lin lavé 40x40 commandé(s), 4 déjà "
                 "colisé(s).\r\nAjouter quand même ?"_s);
        QCOMPARE(verdict(&f), Verdict::QuantiteDepassee);
        QCOMPARE(cellule(&f, u"GrilleLignes"_s, 0, 3), u"5"_s);
        QCOMPARE(cellule(&f, u"GrilleLignes"_s, 0, 4), u"0"_s);

        f.findChild<QPushButton*>(u"BtAnnulerSaisie"_s)->click();
        QVERIFY(repondue(f));
        QCOMPARE(verdict(&f), Verdict::Accepte);
        QCOMPARE(cellule(&f, u"GrilleColis"_s, 0, 2), u"4"_s);
    }
    // Another workstation writing for a while: the window keeps reading the
    // scanner, the scans wait in their order, and every one lands after.
    void scansPendantUneAutreEcriture() {
        BaseDeTest t;
        expedition900(t);
        colisage::FenetreColisage f(*t.ctx);
        f.show();
        Connexion autre(u"AutrePoste"_s);
        autre.ouvrir(t.ctx->cnx->parametres());
        db::Base base(&autre);
        auto ecriture = std::make_unique<db::Transaction>(base);
        f.scanner(u"900"_s);
        f.scanner(Coussin);
        QTest::qWait(300);
        f.scanner(Coussin);
        QVERIFY(f.occupee());
        const auto colises = [&t] {
            return nombre(*t.ctx->cnx, u"SELECT COALESCE(SUM([Quantité]), 0) FROM Colisage"
                                       " WHERE [No Expédition] = 900"_s);
        };
        QCOMPARE(colises(), 0);
        ecriture->valider();
        QVERIFY(repondue(f));
        QCOMPARE(colises(), 2);
        QCOMPARE(verdict(&f), Verdict::Accepte);
        QCOMPARE(cellule(&f, u"GrilleLignes"_s, 0, 4), u"2"_s);
    }
};

QTEST_MAIN(TestFenetreColisage)

#include "test_fenetre_colisage.moc"
