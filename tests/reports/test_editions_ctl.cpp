// tarvoctl edition: each report as a PDF read back with pdftotext, printing
// into a spool folder, and the failures a scheduler must see.
#include "BaseDeTest.h"
#include "OutilsEditions.h"
#include "Tarvoctl.h"
#include "db/Base.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <sys/mount.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace tarvo;
using namespace tarvo::test;

namespace {

void executer(BaseDeTest& t, const QString& script) {
    db::Base(t.ctx->cnx.get()).executerScript(db::TexteSql{script});
}

} // namespace

class TestEditionsCtl : public QObject {
    Q_OBJECT

    std::unique_ptr<BaseDeTest> base_;
    QTemporaryDir spool_;

    ResultatTarvoctl lancer(const QStringList& arguments) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TARVO_SPOOL_DIR"), spool_.path());
        return lancerTarvoctl(QStringList{QStringLiteral("--dir"), base_->dossier.path(),
                                          QStringLiteral("--ignorer-version"),
                                          QStringLiteral("edition")} +
                                  arguments,
                              env);
    }
    // The report as text, or an empty text when tarvoctl failed.
    QString pdf(const QString& etat, const QString& expedition) const {
        const QString fichier = base_->chemin(etat + expedition + QStringLiteral(".pdf"));
        const ResultatTarvoctl r = lancer({etat, expedition, QStringLiteral("--pdf"), fichier});
        if (r.statut != 0)
            qWarning("%s", qPrintable(r.erreurs));
        return r.statut == 0 ? textePdf(fichier) : QString();
    }

