#include "AutrePoste.h"
#include "BaseDeTest.h"
#include "DonneesExpeditions.h"
#include "shipments/CreationExpeditions.h"
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
using namespace Qt::StringLiterals;
using namespace tarvo::test;
using namespace tarvo::expeditions;
using ui::FenetrePrincipale;

namespace {

void monde(BaseDeTest& t) {
    t.creerBase(false);
    Contexte& c = *t.ctx;
    ajouterClient(c, u"CA"_s, u"Alpha"_s);
    ajouterClient(c, u"CB"_s, u"Bravo"_s);
    ajouterLieu(c, 1, u"CA"_s, u"Alpha Annecy"_s, u"Annecy"_s);
    ajouterLieu(c, 2, u"CA"_s, u"Alpha Lyon"_s, u"Lyon"_s);
    ajouterLieu(c, 3, u"CB"_s, u"Bravo Paris"_s, u"Paris"_s);
    // Dates chosen so that their texts sort unlike the dates themselves.
    ajouterCommande(c, u"BC1"_s, u"CA"_s, 1, u"R1"_s, u"2012-01-15 00:00:00"_s);
    ajouterCommande(c, u"BC2"_s, u"CA"_s, 1, u"R2"_s, u"2012-02-01 00:00:00"_s);
    ajouterCommande(c, u"BC3"_s, u"CA"_s, 2);
    ajouterCommande(c, u"BC4"_s, u"CB"_s, 3);
    ajouterCommande(c, u"BC5"_s, u"CB"_s, 3);
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

QList<Liste> listesDesFenetres() {
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
        lignes.insert(m.index(r, 0).data(listes::ModeleEnregistrements::RoleCle).toString(), ligne);
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
             cocher(liste(&f, u"ListeCde"_s), u"BC1"_s);
             cliquer(&f, "BtCreerExp");
         }},
        {"ajout de commande", "BEFORE INSERT ON [Liste commandes]",
         [](BaseDeTest& t, QObject* test) {
             ExpModif f(*t.ctx, nullptr);
             montrer(&f);
             QTimer::singleShot(0, test, [] {
                 QWidget* ajout = QApplication::activeModalWidget();
                 QVERIFY(ajout);
                 cocher(liste(ajout, u"ListeCde"_s), u"BC1"_s);
                 cliquer(ajout, "BtAjCde");
                 ajout->close();
             });
             cliquer(&f, "BtAjCde");
         }},
        {"suppression de commande", "BEFORE DELETE ON [Liste commandes]",
         modif([](BaseDeTest& t, ExpModif& f) {
             cocher(liste(&f, u"ListeCde"_s), u"X"_s);
             t.prompts.reponses.enqueue(true);
             cliquer(&f, "BtSupCde");
         })},
        {"suppression d'expédition", "BEFORE DELETE ON Expédition",
         modif([](BaseDeTest& t, ExpModif& f) {
             t.prompts.reponses.enqueue(true);
             cliquer(&f, "BtSupExp");
         })},
        {"enregistrement", "BEFORE UPDATE ON Expédition", modif([](BaseDeTest&, ExpModif& f) {
             controle<QLineEdit>(&f, u"Lib1"_s)->setText(u"Nouveau"_s);
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
        const QList<Liste> toutes = listesDesFenetres();
        for (int rang = 0; rang < toutes.size(); ++rang)
            QTest::newRow(toutes.at(rang).nom) << rang;
    }

    // On the demonstration data, through every sort and a reload, the model
    // keeps to the rules of item models and each row keeps its key.
    void modelesDesListesTriesEtRecharges() {
        QFETCH(int, rang);
        const Liste liste = listesDesFenetres().at(rang);
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
            colonnes << db::Colonne{u"Texte %1"_s.arg(c), db::Genre::Texte};
        colonnes << db::Colonne{u"Nombre"_s, db::Genre::Nombre};
        db::JeuEnregistrements jeu(colonnes);
        for (const int n : {10, 9, 2})
            jeu.ajouter({u"L%1"_s.arg(n), {}, {}, {}, {}, {}, {}, {}, n}, n);
        ListeRapport l(u"Large"_s, colonnes, false, true);
        l.remplir(jeu);
        montrer(&l);
        QCOMPARE(l.model()->columnCount(), 9);
        QCOMPARE(l.model()->headerData(8, Qt::Horizontal).toString(), u"Nombre"_s);
        QCOMPARE(l.texte(0, 8), u"10"_s);
        cliquerEntete(&l, 8);
        cliquerEntete(&l, 8);
        QCOMPARE(colonne(&l, 8), QStringList({u"10"_s, u"2"_s, u"9"_s}));
        QCOMPARE(l.cle(2).toInt(), 9);
    }

    void automatiqueCreationEtTriParEntete() {
        BaseDeTest t;
        monde(t);
        ExpNewAuto f(*t.ctx);
        montrer(&f);
        QCOMPARE(f.windowTitle(), u"Création des expéditions (Mode automatique)"_s);
        ListeRapport* cde = liste(&f, u"ListeCde"_s);
        QCOMPARE(cde->model()->headerData(6, Qt::Horizontal).toString(), u"Pays"_s);
        QCOMPARE(colonne(cde), QStringList({u"BC1"_s, u"BC2"_s, u"BC3"_s, u"BC4"_s, u"BC5"_s}));

        // First click: descending; the next click on any header: ascending. The
        // current row and the check marks follow their orders.
        cde->choisirLigne(2);
        cocher(cde, u"BC3"_s);
        cliquerEntete(cde, 1);
        QCOMPARE(cde->texte(cde->ligneCourante()), u"BC3"_s);
        QCOMPARE(cde->clesCochees(), QStringList{u"BC3"_s});
        cde->model()->setData(cde->model()->index(cde->ligneCourante(), 0), Qt::Unchecked,
                              Qt::CheckStateRole);
        QCOMPARE(colonne(cde, 1).first(), u"REF"_s);
        QCOMPARE(colonne(cde, 1).last(), u"R1"_s);
        cliquerEntete(cde, 2);
        QCOMPARE(cde->ordreTri(), Qt::AscendingOrder);
        // Dates sort as text: the first of February before the fifteenth of January.
        QVERIFY(colonne(cde).indexOf(u"BC2"_s) < colonne(cde).indexOf(u"BC1"_s));

        cocher(cde, u"BC4"_s);
        cocher(cde, u"BC5"_s);
        controle<QPushButton>(&f, u"BtCreerExp"_s)->click();
        QCOMPARE(compter(*t.ctx, u"Expédition"_s), 2);
        const auto numeroDe = [&t](const QString& commande) {
            return valeurSql(*t.ctx,
                             u"SELECT [No Expédition] FROM [Liste commandes] WHERE "
                             "[No commande SAGE] = ?"_s,
                             {commande})
                .toInt();
        };
        QCOMPARE(t.prompts.titresEtTextes(),
                 QStringList{u"Création d'expédition mode automatique|Traitement terminé\r\n\r\n"
                             "Expéditions créées : N° %1, N° %2."_s.arg(numeroDe(u"BC4"_s))
                                 .arg(numeroDe(u"BC5"_s))});
        QCOMPARE(cde->nombreLignes(), 3);
        QVERIFY(cde->clesCochees().isEmpty());

        // Nothing checked: nothing created, the box all the same.
        controle<QPushButton>(&f, u"BtCreerExp"_s)->click();
        QCOMPARE(t.prompts.boites.size(), 2);
        QCOMPARE(t.prompts.boites.last().texte,
                 u"Traitement terminé\r\n\r\nAucune expédition n'a été créée."_s);
        QCOMPARE(compter(*t.ctx, u"Expédition"_s), 2);

        // A failure on BC3, last of the list: the box names the shipments
        // already created, in list order, and never says the work is done.
        executerSql(*t.ctx, u"CREATE TRIGGER refus BEFORE INSERT ON "
                            "[Liste commandes] WHEN NEW.[No commande SAGE] = "
                            "'BC3' BEGIN SELECT RAISE(ABORT, 'refus'); END"_s);
        cde->model()->sort(0, Qt::AscendingOrder);
        for (const QString& commande : colonne(cde))
            cocher(cde, commande);
        t.prompts.vider();
        controle<QPushButton>(&f, u"BtCreerExp"_s)->click();
        QCOMPARE(t.prompts.boites.size(), 1);
        QCOMPARE(t.prompts.boites.first().titre, u"Erreur"_s);
        QString faites = u"Avant l'erreur, ces expéditions ont été créées et "
                         "enregistrées :"_s;
        for (const QString& commande : {u"BC1"_s, u"BC2"_s})
            faites += u"\r\nN° %1 : commande %2"_s.arg(valeurSql(*t.ctx,
                                                                 u"SELECT [No Expédition] FROM "
                                                                 "[Liste commandes] WHERE "
                                                                 "[No commande SAGE] = ?"_s,
                                                                 {commande})
                                                           .toString(),
                                                       commande);
        QVERIFY2(t.prompts.boites.first().texte.contains(faites),
                 qPrintable(t.prompts.boites.first().texte));
        QCOMPARE(colonne(cde), QStringList{u"BC3"_s});
    }

    void manuelDernierClientEtCochesOubliees() {
        BaseDeTest t;
        monde(t);
        ExpNewManuel f(*t.ctx);
        montrer(&f);
        ListeRapport* clients = liste(&f, u"ListeClient"_s);
        ListeRapport* cde = liste(&f, u"ListeCde"_s);
        QCOMPARE(colonne(clients, 2),
                 QStringList({u"Alpha Annecy"_s, u"Alpha Lyon"_s, u"Bravo Paris"_s}));
        QCOMPARE(clients->ligneCourante(), 0);
        QCOMPARE(colonne(cde), QStringList({u"BC1"_s, u"BC2"_s}));

        // Another customer row: its orders, unchecked.
        cocher(cde, u"BC1"_s);
        cliquerLigne(clients, 2);
        QCOMPARE(colonne(cde), QStringList({u"BC4"_s, u"BC5"_s}));
        cliquerLigne(clients, 0);
        QVERIFY(cde->clesCochees().isEmpty());

        // The arrow keys move to another customer row: its orders follow.
        QTest::keyClick(clients, Qt::Key_Down);
        QCOMPARE(colonne(cde), QStringList{u"BC3"_s});
        QTest::keyClick(clients, Qt::Key_Down);
        QCOMPARE(clients->ligneCourante(), 2);

        // A creation from the last row that empties it: the new last row is shown.
        cocher(cde, u"BC4"_s);
        cocher(cde, u"BC5"_s);
        controle<QPushButton>(&f, u"BtCreerExp"_s)->click();
        QCOMPARE(t.prompts.boites.last().titre, u"Création d'expédition mode manuel"_s);
        QCOMPARE(t.prompts.boites.last().texte,
                 u"Traitement terminé\r\n\r\nExpédition créée : N° %1."_s.arg(
                     valeurSql(*t.ctx, u"SELECT [No Expédition] FROM Expédition"_s).toInt()));
        QCOMPARE(compter(*t.ctx, u"Expédition"_s, u"[No lieu livraison] = 3"_s), 1);
        QCOMPARE(compter(*t.ctx, u"[Liste commandes]"_s), 2);
        QCOMPARE(clients->nombreLignes(), 2);
        QCOMPARE(clients->ligneCourante(), 1);
        QCOMPARE(colonne(cde), QStringList{u"BC3"_s});
    }

    void modificationDetailEnregistrementEtCloture() {
        BaseDeTest t;
        monde(t);
        Contexte& c = *t.ctx;
        const int ouverte = ajouterExpedition(c, u"Ouverte"_s, u"2012-04-10 08:00:00"_s, {}, 1);
        const int close =
            ajouterExpedition(c, u"Close"_s, u"2012-04-11 08:00:00"_s, u"2012-04-18 00:00:00"_s, 3);
        executerSql(c,
                    u"INSERT INTO [Liste commandes] ([No Expédition], "
                    "[No commande SAGE], [No lieu livraison]) VALUES (?, 'BC1', 1)"_s,
                    {ouverte});
        ExpModif f(c, nullptr);
        montrer(&f);
        ListeRapport* exp = liste(&f, u"ListeExp"_s);
        QCOMPARE(colonne(exp), QStringList{QString::number(ouverte)});
        QCOMPARE(controle<QLineEdit>(&f, u"NoExp"_s)->text(), QString::number(ouverte));
        QCOMPARE(colonne(liste(&f, u"ListeCde"_s)), QStringList{u"BC1"_s});
        QVERIFY(!controle<QWidget>(&f, u"CacheDate"_s)->isHidden());

        // Closed shipments appear with the check box, in red bold.
        controle<QCheckBox>(&f, u"AffClot"_s)->click();
        QCOMPARE(exp->nombreLignes(), 2);
        const QModelIndex rouge = exp->model()->index(1, 3);
        QCOMPARE(rouge.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(255, 0, 0));
        QVERIFY(rouge.data(Qt::FontRole).value<QFont>().bold());
        QVERIFY(!exp->model()->index(0, 0).data(Qt::FontRole).value<QFont>().bold());
        cliquerLigne(exp, 1);
        QCOMPARE(f.rsExp()->noExpedition, close);
        QVERIFY(controle<QWidget>(&f, u"CacheDate"_s)->isHidden());
        QVERIFY(controle<QPlainTextEdit>(&f, u"Livraison"_s)
                    ->toPlainText()
                    .startsWith(u"Bravo Paris\n1 rue du Port\n\n74000 Paris"_s));

        // Reopen with new labels and a bad weight: refused, nothing written.
        controle<QLineEdit>(&f, u"Lib1"_s)->setText(u"Rouverte"_s);
        controle<QCheckBox>(&f, u"DateClotCoche"_s)->click();
        QVERIFY(!controle<QWidget>(&f, u"CacheDate"_s)->isHidden());
        controle<QLineEdit>(&f, u"Volume"_s)->setText(u"un peu"_s);
        controle<QPushButton>(&f, u"EnrModifExp"_s)->click();
        QCOMPARE(t.prompts.boites.size(), 1);
        QCOMPARE(t.prompts.boites.first().titre, u"Modification des expéditions"_s);
        QVERIFY(t.prompts.boites.first().texte.contains(u"« Volume »"_s));
        QCOMPARE(compter(c, u"Expédition"_s, u"[Date cloture] IS NULL"_s), 1);
        controle<QLineEdit>(&f, u"Volume"_s)->setText(u"0,25"_s);
        controle<QPushButton>(&f, u"EnrModifExp"_s)->click();
        QCOMPARE(t.prompts.boites.size(), 1);
        QCOMPARE(compter(c, u"Expédition"_s, u"[Date cloture] IS NULL"_s), 2);
        // The row shows at once what was saved, and stays highlighted;
        // "Actualiser" keeps it too.
        const auto grasEtRouge = [exp](int rang) {
            const QModelIndex cellule = exp->model()->index(rang, 0);
            return cellule.data(Qt::FontRole).value<QFont>().bold() &&
                   cellule.data(Qt::ForegroundRole).value<QBrush>().color() == QColor(255, 0, 0);
        };
        QCOMPARE(exp->texte(1, 1), u"Rouverte"_s);
        QVERIFY(exp->texte(1, 4).isEmpty());
        QVERIFY(!grasEtRouge(1));
        QCOMPARE(exp->ligneCourante(), 1);
        controle<QPushButton>(&f, u"BtActualiser"_s)->click();
        QCOMPARE(exp->ligneCourante(), 1);
        QCOMPARE(f.rsExp()->noExpedition, close);

        // Closing it again from the picker: its date and red bold at once,
        // and the list keeps it until it is reloaded without the closed ones.
        controle<QCheckBox>(&f, u"AffClot"_s)->click();
        QCOMPARE(exp->nombreLignes(), 2);
        QCOMPARE(f.rsExp()->noExpedition, close);
        controle<QCheckBox>(&f, u"DateClotCoche"_s)->click();
        controle<QPushButton>(&f, u"EnrModifExp"_s)->click();
        QCOMPARE(exp->texte(1, 4), u"19/04/2012 13:42:25"_s);
        QVERIFY(grasEtRouge(1));
        QVERIFY(!grasEtRouge(0));
        QCOMPARE(exp->ligneCourante(), 1);
        QCOMPARE(exp->texte(0, 1), u"Ouverte"_s);
        QCOMPARE(valeurSql(c,
                           u"SELECT [Date cloture] FROM Expédition WHERE "
                           "[No Expédition] = ?"_s,
                           {close})
                     .toString(),
                 u"2012-04-19 13:42:25"_s);

        // Changed meanwhile on another workstation: the box, nothing written.
        executerSql(c, u"UPDATE Expédition SET Tare = 9 WHERE [No Expédition] = ?"_s, {close});
        controle<QLineEdit>(&f, u"Lib1"_s)->setText(u"Perdu"_s);
        controle<QPushButton>(&f, u"EnrModifExp"_s)->click();
        QCOMPARE(t.prompts.boites.size(), 2);
        QCOMPARE(t.prompts.boites.last().titre, u"Modification des expéditions"_s);
        QCOMPARE(t.prompts.boites.last().texte,
                 u"L'expédition N° %1 a été modifiée ou supprimée sur un autre "
                 "poste depuis son affichage : vos modifications n'ont pas été "
                 "enregistrées.\r\n\r\nAffichez-la de nouveau pour voir son "
                 "état actuel."_s.arg(close));
        QCOMPARE(exp->texte(1, 1), u"Rouverte"_s);
    }

    void suppressionsEtPositionGardee() {
        BaseDeTest t;
        monde(t);
        Contexte& c = *t.ctx;
        QList<int> numeros;
        for (int i = 0; i < 3; ++i)
            numeros << ajouterExpedition(c, u"E%1"_s.arg(i), u"2012-04-1%1 08:00:00"_s.arg(i), {},
                                         1);
        const QString attacher =
            u"INSERT INTO [Liste commandes] ([No Expédition], [No commande SAGE]) VALUES (?, ?)"_s;
        executerSql(c, attacher, {numeros.at(1), u"BC1"_s});
        executerSql(c, attacher, {numeros.at(1), u"BC2"_s});
        executerSql(c, attacher, {numeros.at(2), u"BC1"_s});

        ExpModif f(c, nullptr);
        montrer(&f);
        ListeRapport* exp = liste(&f, u"ListeExp"_s);
        ListeRapport* cde = liste(&f, u"ListeCde"_s);
        cliquerLigne(exp, 1);
        cocher(cde, u"BC1"_s);
        t.prompts.reponses.enqueue(true);
        controle<QPushButton>(&f, u"BtSupCde"_s)->click();
        QCOMPARE(t.prompts.boites.last().titre, u"Suppression de commande d'une expédition"_s);
        QCOMPARE(t.prompts.boites.last().texte,
                 u"Supprimer la(les) commande(s) sélectionnée(s) ?"_s);
        QCOMPARE(colonne(cde), QStringList{u"BC2"_s});
        // The other shipment keeps its order.
        QCOMPARE(compter(c, u"[Liste commandes]"_s, u"[No Expédition] = ?"_s, {numeros.at(2)}), 1);

        // Deleting the last row shows the new last row.
        cliquerLigne(exp, 2);
        t.prompts.reponses.enqueue(true);
        controle<QPushButton>(&f, u"BtSupExp"_s)->click();
        QCOMPARE(t.prompts.boites.last().titre, u"Suppression d'une expédition"_s);
        QCOMPARE(t.prompts.boites.last().texte,
                 u"Supprimer l'expédition N° %1 ?"_s.arg(numeros.at(2)));
        QCOMPARE(colonne(exp),
                 QStringList({QString::number(numeros.at(0)), QString::number(numeros.at(1))}));
        QCOMPARE(exp->ligneCourante(), 1);
        QCOMPARE(f.rsExp()->noExpedition, numeros.at(1));
        QCOMPARE(colonne(cde), QStringList{u"BC2"_s});

        // A shipment with no order can be deleted too; "No" keeps it.
        cliquerLigne(exp, 0);
        t.prompts.reponses.enqueue(false);
        controle<QPushButton>(&f, u"BtSupExp"_s)->click();
        QCOMPARE(exp->nombreLignes(), 2);
        t.prompts.reponses.enqueue(true);
        controle<QPushButton>(&f, u"BtSupExp"_s)->click();
        t.prompts.reponses.enqueue(true);
        controle<QPushButton>(&f, u"BtSupExp"_s)->click();
        QCOMPARE(exp->nombreLignes(), 0);
        QVERIFY(!f.rsExp());
        QCOMPARE(controle<QLineEdit>(&f, u"NbColTheo"_s)->text(), u"0"_s);
        QCOMPARE(cde->nombreLignes(), 0);
        // With nothing shown the buttons do nothing.
        const qsizetype boites = t.prompts.boites.size();
        controle<QPushButton>(&f, u"BtSupExp"_s)->click();
        controle<QPushButton>(&f, u"EnrModifExp"_s)->click();
        QCOMPARE(t.prompts.boites.size(), boites);
    }

    void lesBoutonsAgissentSurLaLigneEnSurbrillance_data() {
        QTest::addColumn<QString>("geste");
        QTest::addColumn<QString>("bouton");
        // The shipment highlighted after the gesture, by creation order: 0 is
        // closed, 1 to 3 open.
        QTest::addColumn<int>("attendue");
        const QString supprimer = u"BtSupExp"_s;
        const QString ajouter = u"BtAjCde"_s;
        QTest::newRow("flèche bas, suppression") << u"bas"_s << supprimer << 2;
        QTest::newRow("flèche bas, ajout") << u"bas"_s << ajouter << 2;
        QTest::newRow("flèche haut, suppression") << u"haut"_s << supprimer << 2;
        QTest::newRow("Actualiser, suppression") << u"BtActualiser"_s << supprimer << 3;
        QTest::newRow("Actualiser, ajout") << u"BtActualiser"_s << ajouter << 3;
        QTest::newRow("closes affichées, suppression") << u"AffClot"_s << supprimer << 3;
        QTest::newRow("closes affichées puis la première, suppression")
            << u"AffClot début"_s << supprimer << 0;
        QTest::newRow("closes affichées puis la première, ajout")
            << u"AffClot début"_s << ajouter << 0;
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
            numeros << ajouterExpedition(c, u"E%1"_s.arg(i), u"2012-04-1%1 08:00:00"_s.arg(i),
                                         i == 0 ? QVariant(u"2012-04-18 00:00:00"_s) : QVariant(),
                                         1);
            executerSql(c,
                        u"INSERT INTO [Liste commandes] ([No Expédition], "
                        "[No commande SAGE]) VALUES (?, ?)"_s,
                        {numeros.last(), u"X%1"_s.arg(i)});
        }
        const int numero = numeros.at(attendue);
        const bool close = attendue == 0;
        ExpModif f(c, nullptr);
        montrer(&f);
        ListeRapport* exp = liste(&f, u"ListeExp"_s);
        if (geste == u"bas"_s) {
            QTest::keyClick(exp, Qt::Key_Down);
        } else if (geste == u"haut"_s) {
            cliquerLigne(exp, 2);
            QTest::keyClick(exp, Qt::Key_Up);
        } else {
            cliquerLigne(exp, 2);
            controle<QAbstractButton>(&f, geste.section(u' ', 0, 0))->click();
            if (geste.endsWith(u"début"_s))
                QTest::keyClick(exp, Qt::Key_Home);
        }
        QCOMPARE(exp->cle(exp->ligneCourante()).toInt(), numero);
        QCOMPARE(controle<QLineEdit>(&f, u"NoExp"_s)->text(), QString::number(numero));
        ListeRapport* cde = liste(&f, u"ListeCde"_s);
        QCOMPARE(colonne(cde), QStringList{u"X%1"_s.arg(attendue)});

        if (bouton == u"BtSupExp"_s) {
            t.prompts.reponses.enqueue(true);
            controle<QPushButton>(&f, bouton)->click();
            QCOMPARE(compter(c, u"Expédition"_s), 3);
            QCOMPARE(compter(c, u"Expédition"_s, u"[No Expédition] = ?"_s, {numero}), 0);
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
            libelle = controle<QLabel>(ajout, u"LibExp"_s)->text();
            offertes = colonne(liste(ajout, u"ListeCde"_s));
            cocher(liste(ajout, u"ListeCde"_s), u"BC1"_s);
            controle<QPushButton>(ajout, u"BtAjCde"_s)->click();
            if (ajout->isVisible()) {
                resteeOuverteSansRien =
                    compter(c, u"[Liste commandes]"_s, u"[No commande SAGE] = 'BC1'"_s) == 0;
                controle<QPushButton>(ajout, u"BtAjCde"_s)->click();
            }
        });
        controle<QPushButton>(&f, bouton)->click();
        QCOMPARE(titre, u"Ajout de commande à une expédition"_s);
        QCOMPARE(libelle, u"%1 - E%2 - Ville"_s.arg(numero).arg(attendue));
        QCOMPARE(offertes, QStringList({u"BC1"_s, u"BC2"_s}));
        QCOMPARE(valeurSql(c, u"SELECT [No Expédition] FROM [Liste commandes] "
                              "WHERE [No commande SAGE] = 'BC1'"_s)
                     .toInt(),
                 numero);
        QCOMPARE(colonne(cde), QStringList({u"BC1"_s, u"X%1"_s.arg(attendue)}));
        QCOMPARE(resteeOuverteSansRien, close);
        QCOMPARE(t.prompts.boites.size(), close ? 2 : 0);
        if (close) {
            const PromptsScriptes::Boite& question = t.prompts.boites.first();
            QVERIFY(question.estQuestion);
            QVERIFY(!question.ouiParDefaut);
            QCOMPARE(question.titre, u"Ajout de commande à une expédition"_s);
            QCOMPARE(question.texte, u"L'expédition N° %1 est close : ses commandes ne sont plus "
                                     "envoyées aux terminaux.\r\n\r\nAjouter quand même "
                                     "la(les) commande(s) ?"_s.arg(numero));
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
        const int numero = ajouterExpedition(c, u"E"_s, u"2012-04-10 08:00:00"_s, {}, 1);
        executerSql(c,
                    u"INSERT INTO [Liste commandes] ([No Expédition], "
                    "[No commande SAGE]) VALUES (?, 'X')"_s,
                    {numero});
        executerSql(c, u"CREATE TRIGGER refus "_s + QString::fromUtf8(cas.quand) +
                           u" BEGIN SELECT RAISE(ABORT, 'refus de test'); END"_s);
        const QString etat =
            u"SELECT (SELECT group_concat([No Expédition] || [Libellé 1]) FROM Expédition) || '/' "
            "|| (SELECT group_concat([No Expédition] || [No commande SAGE]) FROM "
            "[Liste commandes])"_s;
        const QString avant = valeurSql(c, etat).toString();

        cas.agir(t, this);
        QStringList messages;
        for (const PromptsScriptes::Boite& boite : t.prompts.boites)
            if (!boite.estQuestion)
                messages << boite.titre + u'|' + boite.texte;
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages.first().startsWith(u"Erreur|Erreur n° : "_s),
                 qPrintable(messages.first()));
        QVERIFY(!messages.first().contains(u"terminé"_s));
        QCOMPARE(valeurSql(c, etat).toString(), avant);
    }

