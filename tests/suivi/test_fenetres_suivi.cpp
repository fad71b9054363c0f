// The follow-up's windows on the main window: the entries, the list's texts,
// colours, sort, filter and totals, the poll after a run on another
// workstation, and the road from a shipment to the entries behind a line.
#include "AutrePoste.h"
#include "OutilsTerminal.h"
#include "db/Base.h"
#include "db/Connexion.h"
#include "suivi/LignesExpedition.h"
#include "suivi/Suivi.h"
#include "suivi/ui/BranchementsSuivi.h"
#include "suivi/ui/FenetreExplication.h"
#include "suivi/ui/FenetreLignesExpedition.h"
#include "suivi/ui/FenetreSuivi.h"
#include "suivi/ui/LigneTotaux.h"
#include "suivi/ui/ModeleSuivi.h"
#include "terminal/IntegData.h"
#include "ui/main/FenetrePrincipale.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QThreadPool>
#include <QTimer>

using namespace tarvo;
using namespace tarvo::test;
using namespace Qt::StringLiterals;

namespace {

const QByteArray Jour = "2012-04-19";
const QByteArray Coussin = "3760987650014"; // 0,14 kg, 4 ordered
const QByteArray Tablier = "3760987650021"; // 0,2 kg, 2 ordered

// The windows of kind Fenetre that `parent` shows.
template <typename Fenetre> int visibles(QObject* parent) {
    int n = 0;
    for (const Fenetre* f : parent->findChildren<Fenetre*>(Qt::FindDirectChildrenOnly))
        n += f->isVisible() ? 1 : 0;
    return n;
}

// The demo data, shipment 900 (4 cushion covers, 2 aprons, nothing
// prepared) and closed shipment 901.
void monde(BaseDeTest& t) {
    t.creerBase(true);
    Connexion& db = *t.ctx->cnx;
    ajouterExpedition(db, 900, u"Essai suivi"_s, QVariant(), 2);
    ajouterExpedition(db, 901, u"Ancienne"_s, QVariant(), 1, true);
    sql(db, u"INSERT INTO [Liste commandes] ([No Expédition], [No commande SAGE]) "
            "VALUES (900, 'BT900')"_s);
    sql(db, u"INSERT INTO F_DOCLIGNE (DO_Type, DO_Piece, DL_Ligne, AR_Ref, DL_Qte, DL_QtePL) "
            "VALUES (1, 'BT900', 1000, 'COUSS40', 4, 4), (1, 'BT900', 2000, 'TABLIER', 2, 2)"_s);
}

// A terminal's file integrated by another workstation.
void integrerAilleurs(BaseDeTest& t, const QList<QByteArray>& lignes) {
    // Written before the other workstation's clock, so not still being written.
    ecrireData(t, lignes, QDateTime(QDate(2012, 4, 19), QTime(9, 0)));
    AutrePoste autre(t.dossier.path(), t.ctx->cnx->parametres());
    QVERIFY(terminal::IntegData(*autre.ctx));
}

// The window's rows are read and listed off its thread: true once it is
// done with them.
bool prete(suivi::FenetreSuivi& fenetre) {
    return QTest::qWaitFor([&fenetre] { return !fenetre.occupee(); }, 20000);
}

// The poll, to its end: true when it brought new rows.
bool sonde(suivi::FenetreSuivi& fenetre) {
    QSignalSpy lues(&fenetre, &suivi::FenetreSuivi::lignesLues);
    fenetre.verifierIntegration();
    return prete(fenetre) && lues.size() == 1;
}

QString texte(const QAbstractItemModel* m, int r, int c) {
    return m->index(r, c).data().toString();
}

int rangDe(const QAbstractItemModel* m, const QString& noExp) {
    for (int r = 0; r < m->rowCount(); ++r)
        if (texte(m, r, 0) == noExp)
            return r;
    return -1;
}

QStringList ligneDe(const QAbstractItemModel* m, int r) {
    QStringList textes;
    for (int c = 0; c < m->columnCount(); ++c)
        textes << texte(m, r, c);
    return textes;
}

// Where a column stands in the window.
int colonne(suivi::ColonneSuivi c) {
    return suivi::RangColonne(c);
}

QStringList totaux(QWidget* fenetre) {
    return fenetre->findChild<suivi::LigneTotaux*>(u"Totaux"_s)->textes();
}

// The follow-up's rows as the core reads them, those listed by the window
// in its order.
QList<suivi::LigneSuivi> listees(BaseDeTest& t, const QAbstractItemModel* m, bool closes) {
    QList<suivi::LigneSuivi> toutes = suivi::LireSuivi(db::Base(t.ctx->cnx.get()), closes, 10);
    QList<suivi::LigneSuivi> lignes;
    for (int r = 0; r < m->rowCount(); ++r)
        for (const suivi::LigneSuivi& l : toutes)
            if (QString::number(l.noExpedition) == texte(m, r, 0))
                lignes << l;
    return lignes;
}

} // namespace

