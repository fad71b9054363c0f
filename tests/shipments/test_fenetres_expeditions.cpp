#include "BaseDeTest.h"
#include "DonneesExpeditions.h"
#include "shipments/ListesExpeditions.h"
#include "shipments/ui/BranchementsExpeditions.h"
#include "shipments/ui/ChoixDate.h"
#include "shipments/ui/ExpAddCde.h"
#include "shipments/ui/ExpModif.h"
#include "shipments/ui/ExpNewAuto.h"
#include "shipments/ui/ExpNewManuel.h"
#include "shipments/ui/ListeRapport.h"
#include "ui/main/FenetrePrincipale.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QCheckBox>
#include <QFont>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace tarvo;
using namespace tarvo::test;
using namespace tarvo::expeditions;
using ui::FenetrePrincipale;

namespace {

void monde(BaseDeTest& t) {
    t.creerBase(false);
    Contexte& c = *t.ctx;
    ajouterClient(c, QStringLiteral("CA"), QStringLiteral("Alpha"));
    ajouterClient(c, QStringLiteral("CB"), QStringLiteral("Bravo"));
    ajouterLieu(c, 1, QStringLiteral("CA"), QStringLiteral("Alpha Annecy"),
                QStringLiteral("Annecy"));
    ajouterLieu(c, 2, QStringLiteral("CA"), QStringLiteral("Alpha Lyon"), QStringLiteral("Lyon"));
    ajouterLieu(c, 3, QStringLiteral("CB"), QStringLiteral("Bravo Paris"), QStringLiteral("Paris"));
    // Dates chosen so that their texts sort unlike the dates themselves.
    ajouterCommande(c, QStringLiteral("BC1"), QStringLiteral("CA"), 1, QStringLiteral("R1"),
                    QStringLiteral("2012-01-15 00:00:00"));
    ajouterCommande(c, QStringLiteral("BC2"), QStringLiteral("CA"), 1, QStringLiteral("R2"),
                    QStringLiteral("2012-02-01 00:00:00"));
    ajouterCommande(c, QStringLiteral("BC3"), QStringLiteral("CA"), 2);
    ajouterCommande(c, QStringLiteral("BC4"), QStringLiteral("CB"), 3);
    ajouterCommande(c, QStringLiteral("BC5"), QStringLiteral("CB"), 3);
}

template <typename T> T* controle(QWidget* fenetre, const QString& nom) {
    T* w = fenetre->findChild<T*>(nom);
    if (!w)
        qFatal("Contrôle introuvable : %s", qPrintable(nom));
    return w;
}

ListeRapport* liste(QWidget* fenetre, const QString& nom) {
    return controle<ListeRapport>(fenetre, nom);
}

QStringList colonne(ListeRapport* l, int c = 0) {
    QStringList textes;
    for (int r = 0; r < l->nombreLignes(); ++r)
        textes << l->texte(r, c);
    return textes;
}

void cocher(ListeRapport* l, const QString& texte) {
    const int r = static_cast<int>(colonne(l).indexOf(texte));
    QVERIFY2(r >= 0, qPrintable(texte));
    l->model()->setData(l->model()->index(r, 0), Qt::Checked, Qt::CheckStateRole);
}

void cliquerLigne(ListeRapport* l, int r) {
    const QModelIndex i = l->model()->index(r, 1);
    l->scrollTo(i);
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualRect(i).center());
}

void cliquerEntete(ListeRapport* l, int c) {
    QHeaderView* h = l->header();
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                      QPoint(h->sectionViewportPosition(c) + 5, h->height() / 2));
}

void montrer(QWidget* w) {
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
}

// A list of the windows and its loader.
struct Liste {
    const char* nom;
    QList<db::Colonne> colonnes;
    bool casesACocher;
    std::function<db::JeuEnregistrements(Contexte&)> charger;
};

QList<Liste> listes() {
    return {
        {"ListeCde automatique", ColonnesListeCde(), true,
         [](Contexte& c) { return ChargeListCde(c); }},
        {"ListeCde d'un lieu", ColonnesListeCde(), true,
         [](Contexte& c) { return ChargeListCde(c, LieuLivraison{1}); }},
        {"ListeCde d'une expédition", ColonnesListeCde(), true,
         [](Contexte& c) { return ChargeListCde(c, NumeroExpedition{102}); }},
        {"ListeClient", ColonnesListeClient(), false,
         [](Contexte& c) { return ChargeListClient(c); }},
        {"ListeExp", ColonnesListeExp(), false, [](Contexte& c) { return ChargeListExp(c, true); }},
    };
}

// Each row's texts, mark and check mark under its key.
QMap<QString, QStringList> lignesParCle(const ModeleRapport& m) {
    QMap<QString, QStringList> lignes;
    for (int r = 0; r < m.rowCount(); ++r) {
        QStringList ligne;
        for (int c = 0; c < m.columnCount(); ++c)
            ligne << m.index(r, c).data().toString();
        ligne << QString::number(m.index(r, 0).data(Qt::FontRole).value<QFont>().bold())
              << QString::number(m.coche(r));
        lignes.insert(m.index(r, 0).data(db::ModeleEnregistrements::RoleCle).toString(), ligne);
    }
    return lignes;
}