    void uneCommandePriseAilleursApresLAffichage_data() {
        QTest::addColumn<QString>("fenetre");
        QTest::addColumn<QString>("termine");
        QTest::newRow("automatique")
            << u"ExpNewAuto"_s << u"Création d'expédition mode automatique"_s;
        QTest::newRow("manuel") << u"ExpNewManuel"_s << u"Création d'expédition mode manuel"_s;
        QTest::newRow("ajout depuis la modification") << u"ExpModif"_s << QString();
    }

    // BC1 and BC2 are listed and checked; another workstation then puts BC1
    // in a shipment of its own. The button refuses BC1, naming that shipment,
    // attaches BC2, and the list no longer offers either.
    void uneCommandePriseAilleursApresLAffichage() {
        QFETCH(QString, fenetre);
        QFETCH(QString, termine);
        BaseDeTest t;
        monde(t);
        Contexte& c = *t.ctx;
        const int cible = ajouterExpedition(c, u"Cible"_s, u"2012-04-19 08:00:00"_s, {}, 1);
        qint32 ailleurs = 0;
        QStringList rechargee;
        const auto agir = [&](QWidget* w, const char* bouton) {
            ListeRapport* cde = liste(w, u"ListeCde"_s);
            QVERIFY(colonne(cde).contains(u"BC1"_s) && colonne(cde).contains(u"BC2"_s));
            cocher(cde, u"BC1"_s);
            cocher(cde, u"BC2"_s);
            {
                AutrePoste autre(t.dossier.path(), c.cnx->parametres());
                ailleurs = CreerExpAuto(*autre.ctx, {u"BC1"_s}).expeditions.value(0);
            }
            cliquer(w, bouton);
            rechargee = colonne(cde);
        };
        std::unique_ptr<QWidget> f;
        if (fenetre == u"ExpNewAuto"_s) {
            f = std::make_unique<ExpNewAuto>(c);
            montrer(f.get());
            agir(f.get(), "BtCreerExp");
        } else if (fenetre == u"ExpNewManuel"_s) {
            f = std::make_unique<ExpNewManuel>(c);
            montrer(f.get());
            agir(f.get(), "BtCreerExp");
        } else {
            f = std::make_unique<ExpModif>(c, nullptr);
            montrer(f.get());
            bool resteOuverte = false;
            QTimer::singleShot(0, this, [&] {
                QWidget* ajout = QApplication::activeModalWidget();
                QVERIFY(ajout);
                agir(ajout, "BtAjCde");
                resteOuverte = ajout->isVisible();
                ajout->close();
            });
            cliquer(f.get(), "BtAjCde");
            QVERIFY(resteOuverte);
            QCOMPARE(colonne(liste(f.get(), u"ListeCde"_s)), QStringList{u"BC2"_s});
        }

        QVERIFY(ailleurs > cible);
        QStringList boites{u"Commandes refusées|La commande BC1 est déjà dans l'expédition "
                           "N° %1."_s.arg(ailleurs)};
        if (!termine.isEmpty())
            boites << termine + u"|Traitement terminé\r\n\r\nExpédition créée : N° %1."_s.arg(
                                    valeurSql(c, u"SELECT [No Expédition] FROM [Liste commandes] "
                                                 "WHERE [No commande SAGE] = 'BC2'"_s)
                                        .toInt());
        QCOMPARE(t.prompts.titresEtTextes(), boites);
        QCOMPARE(compter(c, u"[Liste commandes]"_s, u"[No commande SAGE] = 'BC1'"_s), 1);
        QCOMPARE(compter(c, u"[Liste commandes]"_s,
                         u"[No commande SAGE] = 'BC1' AND "_s + u"[No Expédition] = ?"_s,
                         {ailleurs}),
                 1);
        QCOMPARE(compter(c, u"[Liste commandes]"_s, u"[No commande SAGE] = 'BC2'"_s), 1);
        QCOMPARE(compter(c, u"Expédition"_s,
                         u"[No Expédition] <> ? AND NOT EXISTS (SELECT 1 FROM [Liste commandes] "
                         "L WHERE L.[No Expédition] = Expédition.[No Expédition])"_s,
                         {cible}),
                 0);
        QVERIFY2(!rechargee.contains(u"BC1"_s) && !rechargee.contains(u"BC2"_s),
                 qPrintable(rechargee.join(u' ')));
    }