private slots:
    void init() {
        base_ = std::make_unique<BaseDeTest>();
        base_->creerBase(true);
    }
    void cleanup() { base_.reset(); }

    void etatsDeDemonstration_data() {
        QTest::addColumn<QString>("etat");
        QTest::addColumn<QString>("expedition");
        QTest::addColumn<QStringList>("attendu");
        const QString edite = QStringLiteral("Edité le : ") +
                              QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
        QTest::newRow("bon") << u"bon-expedition"_s << u"102"_s
                             << QStringList{u"BON D'EXPEDITION"_s,
                                            u"No Expédition:"_s,
                                            u"102"_s,
                                            u"Lieu de livraison :"_s,
                                            u"Galeries Rhodaniennes - Entrepôt"_s,
                                            u"Libellé 1:"_s,
                                            u"69200 Vénissieux"_s,
                                            u"Date création:"_s,
                                            u"Date cloture:"_s,
                                            u"Liste des commandes de l'expédition :"_s,
                                            u"No commande SAGE"_s,
                                            u"Référence SAGE"_s,
                                            u"Date création SAGE"_s,
                                            u"Date livraison"_s,
                                            u"BC00103"_s,
                                            u"REASSORT TORCHONS"_s,
                                            u"BC00104"_s,
                                            u"NOEL COFFRETS"_s,
                                            edite,
                                            u"Page 1/1"_s};
        QTest::newRow("articles") << u"liste-articles"_s << u"102"_s
                                  << QStringList{u"Liste articles de l'expédition n°102"_s,
                                                 u"No Expédition:"_s,
                                                 u"Liste des articles de l'expédition :"_s,
                                                 u"N°Commandes"_s,
                                                 u"BC00103"_s,
                                                 u"BC00104"_s,
                                                 u"Code barres"_s,
                                                 u"Référence SAGE"_s,
                                                 u"Désignation"_s,
                                                 u"Qté"_s,
                                                 u"3760987650021"_s,
                                                 u"TABLIER"_s,
                                                 u"Tablier de cuisine coton"_s,
                                                 u"4"_s,
                                                 u"3760987650045"_s,
                                                 u"COFFRET"_s,
                                                 u"3760987650410"_s,
                                                 u"Plaid laine 130x170 - Moutarde"_s,
                                                 u"Page 1/1"_s};
        QTest::newRow("contrôle articles")
            << u"controle-articles"_s << u"102"_s
            << QStringList{u"Etat de contrôle de l'expédition n°102"_s,
                           u"N°Commandes"_s,
                           u"CodeArticle"_s,
                           u"Désignation"_s,
                           u"Qté commandée"_s,
                           u"Qté expédiée"_s,
                           u"Contrôle"_s,
                           u"Différence"_s,
                           u"COFFRET"_s,
                           u"OK"_s,
                           u"PLAID130"_s,
                           u"5"_s,
                           u"0"_s,
                           u"Quantité incorrecte"_s,
                           u"-5"_s,
                           u"TABLIER"_s,
                           u"TORCH50"_s,
                           u"18"_s,
                           u"18"_s,
                           u"OK"_s};
        QTest::newRow("contrôle codes barre")
            << u"controle-codes-barre"_s << u"102"_s
            << QStringList{u"Etat de contrôle de l'expédition n°102"_s,
                           u"Code Barre"_s,
                           u"Désignation"_s,
                           u"Qté commandée"_s,
                           u"Qté expédiée"_s,
                           u"Contrôle"_s,
                           u"Différence"_s,
                           u"3760987650045"_s,
                           u"3760987650403"_s,
                           u"3760987650410"_s,
                           u"S/T"_s,
                           u"5"_s,
                           u"0"_s,
                           u"Quantité incorrecte"_s,
                           u"-5"_s,
                           u"3760987650021"_s,
                           u"3760987650328"_s,
                           u"3760987650304"_s,
                           u"3760987650311"_s,
                           u"S/T"_s,
                           u"18"_s,
                           u"18"_s,
                           u"OK"_s};
        QTest::newRow("colisage") << u"colisage"_s << u"101"_s
                                  << QStringList{u"Tissages de l'Arve"_s,
                                                 u"Zone artisanale des Grands Prés"_s,
                                                 u"74300 Cluses"_s,
                                                 u"Tél:"_s,
                                                 u"04 50 98 76 54"_s,
                                                 u"Fax:"_s,
                                                 u"e-m@il:"_s,
                                                 u"expeditions@tissages-arve.fr"_s,
                                                 u"www.tissages-arve.fr"_s,
                                                 u"Liste de colisage / Packing list"_s,
                                                 u"No Expédition:"_s,
                                                 u"101"_s,
                                                 u"Vos références"_s,
                                                 u"CDE 2291"_s,
                                                 u"Nos références"_s,
                                                 u"BC00101"_s,
                                                 u"No Colis:"_s,
                                                 u"1"_s,
                                                 u"Poids colis:"_s,
                                                 u"4,8"_s,
                                                 u"kg"_s,
                                                 u"Code barres"_s,
                                                 u"Désignation"_s,
                                                 u"Qté Livrée"_s,
                                                 u"3760987650106"_s,
                                                 u"3760987650205"_s,
                                                 u"Total article colis :"_s,
                                                 u"14"_s,
                                                 u"No Colis:"_s,
                                                 u"2,1"_s,
                                                 u"3760987650014"_s,
                                                 u"Total article colis :"_s,
                                                 u"4"_s,
                                                 u"Tare:"_s,
                                                 u"0,6"_s,
                                                 u"Poids brut:"_s,
                                                 u"6,9"_s,
                                                 u"Poids Net:"_s,
                                                 u"6,3"_s,
                                                 u"Volume:"_s,
                                                 u"0,08"_s,
                                                 u"Nbr Colis:"_s,
                                                 u"2"_s,
                                                 u"Page 1/1"_s};
    }
    void etatsDeDemonstration() {
        QFETCH(QString, etat);
        QFETCH(QString, expedition);
        QFETCH(QStringList, attendu);
        const QString texte = pdf(etat, expedition);
        QVERIFY2(dansLOrdre(texte, attendu), qPrintable(texte));
        // The same report twice shows the same lines.
        if (etat == QStringLiteral("controle-codes-barre"))
            QCOMPARE(pdf(etat, expedition), texte);
    }

    // A shipment without delivery place or orders: empty blocks, no failure.
    void expeditionVide() {
        executer(*base_, QStringLiteral("INSERT INTO [Expédition] ([No Expédition], [Libellé 1]) "
                                        "VALUES (901, 'Vide');"));
        for (const QString& etat : {QStringLiteral("bon-expedition"),
                                    QStringLiteral("liste-articles"), QStringLiteral("colisage")}) {
            const QString texte = pdf(etat, QStringLiteral("901"));
            QVERIFY2(dansLOrdre(texte, {u"No Expédition:"_s, u"901"_s, u"Lieu de livraison :"_s,
                                        u"Libellé 1:"_s, u"Vide"_s, u"Page 1/1"_s}),
                     qPrintable(texte));
            QVERIFY(!texte.contains(QStringLiteral("BC00")));
        }
    }

    // A company without logo, or with a logo that is no picture, still has
    // its letterhead; the second is noted in the debug log.
    void logos_data() {
        QTest::addColumn<QString>("logo");
        QTest::addColumn<bool>("note");
        QTest::newRow("sans logo") << u"NULL"_s << false;
        QTest::newRow("logo illisible") << u"X'0102030405'"_s << true;
    }
    void logos() {
        QFETCH(QString, logo);
        QFETCH(bool, note);
        executer(*base_, QStringLiteral("UPDATE [Informations société] SET Logo = ") + logo + u';');
        const QString texte = pdf(QStringLiteral("colisage"), QStringLiteral("101"));
        QVERIFY(dansLOrdre(texte, {u"Tissages de l'Arve"_s, u"Tél:"_s, u"Liste de colisage"_s}));
        QCOMPARE(QString::fromLatin1(base_->lireFichier(QStringLiteral("debug.txt")))
                     .contains(QStringLiteral("illisible")),
                 note);
    }

    void imprimante() {
        QVERIFY(QDir(spool_.path()).mkpath(QStringLiteral("LASER")));
        ResultatTarvoctl r = lancer({QStringLiteral("bon-expedition"), QStringLiteral("101"),
                                     QStringLiteral("--imprimer"), QStringLiteral("LASER")});
        QCOMPARE(r.statut, 0);
        const QStringList travaux =
            QDir(spool_.filePath(QStringLiteral("LASER"))).entryList(QDir::Files);
        QCOMPARE(travaux.size(), 1);
        const QString texte = textePdf(spool_.filePath(QStringLiteral("LASER/") + travaux.first()));
        QVERIFY(dansLOrdre(texte, {u"BON D'EXPEDITION"_s, u"101"_s, u"BC00101"_s}));

        r = lancer({QStringLiteral("bon-expedition"), QStringLiteral("101"),
                    QStringLiteral("--imprimer"), QStringLiteral("INCONNUE")});
        QCOMPARE(r.statut, 1);
        QVERIFY(r.erreurs.contains(QStringLiteral("L'imprimante INCONNUE est inconnue")));
    }

    void echecs() {
        ResultatTarvoctl r =
            lancer({QStringLiteral("bon-expedition"), QStringLiteral("101"),
                    QStringLiteral("--pdf"), QStringLiteral("/dossier/absent/bon.pdf")});
        QCOMPARE(r.statut, 1);
        QVERIFY2(r.erreurs.contains(
                     QStringLiteral("Impossible d'écrire le fichier PDF /dossier/absent/bon.pdf")),
                 qPrintable(r.erreurs));

        r = lancer({QStringLiteral("bon-expedition"), QStringLiteral("4242"),
                    QStringLiteral("--pdf"), base_->chemin(QStringLiteral("x.pdf"))});
        QCOMPARE(r.statut, 1);
        QVERIFY(r.erreurs.contains(QStringLiteral("L'expédition n° 4242 n'existe pas.")));
        QVERIFY(!QFile::exists(base_->chemin(QStringLiteral("x.pdf"))));

        r = lancer({QStringLiteral("facture"), QStringLiteral("101"), QStringLiteral("--pdf"),
                    base_->chemin(QStringLiteral("x.pdf"))});
        QCOMPARE(r.statut, 2);
        QVERIFY(r.erreurs.contains(QStringLiteral("État inconnu : facture")));
    }

    // On a full disk the command fails and the previous file stays whole.
    void disquePlein() {
        if (::geteuid() != 0)
            QSKIP("Monter un système de fichiers plein demande les droits root.");
        QTemporaryDir dossier;
        const QByteArray point = QFile::encodeName(dossier.path());
        if (::mount("tmpfs", point.constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP("Montage d'un tmpfs impossible.");
        const QString ancien = dossier.filePath(QStringLiteral("colisage.pdf"));
        {
            QFile f(ancien);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("ancien");
        }
        {
            QFile plein(dossier.filePath(QStringLiteral("remplissage")));
            QVERIFY(plein.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            const QByteArray bloc(4096, 'x');
            while (plein.write(bloc) == bloc.size()) {
            }
        }
        const ResultatTarvoctl r = lancer(
            {QStringLiteral("colisage"), QStringLiteral("101"), QStringLiteral("--pdf"), ancien});
        QFile f(ancien);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray contenu = f.readAll();
        f.close();
        ::umount(point.constData());
        QCOMPARE(r.statut, 1);
        QVERIFY(r.erreurs.contains(QStringLiteral("Impossible d'écrire le fichier PDF")));
        QCOMPARE(contenu, QByteArray("ancien"));
    }
};

QTEST_GUILESS_MAIN(TestEditionsCtl)
#include "test_editions_ctl.moc"