// A write of a shipment window that the database refuses.
struct Refus {
    const char* nom;
    // When the test's trigger refuses the write, e.g. "BEFORE DELETE ON Expédition".
    const char* quand;
    std::function<void(BaseDeTest&, QObject*)> agir;
};

void cliquer(QWidget* fenetre, const char* bouton) {
    controle<QPushButton>(fenetre, QString::fromLatin1(bouton))->click();
}

QList<Refus> refus() {
    const auto modif = [](const std::function<void(BaseDeTest&, ExpModif&)>& agir) {
        return [agir](BaseDeTest& t, QObject*) {
            ExpModif f(*t.ctx, nullptr);
            montrer(&f);
            agir(t, f);
        };
    };
    return {
        {"création manuelle", "BEFORE INSERT ON [Liste commandes]",
         [](BaseDeTest& t, QObject*) {
             ExpNewManuel f(*t.ctx);
             montrer(&f);
             cocher(liste(&f, QStringLiteral("ListeCde")), QStringLiteral("BC1"));
             cliquer(&f, "BtCreerExp");
         }},
        {"ajout de commande", "BEFORE INSERT ON [Liste commandes]",
         [](BaseDeTest& t, QObject* test) {
             ExpModif f(*t.ctx, nullptr);
             montrer(&f);
             QTimer::singleShot(0, test, [] {
                 QWidget* ajout = QApplication::activeModalWidget();
                 QVERIFY(ajout);
                 cocher(liste(ajout, QStringLiteral("ListeCde")), QStringLiteral("BC1"));
                 cliquer(ajout, "BtAjCde");
                 ajout->close();
             });
             cliquer(&f, "BtAjCde");
         }},
        {"suppression de commande", "BEFORE DELETE ON [Liste commandes]",
         modif([](BaseDeTest& t, ExpModif& f) {
             cocher(liste(&f, QStringLiteral("ListeCde")), QStringLiteral("X"));
             t.prompts.reponses.enqueue(true);
             cliquer(&f, "BtSupCde");
         })},
        {"suppression d'expédition", "BEFORE DELETE ON Expédition",
         modif([](BaseDeTest& t, ExpModif& f) {
             t.prompts.reponses.enqueue(true);
             cliquer(&f, "BtSupExp");
         })},
        {"enregistrement", "BEFORE UPDATE ON Expédition", modif([](BaseDeTest&, ExpModif& f) {
             controle<QLineEdit>(&f, QStringLiteral("Lib1"))->setText(QStringLiteral("Nouveau"));
             cliquer(&f, "EnrModifExp");
         })},
    };
}

} // namespace

class TestFenetresExpeditions : public QObject {
    Q_OBJECT
private slots:
    void modelesDesListesTriesEtRecharges_data() {
        QTest::addColumn<int>("rang");
        const QList<Liste> toutes = listes();
        for (int rang = 0; rang < toutes.size(); ++rang)
            QTest::newRow(toutes.at(rang).nom) << rang;
    }

    // On the demonstration data, through every sort and a reload, the model
    // keeps to the rules of item models and each row keeps its key.
    void modelesDesListesTriesEtRecharges() {
        QFETCH(int, rang);
        const Liste liste = listes().at(rang);
        BaseDeTest t;
        t.creerBase(true);
        ModeleRapport modele(liste.colonnes, liste.casesACocher);
        QAbstractItemModelTester testeur(&modele,
                                         QAbstractItemModelTester::FailureReportingMode::QtTest);
        modele.remplir(liste.charger(*t.ctx));
        QVERIFY(modele.rowCount() > 1);
        if (liste.casesACocher)
            QVERIFY(modele.setData(modele.index(1, 0), Qt::Checked, Qt::CheckStateRole));
        const QMap<QString, QStringList> lignes = lignesParCle(modele);
        QCOMPARE(lignes.size(), modele.rowCount());
        for (int colonne = 0; colonne < modele.columnCount(); ++colonne) {
            for (const Qt::SortOrder ordre : {Qt::DescendingOrder, Qt::AscendingOrder}) {
                modele.sort(colonne, ordre);
                QCOMPARE(lignesParCle(modele), lignes);
            }
        }
        // A reload keeps the last sort.
        const auto colonneTriee = [&modele] {
            QStringList textes;
            for (int r = 0; r < modele.rowCount(); ++r)
                textes << modele.index(r, modele.colonneTri()).data().toString();
            return textes;
        };
        modele.sort(0, Qt::DescendingOrder);
        const QStringList triee = colonneTriee();
        modele.remplir(liste.charger(*t.ctx));
        QCOMPARE(colonneTriee(), triee);
    }

    // Nothing holds a list to seven columns; a header click sorts the cells'
    // texts, numbers included, as these lists always have.
    void listeLargeTrieeParTexte() {
        QList<db::Colonne> colonnes;
        for (int c = 0; c < 8; ++c)
            colonnes << db::Colonne{QStringLiteral("Texte %1").arg(c), db::Genre::Texte};
        colonnes << db::Colonne{QStringLiteral("Nombre"), db::Genre::Nombre};
        db::JeuEnregistrements jeu(colonnes);
        for (const int n : {10, 9, 2})
            jeu.ajouter({QStringLiteral("L%1").arg(n), {}, {}, {}, {}, {}, {}, {}, n}, n);
        ListeRapport l(QStringLiteral("Large"), colonnes, false, true);
        l.remplir(jeu);
        montrer(&l);
        QCOMPARE(l.model()->columnCount(), 9);
        QCOMPARE(l.model()->headerData(8, Qt::Horizontal).toString(), QStringLiteral("Nombre"));
        QCOMPARE(l.texte(0, 8), QStringLiteral("10"));
        cliquerEntete(&l, 8);
        cliquerEntete(&l, 8);
        QCOMPARE(colonne(&l, 8),
                 QStringList({QStringLiteral("10"), QStringLiteral("2"), QStringLiteral("9")}));
        QCOMPARE(l.cle(2).toInt(), 9);
    }