class TestFenetresSuivi : public QObject {
    Q_OBJECT

private slots:
    void suiviDesPreparations() {
        BaseDeTest t;
        monde(t);
        ui::FenetrePrincipale principale(*t.ctx);
        ui::brancherSuivi(principale);
        principale.show();
        QVERIFY(QTest::qWaitForWindowExposed(&principale));

        // The menu entry and the button open one window.
        principale.action(u"mnuSuiviPrep"_s)->trigger();
        auto* fenetre =
            qobject_cast<suivi::FenetreSuivi*>(principale.fenetreOuverte(u"SuiviPrep"_s));
        QVERIFY(fenetre);
        QVERIFY(prete(*fenetre));
        QCOMPARE(fenetre->windowTitle(), u"Suivi des préparations"_s);
        principale.action(u"tbSuiviPrep"_s)->trigger();
        QCOMPARE(principale.fenetreOuverte(u"SuiviPrep"_s), fenetre);
        QCOMPARE(principale.findChild<QMdiArea*>()->subWindowList().size(), 1);

        auto* vue = fenetre->findChild<QTableView*>(u"ListeSuivi"_s);
        QAbstractItemModel* m = vue->model();
        QStringList entetes;
        for (int c = 0; c < m->columnCount(); ++c)
            entetes << m->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(entetes, suivi::ColonnesSuivi());
        // The state comes first, in view at any width.
        QCOMPARE(entetes.mid(0, 3), (QStringList{u"No Expédition"_s, u"État"_s, u"Libellé 1"_s}));
        QCOMPARE(entetes.at(colonne(suivi::ColonneSuivi::ColisScannes)), u"Colis scannés"_s);
        QCOMPARE(rangDe(m, u"901"_s), -1);
        QCOMPARE(ligneDe(m, rangDe(m, u"900"_s)),
                 (QStringList{u"900"_s, u"Non commencée"_s, u"Essai suivi"_s, u"1"_s, u"2"_s,
                              u"6"_s, u"0"_s, u"0"_s, u"2"_s, u"2"_s, u"0"_s, u"0"_s, u"0"_s,
                              QString(), QString()}));
        QCOMPARE(totaux(fenetre), suivi::TextesTotaux(suivi::Totaliser(listees(t, m, false))));

        // The poll reloads after a run on another workstation, and only then.
        QVERIFY(!sonde(*fenetre));
        integrerAilleurs(t, {
                                ligneXA(900, 1, Jour, "10:00:00", Coussin, 3),
                                ligneXA(900, 1, Jour, "10:00:00", Coussin, 2),
                                ligneXA(900, 2, Jour, "10:01:00", Tablier, 2),
                                ligneFP(900, 1, Jour, "10:02:00", "5.00"),
                            });
        QVERIFY(sonde(*fenetre));
        QVERIFY(!sonde(*fenetre));
        const int r900 = rangDe(m, u"900"_s);
        QCOMPARE(texte(m, r900, colonne(suivi::ColonneSuivi::QtePreparee)), u"5"_s);
        QCOMPARE(texte(m, r900, colonne(suivi::ColonneSuivi::ColisSuspects)), u"1"_s);
        QCOMPARE(texte(m, r900, colonne(suivi::ColonneSuivi::Etat)), u"En cours"_s);

        // Closed ones on demand, each state in its colour.
        fenetre->findChild<QCheckBox*>(u"AffClot"_s)->setChecked(true);
        QVERIFY(prete(*fenetre));
        QCOMPARE(texte(m, rangDe(m, u"901"_s), colonne(suivi::ColonneSuivi::Etat)), u"Close"_s);
        QSet<QRgb> couleurs;
        const QList<suivi::LigneSuivi> toutes = listees(t, m, true);
        for (int r = 0; r < m->rowCount(); ++r) {
            QCOMPARE(m->index(r, 3).data(Qt::BackgroundRole).value<QColor>(),
                     suivi::couleurEtat(toutes.at(r).etat));
            couleurs << suivi::couleurEtat(toutes.at(r).etat).rgba();
        }
        QVERIFY(couleurs.size() >= 3);
        const QColor grise =
            m->index(rangDe(m, u"901"_s), 0).data(Qt::BackgroundRole).value<QColor>();
        QVERIFY(grise.isValid() &&
                grise != m->index(r900, 0).data(Qt::BackgroundRole).value<QColor>());

        // A sort compares the values: quantities as numbers, moments in time.
        const QStringList tousTotaux = totaux(fenetre);
        QCOMPARE(tousTotaux, suivi::TextesTotaux(suivi::Totaliser(toutes)));
        const int commandee = colonne(suivi::ColonneSuivi::QteCommandee);
        for (int c : {commandee, colonne(suivi::ColonneSuivi::DerniereSaisie)}) {
            vue->sortByColumn(c, Qt::AscendingOrder);
            QVERIFY(prete(*fenetre));
            const QList<suivi::LigneSuivi> triees = listees(t, m, true);
            for (int r = 1; r < triees.size(); ++r)
                QVERIFY(c == commandee
                            ? triees.at(r - 1).qteCommandee <= triees.at(r).qteCommandee
                            : triees.at(r - 1).derniereSaisie <= triees.at(r).derniereSaisie ||
                                  !triees.at(r - 1).derniereSaisie.isValid());
            QCOMPARE(totaux(fenetre), tousTotaux);
        }
        vue->sortByColumn(commandee, Qt::DescendingOrder);
        QVERIFY(prete(*fenetre));
        QVERIFY(texte(m, 0, commandee).toInt() > texte(m, m->rowCount() - 1, commandee).toInt());

        // A filter on any column, or on one; the totals follow the rows listed.
        auto* filtre = fenetre->findChild<QLineEdit*>(u"Filtre"_s);
        auto* choix = fenetre->findChild<QComboBox*>(u"ColonneFiltre"_s);
        filtre->setText(u"essai"_s);
        QVERIFY(prete(*fenetre));
        QCOMPARE(m->rowCount(), 1);
        QCOMPARE(totaux(fenetre), suivi::TextesTotaux(suivi::Totaliser(listees(t, m, true))));
        QCOMPARE(totaux(fenetre).at(colonne(suivi::ColonneSuivi::Libelle1)), u"1 expédition"_s);
        choix->setCurrentIndex(1 + colonne(suivi::ColonneSuivi::Etat));
        QVERIFY(prete(*fenetre));
        filtre->setText(u"close"_s);
        QVERIFY(prete(*fenetre));
        QCOMPARE(texte(m, 0, colonne(suivi::ColonneSuivi::Etat)), u"Close"_s);
        QCOMPARE(totaux(fenetre), suivi::TextesTotaux(suivi::Totaliser(listees(t, m, true))));
        QVERIFY(totaux(fenetre) != tousTotaux);
        choix->setCurrentIndex(1);
        QVERIFY(prete(*fenetre));
        filtre->setText(u"90"_s);
        QVERIFY(prete(*fenetre));
        QCOMPARE(m->rowCount(), 2);
        filtre->setText(u"900"_s);
        QVERIFY(prete(*fenetre));
        QCOMPARE(m->rowCount(), 1);

        // Shipment → its lines and suspect parcel → a line's entries.
        emit vue->doubleClicked(m->index(0, 1));
        auto* lignes = fenetre->findChild<suivi::FenetreLignesExpedition*>();
        QVERIFY(lignes);
        auto* grille = lignes->findChild<QTableWidget*>(u"LignesExpedition"_s);
        const suivi::DetailExpedition detail =
            suivi::LignesDeLExpedition(db::Base(t.ctx->cnx.get()), 900, 10);
        QCOMPARE(grille->rowCount(), detail.lignes.size());
        int rangCoussin = -1;
        for (int r = 0; r < grille->rowCount(); ++r)
            if (grille->item(r, 1)->text() == QString::fromLatin1(Coussin))
                rangCoussin = r;
        QVERIFY(rangCoussin >= 0);
        QCOMPARE(grille->item(rangCoussin, 4)->text(), u"4"_s);
        QCOMPARE(grille->item(rangCoussin, 5)->text(), u"3"_s);
        QCOMPARE(grille->item(rangCoussin, 6)->text(), u"-1"_s);
        auto* suspects = lignes->findChild<QTableWidget*>(u"ColisSuspects"_s);
        QCOMPARE(suspects->rowCount(), 1);
        QCOMPARE(suspects->item(0, 0)->text(), u"1"_s);
        QCOMPARE(suspects->item(0, 4)->text(), u"Suspect"_s);
        // The weights say their unit.
        QCOMPARE(suspects->horizontalHeaderItem(1)->text(), u"Poids pesé (kg)"_s);

        emit grille->cellDoubleClicked(rangCoussin, 0);
        auto* explication = lignes->findChild<suivi::FenetreExplication*>();
        QVERIFY(explication);
        const qint64 colisage =
            nombre(*t.ctx->cnx, u"SELECT SUM(Quantité) FROM Colisage WHERE "
                                "[No Expédition] = 900 AND [Code barres Article] = '%1'"_s.arg(
                                    QString::fromLatin1(Coussin)));
        QCOMPARE(explication->findChild<QLabel*>(u"QuantitePreparee"_s)->text(),
                 u"Quantité préparée : %1"_s.arg(colisage));
        auto* saisies = explication->findChild<QTableWidget*>(u"Saisies"_s);
        QCOMPARE(saisies->rowCount(), 2);
        QCOMPARE(saisies->item(0, 6)->text(), u"Compte"_s);
        QCOMPARE(saisies->item(1, 3)->text(), u"+2"_s);
        QCOMPARE(saisies->item(1, 6)->text(),
                 u"Remplacée par une saisie plus récente du même colis"_s);
        QVERIFY(saisies->item(1, 0)->foreground().color() !=
                saisies->item(0, 0)->foreground().color());
        QVERIFY(saisies->item(0, 5)->text().contains(u"Intégration du"_s));

        // A second double-click brings fresh figures in place of the first
        // window, which goes; another line or shipment gets its own.
        emit grille->cellDoubleClicked(rangCoussin, 0);
        QCOMPARE(visibles<suivi::FenetreExplication>(lignes), 1);
        emit grille->cellDoubleClicked(rangCoussin == 0 ? 1 : 0, 0);
        QCOMPARE(visibles<suivi::FenetreExplication>(lignes), 2);
        const QPointer<suivi::FenetreLignesExpedition> premiere(lignes);
        emit vue->doubleClicked(m->index(0, 1));
        QCOMPARE(visibles<suivi::FenetreLignesExpedition>(fenetre), 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(premiere.isNull());
        filtre->clear();
        QVERIFY(prete(*fenetre));
        emit vue->doubleClicked(m->index(m->index(0, 0).data().toInt() == 900 ? 1 : 0, 1));
        QCOMPARE(visibles<suivi::FenetreLignesExpedition>(fenetre), 2);
    }

    // With the closed shipments shown, a run elsewhere reads the open ones
    // again and keeps the closed rows as shown; a shipment closed since
    // brings everything back, as "Actualiser" does.
    void sondeAvecLesCloses() {
        BaseDeTest t;
        monde(t);
        suivi::FenetreSuivi fenetre(*t.ctx, 60000);
        QVERIFY(prete(fenetre));
        fenetre.findChild<QCheckBox*>(u"AffClot"_s)->setChecked(true);
        QVERIFY(prete(fenetre));
        const QAbstractItemModel* m = fenetre.findChild<QTableView*>(u"ListeSuivi"_s)->model();
        Connexion& db = *t.ctx->cnx;
        sql(db, u"UPDATE [Expédition] SET [Libellé 1] = 'Renommée' WHERE [No Expédition] = 901"_s);

        integrerAilleurs(t, {ligneXA(900, 1, Jour, "10:00:00", Coussin, 3)});
        QVERIFY(sonde(fenetre));
        QCOMPARE(texte(m, rangDe(m, u"900"_s), colonne(suivi::ColonneSuivi::QtePreparee)), u"3"_s);
        QCOMPARE(texte(m, rangDe(m, u"901"_s), colonne(suivi::ColonneSuivi::Libelle1)),
                 u"Ancienne"_s);
        QCOMPARE(m->rowCount(), suivi::LireSuivi(db::Base(t.ctx->cnx.get()), true, 10).size());

        sql(db, u"UPDATE [Expédition] SET [Date cloture] = '2012-04-19 11:00:00' "
                "WHERE [No Expédition] = 900"_s);
        integrerAilleurs(t, {ligneXA(900, 1, Jour, "10:05:00", Coussin, 4)});
        QVERIFY(sonde(fenetre));
        QCOMPARE(texte(m, rangDe(m, u"900"_s), colonne(suivi::ColonneSuivi::Etat)), u"Close"_s);
        QCOMPARE(texte(m, rangDe(m, u"901"_s), colonne(suivi::ColonneSuivi::Libelle1)),
                 u"Renommée"_s);

        // Opened again: one row, open.
        sql(db, u"UPDATE [Expédition] SET [Date cloture] = NULL WHERE [No Expédition] = 900"_s);
        integrerAilleurs(t, {ligneXA(900, 1, Jour, "10:06:00", Coussin, 1)});
        QVERIFY(sonde(fenetre));
        QCOMPARE(texte(m, rangDe(m, u"900"_s), colonne(suivi::ColonneSuivi::Etat)), u"En cours"_s);
        QCOMPARE(m->rowCount(), suivi::LireSuivi(db::Base(t.ctx->cnx.get()), true, 10).size());
    }

    // The filter folds case and accents as the database's French order does,
    // and takes "%" and "_" as themselves.
    void filtreEnFrancais() {
        BaseDeTest t;
        monde(t);
        Connexion& db = *t.ctx->cnx;
        sql(db, u"UPDATE [Expédition] SET [Libellé 1] = 'Écharpes d''été' "
                "WHERE [No Expédition] = 900"_s);
        // Five covers of four ordered: the shipment is « Écart ».
        sql(db, u"INSERT INTO Colis ([No Expédition], [No Colis]) VALUES (900, 1)"_s);
        sql(db, u"INSERT INTO Colisage ([No Expédition], [No Colis], [Code barres Article], "
                "Quantité) VALUES (900, 1, '%1', 5)"_s.arg(QString::fromLatin1(Coussin)));
        suivi::FenetreSuivi fenetre(*t.ctx, 60000);
        QVERIFY(prete(fenetre));
        const QAbstractItemModel* m = fenetre.findChild<QTableView*>(u"ListeSuivi"_s)->model();
        auto* filtre = fenetre.findChild<QLineEdit*>(u"Filtre"_s);
        auto* choix = fenetre.findChild<QComboBox*>(u"ColonneFiltre"_s);
        const int tout = m->rowCount();
        QVERIFY(tout > 1);
        QStringList ecarts;
        for (const suivi::LigneSuivi& l : suivi::LireSuivi(db::Base(t.ctx->cnx.get()), false, 10))
            if (l.etat == suivi::EtatPreparation::Ecart)
                ecarts << QString::number(l.noExpedition);
        QVERIFY(ecarts.contains(u"900"_s));
        const auto listes = [m] {
            QStringList numeros;
            for (int r = 0; r < m->rowCount(); ++r)
                numeros << texte(m, r, 0);
            numeros.sort();
            return numeros;
        };
        for (const QString& cherche : {u"ecart"_s, u"éCART"_s, u" ÉCART "_s}) {
            filtre->setText(cherche);
            QVERIFY(prete(fenetre));
            QCOMPARE(listes(), ecarts);
        }
        filtre->setText(u"echarpes d'ETE"_s);
        QVERIFY(prete(fenetre));
        QCOMPARE(listes(), QStringList{u"900"_s});
        choix->setCurrentIndex(1 + colonne(suivi::ColonneSuivi::Etat));
        QVERIFY(prete(fenetre));
        filtre->setText(u"Ecart"_s);
        QVERIFY(prete(fenetre));
        QCOMPARE(listes(), ecarts);
        choix->setCurrentIndex(1 + colonne(suivi::ColonneSuivi::Libelle1));
        QVERIFY(prete(fenetre));
        filtre->setText(u"ecart"_s);
        QVERIFY(prete(fenetre));
        QCOMPARE(m->rowCount(), 0);
        choix->setCurrentIndex(0);
        QVERIFY(prete(fenetre));
        // Neither a wildcard nor a text running from one cell into the next.
        for (const QString& joker : {u"%"_s, u"_"_s, u"9_0"_s, u"900Ecart"_s, u"900\x1F"_s}) {
            filtre->setText(joker);
            QVERIFY(prete(fenetre));
            QCOMPARE(m->rowCount(), 0);
        }
        filtre->clear();
        QVERIFY(prete(fenetre));
        QCOMPARE(m->rowCount(), tout);
    }

    // A reload after a run elsewhere leaves the list where the clerk had it:
    // the same shipment selected, scrolled as it was.
    void rechargementALaMemePlace() {
        BaseDeTest t;
        monde(t);
        Connexion& db = *t.ctx->cnx;
        for (int n = 1000; n < 1060; ++n)
            ajouterExpedition(db, n,
                              u"Une expédition au libellé assez long pour déborder %1"_s.arg(n),
                              QVariant(), 1);
        suivi::FenetreSuivi fenetre(*t.ctx, 60000);
        QVERIFY(prete(fenetre));
        fenetre.resize(500, 300);
        fenetre.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fenetre));
        auto* vue = fenetre.findChild<QTableView*>(u"ListeSuivi"_s);
        const QAbstractItemModel* m = vue->model();
        vue->setCurrentIndex(m->index(rangDe(m, u"1050"_s), 0));
        QScrollBar* horizontale = vue->horizontalScrollBar();
        QScrollBar* verticale = vue->verticalScrollBar();
        QVERIFY(horizontale->maximum() > 0 && verticale->maximum() > 0);
        horizontale->setValue(horizontale->maximum() / 2);
        // Scrolled away from the selected shipment, which stays out of view.
        verticale->setValue(1);
        const int x = horizontale->value(), y = verticale->value();
        QVERIFY(x > 0);