    // Leaving a changed shipment, for another row, the closed window or the
    // end of the program, asks whether to save it: "Oui" saves it, "Non"
    // drops the edits, "Annuler" stays on it with what was typed. A shipment
    // shown unchanged, or saved, is left without a word.
    void modificationsDemandeesEnPartant() {
        BaseDeTest t;
        monde(t);
        Contexte& c = *t.ctx;
        const int a = ajouterExpedition(c, u"A"_s, u"2012-04-10 08:00:00"_s, {}, 1);
        const int b = ajouterExpedition(c, u"B"_s, u"2012-04-11 08:00:00"_s, {}, 1);
        const QString tare = u"SELECT Tare FROM Expédition WHERE [No Expédition] = ?"_s;
        const auto question = [](int numero) {
            return u"Modification des expéditions|Enregistrer les modifications de "
                   "l'expédition %1 ?"_s.arg(numero);
        };
        auto f = std::make_unique<ExpModif>(c, nullptr);
        montrer(f.get());
        ListeRapport* exp = liste(f.get(), u"ListeExp"_s);
        auto* champTare = controle<QLineEdit>(f.get(), u"Tare"_s);

        // Shown unchanged: another row without a question.
        cliquerLigne(exp, 1);
        cliquerLigne(exp, 0);
        QVERIFY(t.prompts.boites.isEmpty());

        // "Annuler": the shipment, its row highlighted, and the tare stay.
        champTare->setText(u"1,5"_s);
        t.prompts.choix.enqueue(Prompts::Reponse::Annuler);
        cliquerLigne(exp, 1);
        QCoreApplication::processEvents();
        QCOMPARE(t.prompts.titresEtTextes(), QStringList{question(a)});
        QCOMPARE(f->rsExp()->noExpedition, a);
        QCOMPARE(exp->ligneCourante(), 0);
        QVERIFY(exp->selectionModel()->isRowSelected(0));
        QVERIFY(!exp->selectionModel()->isRowSelected(1));
        QCOMPARE(champTare->text(), u"1,5"_s);
        QVERIFY(valeurSql(c, tare, {a}).isNull());

        // "Non": the other shipment, nothing written; back again, the tare is
        // the saved one.
        t.prompts.choix.enqueue(Prompts::Reponse::Non);
        cliquerLigne(exp, 1);
        QCOMPARE(f->rsExp()->noExpedition, b);
        QVERIFY(valeurSql(c, tare, {a}).isNull());
        cliquerLigne(exp, 0);
        QVERIFY(champTare->text().isEmpty());
        QCOMPARE(t.prompts.boites.size(), 2);

        // "Oui" from the arrow key: saved, said in the status bar, then the
        // next shipment.
        champTare->setText(u"2"_s);
        t.prompts.choix.enqueue(Prompts::Reponse::Oui);
        QTest::keyClick(exp, Qt::Key_Down);
        QCOMPARE(valeurSql(c, tare, {a}).toDouble(), 2.0);
        QCOMPARE(f->rsExp()->noExpedition, b);
        QCOMPARE(t.feedback.statuts.last(), u"Expédition N° %1 enregistrée."_s.arg(a));

        // "Enregistrer" says so too, and the saved shipment is left quietly.
        controle<QLineEdit>(f.get(), u"Lib1"_s)->setText(u"B bis"_s);
        cliquer(f.get(), "EnrModifExp");
        QCOMPARE(t.feedback.statuts.last(), u"Expédition N° %1 enregistrée."_s.arg(b));
        t.prompts.vider();
        cliquerLigne(exp, 0);
        QVERIFY(t.prompts.boites.isEmpty());

        // "Oui" with a number the save refuses: the refusal, and the shipment stays.
        controle<QLineEdit>(f.get(), u"Volume"_s)->setText(u"un peu"_s);
        t.prompts.choix.enqueue(Prompts::Reponse::Oui);
        cliquerLigne(exp, 1);
        QCOMPARE(t.prompts.boites.size(), 2);
        QCOMPARE(t.prompts.boites.last().titre, u"Modification des expéditions"_s);
        QVERIFY(t.prompts.boites.last().texte.contains(u"« Volume »"_s));
        QCOMPARE(f->rsExp()->noExpedition, a);
        QCOMPARE(exp->ligneCourante(), 0);

        // "Actualiser" keeps the shipment with its edits while it stays
        // listed; when the new list leaves it out it asks first, and
        // "Annuler" keeps the list as it was.
        t.prompts.vider();
        cliquer(f.get(), "BtActualiser");
        QVERIFY(t.prompts.boites.isEmpty());
        QCOMPARE(f->rsExp()->noExpedition, a);
        QCOMPARE(controle<QLineEdit>(f.get(), u"Volume"_s)->text(), u"un peu"_s);
        const QString cloture =
            u"UPDATE Expédition SET [Date cloture] = ? WHERE [No Expédition] = ?"_s;
        executerSql(c, cloture, {u"2012-04-20 00:00:00"_s, a});
        t.prompts.choix.enqueue(Prompts::Reponse::Annuler);
        cliquer(f.get(), "BtActualiser");
        QCOMPARE(t.prompts.titresEtTextes(), QStringList{question(a)});
        QCOMPARE(exp->nombreLignes(), 2);
        QCOMPARE(f->rsExp()->noExpedition, a);
        executerSql(c, cloture, {QVariant(), a});

        // Closing the window: "Annuler" keeps it open, "Non" closes it.
        t.prompts.vider();
        t.prompts.choix << Prompts::Reponse::Annuler << Prompts::Reponse::Non;
        QVERIFY(!f->close());
        QVERIFY(f->isVisible());
        QCOMPARE(t.prompts.titresEtTextes(), QStringList{question(a)});
        QVERIFY(f->close());
        QCOMPARE(t.prompts.boites.size(), 2);
        f.reset();

        // Quitting the program: "Annuler" keeps it running with the edits,
        // "Oui" saves them and quits.
        FenetrePrincipale principale(c);
        ui::brancherExpeditions(principale);
        montrer(&principale);
        principale.action(u"mnuModifExp"_s)->trigger();
        QWidget* modif = principale.fenetreOuverte(u"ExpModif"_s);
        QVERIFY(modif);
        controle<QLineEdit>(modif, u"Lib1"_s)->setText(u"A quitté"_s);
        t.prompts.vider();
        t.prompts.choix << Prompts::Reponse::Annuler << Prompts::Reponse::Oui;
        QVERIFY(!principale.close());
        QVERIFY(principale.isVisible());
        QCOMPARE(controle<QLineEdit>(modif, u"Lib1"_s)->text(), u"A quitté"_s);
        QVERIFY(principale.close());
        QCOMPARE(t.prompts.titresEtTextes(), (QStringList{question(a), question(a)}));
        QCOMPARE(
            valeurSql(c, u"SELECT [Libellé 1] FROM Expédition WHERE [No Expédition] = ?"_s, {a})
                .toString(),
            u"A quitté"_s);
    }