    void automatiqueCreationEtTriParEntete() {
        BaseDeTest t;
        monde(t);
        ExpNewAuto f(*t.ctx);
        montrer(&f);
        QCOMPARE(f.windowTitle(), QStringLiteral("Création des expéditions (Mode automatique)"));
        ListeRapport* cde = liste(&f, QStringLiteral("ListeCde"));
        QCOMPARE(cde->model()->headerData(6, Qt::Horizontal).toString(), QStringLiteral("Pays"));
        QCOMPARE(colonne(cde),
                 QStringList({QStringLiteral("BC1"), QStringLiteral("BC2"), QStringLiteral("BC3"),
                              QStringLiteral("BC4"), QStringLiteral("BC5")}));

        // First click: descending; the next click on any header: ascending. The
        // current row and the check marks follow their orders.
        cde->choisirLigne(2);
        cocher(cde, QStringLiteral("BC3"));
        cliquerEntete(cde, 1);
        QCOMPARE(cde->texte(cde->ligneCourante()), QStringLiteral("BC3"));
        QCOMPARE(cde->clesCochees(), QStringList{QStringLiteral("BC3")});
        cde->model()->setData(cde->model()->index(cde->ligneCourante(), 0), Qt::Unchecked,
                              Qt::CheckStateRole);
        QCOMPARE(colonne(cde, 1).first(), QStringLiteral("REF"));
        QCOMPARE(colonne(cde, 1).last(), QStringLiteral("R1"));
        cliquerEntete(cde, 2);
        QCOMPARE(cde->ordreTri(), Qt::AscendingOrder);
        // Dates sort as text: the first of February before the fifteenth of January.
        QVERIFY(colonne(cde).indexOf(QStringLiteral("BC2")) <
                colonne(cde).indexOf(QStringLiteral("BC1")));

        cocher(cde, QStringLiteral("BC4"));
        cocher(cde, QStringLiteral("BC5"));
        controle<QPushButton>(&f, QStringLiteral("BtCreerExp"))->click();
        QCOMPARE(t.prompts.boites.size(), 1);
        QCOMPARE(t.prompts.boites.first().titre,
                 QStringLiteral("Création d'expédition mode automatique"));
        QCOMPARE(t.prompts.boites.first().texte, QStringLiteral("Traitement terminé"));
        QCOMPARE(compter(*t.ctx, QStringLiteral("Expédition")), 2);
        QCOMPARE(cde->nombreLignes(), 3);
        QVERIFY(cde->clesCochees().isEmpty());

        // Nothing checked: nothing created, the box all the same.
        controle<QPushButton>(&f, QStringLiteral("BtCreerExp"))->click();
        QCOMPARE(t.prompts.boites.size(), 2);
        QCOMPARE(compter(*t.ctx, QStringLiteral("Expédition")), 2);

        // A failure on BC3, last of the list: the box names the shipments
        // already created, in list order, and never says the work is done.
        executerSql(*t.ctx, QStringLiteral("CREATE TRIGGER refus BEFORE INSERT ON "
                                           "[Liste commandes] WHEN NEW.[No commande SAGE] = "
                                           "'BC3' BEGIN SELECT RAISE(ABORT, 'refus'); END"));
        cde->model()->sort(0, Qt::AscendingOrder);
        for (const QString& commande : colonne(cde))
            cocher(cde, commande);
        t.prompts.vider();
        controle<QPushButton>(&f, QStringLiteral("BtCreerExp"))->click();
        QCOMPARE(t.prompts.boites.size(), 1);
        QCOMPARE(t.prompts.boites.first().titre, QStringLiteral("Erreur"));
        QString faites = QStringLiteral("Avant l'erreur, ces expéditions ont été créées et "
                                        "enregistrées :");
        for (const QString& commande : {QStringLiteral("BC1"), QStringLiteral("BC2")})
            faites += QStringLiteral("\r\nN° %1 : commande %2")
                          .arg(valeurSql(*t.ctx,
                                         QStringLiteral("SELECT [No Expédition] FROM "
                                                        "[Liste commandes] WHERE "
                                                        "[No commande SAGE] = ?"),
                                         {commande})
                                   .toString(),
                               commande);
        QVERIFY2(t.prompts.boites.first().texte.contains(faites),
                 qPrintable(t.prompts.boites.first().texte));
        QCOMPARE(colonne(cde), QStringList{QStringLiteral("BC3")});
    }