        integrerAilleurs(t, {ligneXA(900, 1, Jour, "10:00:00", Coussin, 3)});
        QVERIFY(sonde(fenetre));
        QCOMPARE(texte(m, rangDe(m, u"900"_s), colonne(suivi::ColonneSuivi::QtePreparee)), u"3"_s);
        QCOMPARE(horizontale->value(), x);
        QCOMPARE(verticale->value(), y);
        const QModelIndexList choisies = vue->selectionModel()->selectedRows();
        QCOMPARE(choisies.size(), 1);
        QCOMPARE(choisies.first().data().toString(), u"1050"_s);
        QCOMPARE(vue->currentIndex().row(), choisies.first().row());
    }

    // « Annuler » leaves the list as it was, whatever the read brings late;
    // a filter chosen while rows are read applies to them as they land.
    void lectureAnnulee() {
        BaseDeTest t;
        monde(t);
        suivi::FenetreSuivi fenetre(*t.ctx, 60000);
        QVERIFY(prete(fenetre));
        const QAbstractItemModel* m = fenetre.findChild<QTableView*>(u"ListeSuivi"_s)->model();
        auto* closes = fenetre.findChild<QCheckBox*>(u"AffClot"_s);
        auto* attente = fenetre.findChild<QWidget*>(u"Attente"_s);
        const int ouvertes = m->rowCount();
        closes->setChecked(true);
        QVERIFY(fenetre.occupee());
        QVERIFY(!attente->isHidden());
        QTest::mouseClick(attente->findChild<QPushButton*>(u"BtAnnuler"_s), Qt::LeftButton);
        QVERIFY(!fenetre.occupee());
        QVERIFY(attente->isHidden());
        QVERIFY(!closes->isChecked());
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        QCOMPARE(m->rowCount(), ouvertes);
        QCOMPARE(rangDe(m, u"901"_s), -1);

        closes->setChecked(true);
        fenetre.findChild<QLineEdit*>(u"Filtre"_s)->setText(u"ancienne"_s);
        fenetre.findChild<QComboBox*>(u"ColonneFiltre"_s)
            ->setCurrentIndex(1 + colonne(suivi::ColonneSuivi::Libelle1));
        QVERIFY(prete(fenetre));
        QCOMPARE(m->rowCount(), 1);
        QCOMPARE(texte(m, 0, 0), u"901"_s);
    }

    // A database failure during the poll shows its box once and stops the
    // poll; "Actualiser" starts it again.
    void pannePendantLeSuivi() {
        BaseDeTest t;
        monde(t);
        suivi::FenetreSuivi fenetre(*t.ctx, 60000);
        QVERIFY(prete(fenetre));
        auto* minuterie = fenetre.findChild<QTimer*>(u"Sonde"_s);
        QVERIFY(minuterie->isActive());
        sql(*t.ctx->cnx, u"ALTER TABLE tarvo_integration RENAME TO cachee"_s);
        QVERIFY(!sonde(fenetre));
        QCOMPARE(t.prompts.boites.size(), 1);
        QCOMPARE(t.prompts.boites.first().titre, u"Erreur"_s);
        QVERIFY(!minuterie->isActive());
        sql(*t.ctx->cnx, u"ALTER TABLE cachee RENAME TO tarvo_integration"_s);
        QTest::mouseClick(fenetre.findChild<QPushButton*>(u"BtActualiser"_s), Qt::LeftButton);
        QVERIFY(prete(fenetre));
        QVERIFY(minuterie->isActive());
        QCOMPARE(t.prompts.boites.size(), 1);
    }
};

QTEST_MAIN(TestFenetresSuivi)
#include "test_fenetres_suivi.moc"