    void erreurDeBaseSignaleeEtFenetreUtilisable() {
        BaseDeTest t;
        monde(t);
        Contexte& c = *t.ctx;
        ajouterExpedition(c, u"E"_s, u"2012-04-10 08:00:00"_s);
        ExpModif f(c, nullptr);
        montrer(&f);
        executerSql(c, u"ALTER TABLE Expédition RENAME TO Cachee"_s);
        controle<QPushButton>(&f, u"BtActualiser"_s)->click();
        QCOMPARE(t.prompts.boites.size(), 1);
        QCOMPARE(t.prompts.boites.first().titre, u"Erreur"_s);
        QVERIFY(t.prompts.boites.first().texte.startsWith(u"Erreur n° : "_s));
        executerSql(c, u"ALTER TABLE Cachee RENAME TO Expédition"_s);
        controle<QPushButton>(&f, u"BtActualiser"_s)->click();
        QCOMPARE(liste(&f, u"ListeExp"_s)->nombreLignes(), 1);
        QCOMPARE(t.prompts.boites.size(), 1);

        // Removed on another workstation: the reloaded list is empty, so is
        // the detail area.
        executerSql(c, u"DELETE FROM Expédition"_s);
        controle<QPushButton>(&f, u"BtActualiser"_s)->click();
        QVERIFY(!f.rsExp());
        QVERIFY(controle<QLineEdit>(&f, u"NoExp"_s)->text().isEmpty());
    }