    void manuelDernierClientEtCochesOubliees() {
        BaseDeTest t;
        monde(t);
        ExpNewManuel f(*t.ctx);
        montrer(&f);
        ListeRapport* clients = liste(&f, QStringLiteral("ListeClient"));
        ListeRapport* cde = liste(&f, QStringLiteral("ListeCde"));
        QCOMPARE(colonne(clients, 2),
                 QStringList({QStringLiteral("Alpha Annecy"), QStringLiteral("Alpha Lyon"),
                              QStringLiteral("Bravo Paris")}));
        QCOMPARE(clients->ligneCourante(), 0);
        QCOMPARE(colonne(cde), QStringList({QStringLiteral("BC1"), QStringLiteral("BC2")}));

        // Another customer row: its orders, unchecked.
        cocher(cde, QStringLiteral("BC1"));
        cliquerLigne(clients, 2);
        QCOMPARE(colonne(cde), QStringList({QStringLiteral("BC4"), QStringLiteral("BC5")}));
        cliquerLigne(clients, 0);
        QVERIFY(cde->clesCochees().isEmpty());

        // The arrow keys move to another customer row: its orders follow.
        QTest::keyClick(clients, Qt::Key_Down);
        QCOMPARE(colonne(cde), QStringList{QStringLiteral("BC3")});
        QTest::keyClick(clients, Qt::Key_Down);
        QCOMPARE(clients->ligneCourante(), 2);

        // A creation from the last row that empties it: the new last row is shown.
        cocher(cde, QStringLiteral("BC4"));
        cocher(cde, QStringLiteral("BC5"));
        controle<QPushButton>(&f, QStringLiteral("BtCreerExp"))->click();
        QCOMPARE(t.prompts.boites.last().titre,
                 QStringLiteral("Création d'expédition mode manuel"));
        QCOMPARE(compter(*t.ctx, QStringLiteral("Expédition"),
                         QStringLiteral("[No lieu livraison] = 3")),
                 1);
        QCOMPARE(compter(*t.ctx, QStringLiteral("[Liste commandes]")), 2);
        QCOMPARE(clients->nombreLignes(), 2);
        QCOMPARE(clients->ligneCourante(), 1);
        QCOMPARE(colonne(cde), QStringList{QStringLiteral("BC3")});
    }

    void modificationDetailEnregistrementEtCloture() {
        BaseDeTest t;
        monde(t);
        Contexte& c = *t.ctx;
        const int ouverte = ajouterExpedition(c, QStringLiteral("Ouverte"),
                                              QStringLiteral("2012-04-10 08:00:00"), {}, 1);
        const int close =
            ajouterExpedition(c, QStringLiteral("Close"), QStringLiteral("2012-04-11 08:00:00"),
                              QStringLiteral("2012-04-18 00:00:00"), 3);
        executerSql(c,
                    QStringLiteral("INSERT INTO [Liste commandes] ([No Expédition], "
                                   "[No commande SAGE], [No lieu livraison]) VALUES (?, 'BC1', 1)"),
                    {ouverte});
        ExpModif f(c, nullptr);
        montrer(&f);
        ListeRapport* exp = liste(&f, QStringLiteral("ListeExp"));
        QCOMPARE(colonne(exp), QStringList{QString::number(ouverte)});
        QCOMPARE(controle<QLineEdit>(&f, QStringLiteral("NoExp"))->text(),
                 QString::number(ouverte));
        QCOMPARE(colonne(liste(&f, QStringLiteral("ListeCde"))),
                 QStringList{QStringLiteral("BC1")});
        QVERIFY(!controle<QWidget>(&f, QStringLiteral("CacheDate"))->isHidden());

        // Closed shipments appear with the check box, in red bold.
        controle<QCheckBox>(&f, QStringLiteral("AffClot"))->click();
        QCOMPARE(exp->nombreLignes(), 2);
        const QModelIndex rouge = exp->model()->index(1, 3);
        QCOMPARE(rouge.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(255, 0, 0));
        QVERIFY(rouge.data(Qt::FontRole).value<QFont>().bold());
        QVERIFY(!exp->model()->index(0, 0).data(Qt::FontRole).value<QFont>().bold());
        cliquerLigne(exp, 1);
        QCOMPARE(f.rsExp()->noExpedition, close);
        QVERIFY(controle<QWidget>(&f, QStringLiteral("CacheDate"))->isHidden());
        QVERIFY(controle<QPlainTextEdit>(&f, QStringLiteral("Livraison"))
                    ->toPlainText()
                    .startsWith(QStringLiteral("Bravo Paris\n1 rue du Port\n\n74000 Paris")));

        // Reopen with new labels and a bad weight: refused, nothing written.
        controle<QLineEdit>(&f, QStringLiteral("Lib1"))->setText(QStringLiteral("Rouverte"));
        controle<QCheckBox>(&f, QStringLiteral("DateClotCoche"))->click();
        QVERIFY(!controle<QWidget>(&f, QStringLiteral("CacheDate"))->isHidden());
        controle<QLineEdit>(&f, QStringLiteral("Volume"))->setText(QStringLiteral("un peu"));
        controle<QPushButton>(&f, QStringLiteral("EnrModifExp"))->click();
        QCOMPARE(t.prompts.boites.size(), 1);
        QCOMPARE(t.prompts.boites.first().titre, QStringLiteral("Modification des expéditions"));
        QVERIFY(t.prompts.boites.first().texte.contains(QStringLiteral("« Volume »")));
        QCOMPARE(compter(c, QStringLiteral("Expédition"), QStringLiteral("[Date cloture] IS NULL")),
                 1);
        controle<QLineEdit>(&f, QStringLiteral("Volume"))->setText(QStringLiteral("0,25"));
        controle<QPushButton>(&f, QStringLiteral("EnrModifExp"))->click();
        QCOMPARE(t.prompts.boites.size(), 1);
        QCOMPARE(compter(c, QStringLiteral("Expédition"), QStringLiteral("[Date cloture] IS NULL")),
                 2);
        // The labels change at once, the closing date at the next reload.
        QCOMPARE(exp->texte(1, 1), QStringLiteral("Rouverte"));
        QVERIFY(!exp->texte(1, 4).isEmpty());
        controle<QPushButton>(&f, QStringLiteral("BtActualiser"))->click();
        QVERIFY(exp->texte(1, 4).isEmpty());

        // Closing it again from the picker.
        cliquerLigne(exp, 1);
        controle<QCheckBox>(&f, QStringLiteral("DateClotCoche"))->click();
        controle<QPushButton>(&f, QStringLiteral("EnrModifExp"))->click();
        QCOMPARE(valeurSql(c,
                           QStringLiteral("SELECT [Date cloture] FROM Expédition WHERE "
                                          "[No Expédition] = ?"),
                           {close})
                     .toString(),
                 QStringLiteral("2012-04-19 13:42:25"));

        // Changed meanwhile on another workstation: the box, nothing written.
        executerSql(c, QStringLiteral("UPDATE Expédition SET Tare = 9 WHERE [No Expédition] = ?"),
                    {close});
        controle<QLineEdit>(&f, QStringLiteral("Lib1"))->setText(QStringLiteral("Perdu"));
        controle<QPushButton>(&f, QStringLiteral("EnrModifExp"))->click();
        QCOMPARE(t.prompts.boites.size(), 2);
        QCOMPARE(t.prompts.boites.last().titre, QStringLiteral("Modification des expéditions"));
        QCOMPARE(t.prompts.boites.last().texte,
                 QStringLiteral("L'expédition N° %1 a été modifiée ou supprimée sur un autre "
                                "poste depuis son affichage : vos modifications n'ont pas été "
                                "enregistrées.\r\n\r\nAffichez-la de nouveau pour voir son "
                                "état actuel.")
                     .arg(close));
        QCOMPARE(exp->texte(1, 1), QStringLiteral("Rouverte"));
    }

    void suppressionsEtPositionGardee() {
        BaseDeTest t;
        monde(t);
        Contexte& c = *t.ctx;
        QList<int> numeros;
        for (int i = 0; i < 3; ++i)
            numeros << ajouterExpedition(c, QStringLiteral("E%1").arg(i),
                                         QStringLiteral("2012-04-1%1 08:00:00").arg(i), {}, 1);
        const QString attacher = QStringLiteral(
            "INSERT INTO [Liste commandes] ([No Expédition], [No commande SAGE]) VALUES (?, ?)");
        executerSql(c, attacher, {numeros.at(1), QStringLiteral("BC1")});
        executerSql(c, attacher, {numeros.at(1), QStringLiteral("BC2")});
        executerSql(c, attacher, {numeros.at(2), QStringLiteral("BC1")});

        ExpModif f(c, nullptr);
        montrer(&f);
        ListeRapport* exp = liste(&f, QStringLiteral("ListeExp"));
        ListeRapport* cde = liste(&f, QStringLiteral("ListeCde"));
        cliquerLigne(exp, 1);
        cocher(cde, QStringLiteral("BC1"));
        t.prompts.reponses.enqueue(true);
        controle<QPushButton>(&f, QStringLiteral("BtSupCde"))->click();
        QCOMPARE(t.prompts.boites.last().titre,
                 QStringLiteral("Suppression de commande d'une expédition"));
        QCOMPARE(t.prompts.boites.last().texte,
                 QStringLiteral("Supprimer la(les) commande(s) sélectionnée(s) ?"));
        QCOMPARE(colonne(cde), QStringList{QStringLiteral("BC2")});
        // The other shipment keeps its order.
        QCOMPARE(compter(c, QStringLiteral("[Liste commandes]"),
                         QStringLiteral("[No Expédition] = ?"), {numeros.at(2)}),
                 1);

        // Deleting the last row shows the new last row.
        cliquerLigne(exp, 2);
        t.prompts.reponses.enqueue(true);
        controle<QPushButton>(&f, QStringLiteral("BtSupExp"))->click();
        QCOMPARE(t.prompts.boites.last().titre, QStringLiteral("Suppression d'une expédition"));
        QCOMPARE(colonne(exp),
                 QStringList({QString::number(numeros.at(0)), QString::number(numeros.at(1))}));
        QCOMPARE(exp->ligneCourante(), 1);
        QCOMPARE(f.rsExp()->noExpedition, numeros.at(1));
        QCOMPARE(colonne(cde), QStringList{QStringLiteral("BC2")});

        // A shipment with no order can be deleted too; "No" keeps it.
        cliquerLigne(exp, 0);
        t.prompts.reponses.enqueue(false);
        controle<QPushButton>(&f, QStringLiteral("BtSupExp"))->click();
        QCOMPARE(exp->nombreLignes(), 2);
        t.prompts.reponses.enqueue(true);
        controle<QPushButton>(&f, QStringLiteral("BtSupExp"))->click();
        t.prompts.reponses.enqueue(true);
        controle<QPushButton>(&f, QStringLiteral("BtSupExp"))->click();
        QCOMPARE(exp->nombreLignes(), 0);
        QVERIFY(!f.rsExp());
        QCOMPARE(controle<QLineEdit>(&f, QStringLiteral("NbColTheo"))->text(), QStringLiteral("0"));
        QCOMPARE(cde->nombreLignes(), 0);
        // With nothing shown the buttons do nothing.
        const qsizetype boites = t.prompts.boites.size();
        controle<QPushButton>(&f, QStringLiteral("BtSupExp"))->click();
        controle<QPushButton>(&f, QStringLiteral("EnrModifExp"))->click();
        QCOMPARE(t.prompts.boites.size(), boites);
    }