    // An order whose shipment the list leaves out: a closed one is brought
    // in by ticking "Afficher les expéditions closes"; one older than the
    // list's three years is named in a box, and the list stays as it was.
    void rechercheHorsListe() {
        BaseDeTest t;
        monde(t);
        Contexte& c = *t.ctx;
        const int ouverte = ajouterExpedition(c, u"Ouverte"_s, u"2012-04-10 08:00:00"_s);
        const int close =
            ajouterExpedition(c, u"Close"_s, u"2012-04-11 08:00:00"_s, u"2012-04-12 08:00:00"_s);
        const int ancienne = ajouterExpedition(c, u"Ancienne"_s, u"2008-02-05 08:00:00"_s);
        const QString attacher =
            u"INSERT INTO [Liste commandes] ([No Expédition], [No commande SAGE]) VALUES (?, ?)"_s;
        executerSql(c, attacher, {close, u"BC4"_s});
        executerSql(c, attacher, {ancienne, u"BC5"_s});

        FenetrePrincipale principale(c);
        ui::brancherExpeditions(principale);
        montrer(&principale);
        principale.action(u"mnuModifExp"_s)->trigger();
        auto* modif = qobject_cast<ExpModif*>(principale.fenetreOuverte(u"ExpModif"_s));
        QVERIFY(modif);
        auto* closes = controle<QCheckBox>(modif, u"AffClot"_s);
        QVERIFY(!closes->isChecked());
        QCOMPARE(modif->rsExp()->noExpedition, ouverte);

        t.prompts.saisies.enqueue(u"bc4"_s);
        principale.action(u"mnuRechExp"_s)->trigger();
        QVERIFY(closes->isChecked());
        QCOMPARE(modif->rsExp()->noExpedition, close);
        QCOMPARE(t.prompts.boites.size(), 1);

        // Not even with the closed ones: unticked again, the shown shipment
        // stays, and the box says where the order is and why.
        closes->click();
        QVERIFY(!closes->isChecked());
        const int lignes = liste(modif, u"ListeExp"_s)->nombreLignes();
        t.prompts.vider();
        t.prompts.saisies.enqueue(u"BC5"_s);
        principale.action(u"tbRechercher"_s)->trigger();
        QVERIFY(!closes->isChecked());
        QCOMPARE(liste(modif, u"ListeExp"_s)->nombreLignes(), lignes);
        QCOMPARE(modif->rsExp()->noExpedition, ouverte);
        QCOMPARE(t.prompts.titresEtTextes(),
                 (QStringList{u"Recherche d'une commande|No commande :"_s,
                              u"Recherche de commande|La commande est dans l'expédition N° %1, "
                              u"créée le 05/02/2008, que la liste des expéditions ne montre pas : "
                              u"elle ne garde que les expéditions créées depuis trois ans."_s.arg(
                                  ancienne)}));
    }