    void lesBoutonsAgissentSurLaLigneEnSurbrillance_data() {
        QTest::addColumn<QString>("geste");
        QTest::addColumn<QString>("bouton");
        // The shipment highlighted after the gesture, by creation order: 0 is
        // closed, 1 to 3 open.
        QTest::addColumn<int>("attendue");
        const QString supprimer = QStringLiteral("BtSupExp");
        const QString ajouter = QStringLiteral("BtAjCde");
        QTest::newRow("flèche bas, suppression") << QStringLiteral("bas") << supprimer << 2;
        QTest::newRow("flèche bas, ajout") << QStringLiteral("bas") << ajouter << 2;
        QTest::newRow("flèche haut, suppression") << QStringLiteral("haut") << supprimer << 2;
        QTest::newRow("Actualiser, suppression")
            << QStringLiteral("BtActualiser") << supprimer << 1;
        QTest::newRow("Actualiser, ajout") << QStringLiteral("BtActualiser") << ajouter << 1;
        QTest::newRow("closes affichées, suppression")
            << QStringLiteral("AffClot") << supprimer << 0;
        QTest::newRow("closes affichées, ajout") << QStringLiteral("AffClot") << ajouter << 0;
    }

    // Whatever moved the highlight, the details and the orders shown are
    // those of the highlighted shipment, and the buttons act on it. The add
    // window offers the available orders of its delivery place; a closed
    // shipment takes them only once the person agrees, "No" writing nothing
    // and leaving the add window open.
    void lesBoutonsAgissentSurLaLigneEnSurbrillance() {
        QFETCH(QString, geste);
        QFETCH(QString, bouton);
        QFETCH(int, attendue);
        BaseDeTest t;
        monde(t);
        Contexte& c = *t.ctx;
        QList<int> numeros;
        for (int i = 0; i < 4; ++i) {
            numeros << ajouterExpedition(
                c, QStringLiteral("E%1").arg(i), QStringLiteral("2012-04-1%1 08:00:00").arg(i),
                i == 0 ? QVariant(QStringLiteral("2012-04-18 00:00:00")) : QVariant(), 1);
            executerSql(c,
                        QStringLiteral("INSERT INTO [Liste commandes] ([No Expédition], "
                                       "[No commande SAGE]) VALUES (?, ?)"),
                        {numeros.last(), QStringLiteral("X%1").arg(i)});
        }
        const int numero = numeros.at(attendue);
        const bool close = attendue == 0;
        ExpModif f(c, nullptr);
        montrer(&f);
        ListeRapport* exp = liste(&f, QStringLiteral("ListeExp"));
        if (geste == QStringLiteral("bas")) {
            QTest::keyClick(exp, Qt::Key_Down);
        } else if (geste == QStringLiteral("haut")) {
            cliquerLigne(exp, 2);
            QTest::keyClick(exp, Qt::Key_Up);
        } else {
            cliquerLigne(exp, 2);
            controle<QAbstractButton>(&f, geste)->click();
        }
        QCOMPARE(exp->cle(exp->ligneCourante()).toInt(), numero);
        QCOMPARE(controle<QLineEdit>(&f, QStringLiteral("NoExp"))->text(), QString::number(numero));
        ListeRapport* cde = liste(&f, QStringLiteral("ListeCde"));
        QCOMPARE(colonne(cde), QStringList{QStringLiteral("X%1").arg(attendue)});

        if (bouton == QStringLiteral("BtSupExp")) {
            t.prompts.reponses.enqueue(true);
            controle<QPushButton>(&f, bouton)->click();
            QCOMPARE(compter(c, QStringLiteral("Expédition")), 3);
            QCOMPARE(compter(c, QStringLiteral("Expédition"), QStringLiteral("[No Expédition] = ?"),
                             {numero}),
                     0);
            return;
        }
        QString titre;
        QString libelle;
        QStringList offertes;
        bool resteeOuverteSansRien = false;
        if (close)
            t.prompts.reponses << false << true;
        QTimer::singleShot(0, this, [&] {
            auto* ajout = qobject_cast<ExpAddCde*>(QApplication::activeModalWidget());
            QVERIFY(ajout);
            titre = ajout->windowTitle();
            libelle = controle<QLabel>(ajout, QStringLiteral("LibExp"))->text();
            offertes = colonne(liste(ajout, QStringLiteral("ListeCde")));
            cocher(liste(ajout, QStringLiteral("ListeCde")), QStringLiteral("BC1"));
            controle<QPushButton>(ajout, QStringLiteral("BtAjCde"))->click();
            if (ajout->isVisible()) {
                resteeOuverteSansRien = compter(c, QStringLiteral("[Liste commandes]"),
                                                QStringLiteral("[No commande SAGE] = 'BC1'")) == 0;
                controle<QPushButton>(ajout, QStringLiteral("BtAjCde"))->click();
            }
        });
        controle<QPushButton>(&f, bouton)->click();
        QCOMPARE(titre, QStringLiteral("Ajout de commande à une expédition"));
        QCOMPARE(libelle, QStringLiteral("%1 - E%2 - Ville").arg(numero).arg(attendue));
        QCOMPARE(offertes, QStringList({QStringLiteral("BC1"), QStringLiteral("BC2")}));
        QCOMPARE(valeurSql(c, QStringLiteral("SELECT [No Expédition] FROM [Liste commandes] "
                                             "WHERE [No commande SAGE] = 'BC1'"))
                     .toInt(),
                 numero);
        QCOMPARE(colonne(cde),
                 QStringList({QStringLiteral("BC1"), QStringLiteral("X%1").arg(attendue)}));
        QCOMPARE(resteeOuverteSansRien, close);
        QCOMPARE(t.prompts.boites.size(), close ? 2 : 0);
        if (close) {
            const PromptsScriptes::Boite& question = t.prompts.boites.first();
            QVERIFY(question.estQuestion);
            QVERIFY(!question.ouiParDefaut);
            QCOMPARE(question.titre, QStringLiteral("Ajout de commande à une expédition"));
            QCOMPARE(question.texte,
                     QStringLiteral("L'expédition N° %1 est close : ses commandes ne sont plus "
                                    "envoyées aux terminaux.\r\n\r\nAjouter quand même "
                                    "la(les) commande(s) ?")
                         .arg(numero));
        }
    }