    void fenetrePrincipaleMenusRechercheEtEditions() {
        BaseDeTest t;
        monde(t);
        Contexte& c = *t.ctx;
        const int a = ajouterExpedition(c, u"A"_s, u"2012-04-10 08:00:00"_s);
        const int b = ajouterExpedition(c, u"B"_s, u"2012-04-11 08:00:00"_s);
        const QString attacher =
            u"INSERT INTO [Liste commandes] ([No Expédition], [No commande SAGE]) VALUES (?, ?)"_s;
        executerSql(c, attacher, {b, u"BC4"_s});
        executerSql(c, attacher, {a, u"BC5"_s});
        executerSql(c, attacher, {b, u"BC5"_s});

        FenetrePrincipale principale(c);
        ui::brancherExpeditions(principale);
        montrer(&principale);
        principale.action(u"mnuCreaExpAuto"_s)->trigger();
        QWidget* automatique = principale.fenetreOuverte(u"ExpNewAuto"_s);
        QVERIFY(automatique);
        principale.action(u"tbModeAuto"_s)->trigger();
        QCOMPARE(principale.fenetreOuverte(u"ExpNewAuto"_s), automatique);
        principale.action(u"tbCreerExp"_s)->trigger();
        QVERIFY(principale.fenetreOuverte(u"ExpNewManuel"_s));

        // The search opens the modification window on the shipment found.
        t.prompts.saisies.enqueue(u" bc4"_s);
        principale.action(u"tbRechercher"_s)->trigger();
        auto* modif = qobject_cast<ExpModif*>(principale.fenetreOuverte(u"ExpModif"_s));
        QVERIFY(modif);
        QCOMPARE(modif->rsExp()->noExpedition, b);
        // Two shipments: the anomaly box, then the first one.
        t.prompts.vider();
        t.prompts.saisies.enqueue(u"BC5"_s);
        principale.action(u"mnuRechExp"_s)->trigger();
        QCOMPARE(t.prompts.boites.last().titre, u"ANOMALIE : Recherche de commande"_s);
        QCOMPARE(modif->rsExp()->noExpedition, a);

        // Coming back from a box keeps what was typed; so does coming back
        // from another window, without a question.
        auto* lib1 = controle<QLineEdit>(modif, u"Lib1"_s);
        QWidget boite;
        for (QWidget* saisie :
             {static_cast<QWidget*>(lib1), static_cast<QWidget*>(liste(modif, u"ListeExp"_s))}) {
            saisie->setFocus();
            lib1->setText(u"En cours de saisie"_s);
            montrer(&boite);
            QApplication::setActiveWindow(&boite);
            QApplication::setActiveWindow(&principale);
            QTest::qWait(20);
            QCOMPARE(lib1->text(), u"En cours de saisie"_s);
        }
        boite.hide();
        t.prompts.vider();
        principale.action(u"mnuCreaExpAuto"_s)->trigger();
        principale.action(u"mnuModifExp"_s)->trigger();
        QTest::qWait(20);
        QCOMPARE(lib1->text(), u"En cours de saisie"_s);
        QVERIFY(t.prompts.boites.isEmpty());
        lib1->setText(u"A"_s);

        // "Etiquettes expédition" reaches the window's parcel labels.
        QAction* etiquettes = principale.action(u"mnuEdEtiqExp"_s);
        QVERIFY(etiquettes->isEnabled());
        controle<QPushButton>(modif, u"BtEdition"_s)->click();
        QVERIFY(principale.mnuEditionExp()->isVisible());
        principale.mnuEditionExp()->hide();
        t.prompts.vider();
        etiquettes->trigger();
        QCOMPARE(t.prompts.titresEtTextes(),
                 QStringList{u"Nombre de colis théorique incorrect|Vous devez définir un nombre de "
                             u"colis théorique différent de zéro."_s});
        // An unsaved count counts: the label window opens with it.
        controle<QLineEdit>(modif, u"NbColTheo"_s)->setText(u"2"_s);
        QString dernierColis;
        QTimer::singleShot(0, this, [&] {
            QWidget* dialogue = QApplication::activeModalWidget();
            QVERIFY(dialogue);
            QCOMPARE(dialogue->objectName(), u"ExpEdEtiq"_s);
            dernierColis = controle<QLineEdit>(dialogue, u"NoColis2"_s)->text();
            dialogue->close();
        });
        etiquettes->trigger();
        QCOMPARE(dernierColis, u"2"_s);
        QCOMPARE(t.prompts.boites.size(), 1);
        QCOMPARE(compter(c, u"Expédition"_s, u"[Nbr colis théorique] = 0"_s), 2);
        // The reports are offered while the window lives, like the labels.
        QVERIFY(principale.action(u"mnuBonExp"_s)->isEnabled());
        delete modif->parentWidget();
        QVERIFY(!etiquettes->isEnabled());
        QVERIFY(!principale.action(u"mnuBonExp"_s)->isEnabled());
    }
};

QTEST_MAIN(TestFenetresExpeditions)
#include "test_fenetres_expeditions.moc"