    void unRefusDeLaBaseNeDitJamaisQueCEstFait_data() {
        QTest::addColumn<int>("rang");
        const QList<Refus> tous = refus();
        for (int rang = 0; rang < tous.size(); ++rang)
            QTest::newRow(tous.at(rang).nom) << rang;
    }

    // Whatever write the database refuses, the window shows the error box
    // alone, never a completion, and nothing is left half-written.
    void unRefusDeLaBaseNeDitJamaisQueCEstFait() {
        QFETCH(int, rang);
        const Refus cas = refus().at(rang);
        BaseDeTest t;
        monde(t);
        Contexte& c = *t.ctx;
        const int numero =
            ajouterExpedition(c, QStringLiteral("E"), QStringLiteral("2012-04-10 08:00:00"), {}, 1);
        executerSql(c,
                    QStringLiteral("INSERT INTO [Liste commandes] ([No Expédition], "
                                   "[No commande SAGE]) VALUES (?, 'X')"),
                    {numero});
        executerSql(c, QStringLiteral("CREATE TRIGGER refus ") + QString::fromUtf8(cas.quand) +
                           QStringLiteral(" BEGIN SELECT RAISE(ABORT, 'refus de test'); END"));
        const QString etat = QStringLiteral(
            "SELECT (SELECT group_concat([No Expédition] || [Libellé 1]) FROM Expédition) || '/' "
            "|| (SELECT group_concat([No Expédition] || [No commande SAGE]) FROM "
            "[Liste commandes])");
        const QString avant = valeurSql(c, etat).toString();

        cas.agir(t, this);
        QStringList messages;
        for (const PromptsScriptes::Boite& boite : t.prompts.boites)
            if (!boite.estQuestion)
                messages << boite.titre + u'|' + boite.texte;
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages.first().startsWith(QStringLiteral("Erreur|Erreur n° : ")),
                 qPrintable(messages.first()));
        QVERIFY(!messages.first().contains(QStringLiteral("terminé")));
        QCOMPARE(valeurSql(c, etat).toString(), avant);
    }

    void erreurDeBaseSignaleeEtFenetreUtilisable() {
        BaseDeTest t;
        monde(t);
        Contexte& c = *t.ctx;
        ajouterExpedition(c, QStringLiteral("E"), QStringLiteral("2012-04-10 08:00:00"));
        ExpModif f(c, nullptr);
        montrer(&f);
        executerSql(c, QStringLiteral("ALTER TABLE Expédition RENAME TO Cachee"));
        controle<QPushButton>(&f, QStringLiteral("BtActualiser"))->click();
        QCOMPARE(t.prompts.boites.size(), 1);
        QCOMPARE(t.prompts.boites.first().titre, QStringLiteral("Erreur"));
        QVERIFY(t.prompts.boites.first().texte.startsWith(QStringLiteral("Erreur n° : ")));
        executerSql(c, QStringLiteral("ALTER TABLE Cachee RENAME TO Expédition"));
        controle<QPushButton>(&f, QStringLiteral("BtActualiser"))->click();
        QCOMPARE(liste(&f, QStringLiteral("ListeExp"))->nombreLignes(), 1);
        QCOMPARE(t.prompts.boites.size(), 1);

        // Removed on another workstation: the reloaded list is empty, so is
        // the detail area.
        executerSql(c, QStringLiteral("DELETE FROM Expédition"));
        controle<QPushButton>(&f, QStringLiteral("BtActualiser"))->click();
        QVERIFY(!f.rsExp());
        QVERIFY(controle<QLineEdit>(&f, QStringLiteral("NoExp"))->text().isEmpty());
    }

    void fenetrePrincipaleMenusRechercheEtEditions() {
        BaseDeTest t;
        monde(t);
        Contexte& c = *t.ctx;
        const int a =
            ajouterExpedition(c, QStringLiteral("A"), QStringLiteral("2012-04-10 08:00:00"));
        const int b =
            ajouterExpedition(c, QStringLiteral("B"), QStringLiteral("2012-04-11 08:00:00"));
        const QString attacher = QStringLiteral(
            "INSERT INTO [Liste commandes] ([No Expédition], [No commande SAGE]) VALUES (?, ?)");
        executerSql(c, attacher, {b, QStringLiteral("BC4")});
        executerSql(c, attacher, {a, QStringLiteral("BC5")});
        executerSql(c, attacher, {b, QStringLiteral("BC5")});

        FenetrePrincipale principale(c);
        ui::brancherExpeditions(principale);
        montrer(&principale);
        principale.action(QStringLiteral("mnuCreaExpAuto"))->trigger();
        QWidget* automatique = principale.fenetreOuverte(QStringLiteral("ExpNewAuto"));
        QVERIFY(automatique);
        principale.action(QStringLiteral("tbModeAuto"))->trigger();
        QCOMPARE(principale.fenetreOuverte(QStringLiteral("ExpNewAuto")), automatique);
        principale.action(QStringLiteral("tbCreerExp"))->trigger();
        QVERIFY(principale.fenetreOuverte(QStringLiteral("ExpNewManuel")));

        // The search opens the modification window on the shipment found.
        t.prompts.saisies.enqueue(QStringLiteral(" bc4"));
        principale.action(QStringLiteral("tbRechercher"))->trigger();
        auto* modif =
            qobject_cast<ExpModif*>(principale.fenetreOuverte(QStringLiteral("ExpModif")));
        QVERIFY(modif);
        QCOMPARE(modif->rsExp()->noExpedition, b);
        // Two shipments: the anomaly box, then the first one.
        t.prompts.vider();
        t.prompts.saisies.enqueue(QStringLiteral("BC5"));
        principale.action(QStringLiteral("mnuRechExp"))->trigger();
        QCOMPARE(t.prompts.boites.last().titre, QStringLiteral("ANOMALIE : Recherche de commande"));
        QCOMPARE(modif->rsExp()->noExpedition, a);

        // Coming back from a box keeps what was typed; switching windows reloads.
        auto* lib1 = controle<QLineEdit>(modif, QStringLiteral("Lib1"));
        QWidget boite;
        for (QWidget* saisie : {static_cast<QWidget*>(lib1),
                                static_cast<QWidget*>(liste(modif, QStringLiteral("ListeExp")))}) {
            saisie->setFocus();
            lib1->setText(QStringLiteral("En cours de saisie"));
            montrer(&boite);
            QApplication::setActiveWindow(&boite);
            QApplication::setActiveWindow(&principale);
            QTest::qWait(20);
            QCOMPARE(lib1->text(), QStringLiteral("En cours de saisie"));
        }
        boite.hide();
        principale.action(QStringLiteral("mnuCreaExpAuto"))->trigger();
        principale.action(QStringLiteral("mnuModifExp"))->trigger();
        QTRY_COMPARE(lib1->text(), QStringLiteral("A"));

        // "Etiquettes expédition" reaches the window's parcel labels.
        QAction* etiquettes = principale.action(QStringLiteral("mnuEdEtiqExp"));
        QVERIFY(etiquettes->isEnabled());
        controle<QPushButton>(modif, QStringLiteral("BtEdition"))->click();
        QVERIFY(principale.mnuEditionExp()->isVisible());
        principale.mnuEditionExp()->hide();
        t.prompts.vider();
        etiquettes->trigger();
        QCOMPARE(t.prompts.boites.size(), 1);
        QCOMPARE(t.prompts.boites.first().titre,
                 QStringLiteral("Nombre de colis théorique incorrect"));
        QCOMPARE(
            t.prompts.boites.first().texte,
            QStringLiteral("Vous devez définir un nombre de colis théorique différent de zéro."));
        // An unsaved count counts: the label window opens with it.
        controle<QLineEdit>(modif, QStringLiteral("NbColTheo"))->setText(QStringLiteral("2"));
        QString dernierColis;
        QTimer::singleShot(0, this, [&] {
            QWidget* dialogue = QApplication::activeModalWidget();
            QVERIFY(dialogue);
            QCOMPARE(dialogue->objectName(), QStringLiteral("ExpEdEtiq"));
            dernierColis = controle<QLineEdit>(dialogue, QStringLiteral("NoColis2"))->text();
            dialogue->close();
        });
        etiquettes->trigger();
        QCOMPARE(dernierColis, QStringLiteral("2"));
        QCOMPARE(t.prompts.boites.size(), 1);
        QCOMPARE(
            compter(c, QStringLiteral("Expédition"), QStringLiteral("[Nbr colis théorique] = 0")),
            2);
        // The reports are offered while the window lives, like the labels.
        QVERIFY(principale.action(QStringLiteral("mnuBonExp"))->isEnabled());
        delete modif->parentWidget();
        QVERIFY(!etiquettes->isEnabled());
        QVERIFY(!principale.action(QStringLiteral("mnuBonExp"))->isEnabled());
    }
};

QTEST_MAIN(TestFenetresExpeditions)
#include "test_fenetres_expeditions.moc"
