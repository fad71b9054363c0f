// tarvoctl edition: each report as a PDF read back with pdftotext, printing
// into a spool folder, and the failures a scheduler must see.
#include "BaseDeTest.h"
#include "OutilsEditions.h"
#include "Tarvoctl.h"
#include "db/Base.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <sys/mount.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace tarvo;
using namespace tarvo::test;

namespace {

// Texts expected in this order, written as one text cut at '|'.
QStringList morceaux(const QString& texte) {
    return texte.split(u'|');
}

// The fonts of a PDF as pdffonts lists them: name and whether embedded.
QStringList polices(const QString& fichier) {
    QProcess p;
    p.start(u"pdffonts"_s, {fichier});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    QStringList liste;
    for (const QString& ligne : QString::fromUtf8(p.readAllStandardOutput()).split(u'\n').mid(2))
        if (const QStringList champs = ligne.simplified().split(u' '); champs.size() > 4)
            liste << champs.first() + u'=' + champs.at(champs.size() - 5);
    return liste;
}

// A designation and a range element as long as Sage allows them.
const QString Designation69 =
    u"Nappe coton enduite anti-taches 160x250 ourlet double finition mainXL"_s;
const QString Enumere21 = u"Bleu ardoise chiné 2T"_s;

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
        env.insert(u"TARVO_SPOOL_DIR"_s, spool_.path());
        return lancerTarvoctl(
            QStringList{u"--dir"_s, base_->dossier.path(), u"--ignorer-version"_s, u"edition"_s} +
                arguments,
            env);
    }
    // The report as text, or an empty text when tarvoctl failed.
    QString pdf(const QString& etat, const QString& expedition) const {
        const QString fichier = base_->chemin(etat + expedition + u".pdf"_s);
        const ResultatTarvoctl r = lancer({etat, expedition, u"--pdf"_s, fichier});
        if (r.statut != 0)
            qWarning("%s", qPrintable(r.erreurs));
        return r.statut == 0 ? textePdf(fichier) : QString();
    }

private slots:
    void init() {
        base_ = std::make_unique<BaseDeTest>();
        base_->creerBase(true);
        executer(
            *base_,
            u"INSERT INTO [Expédition] ([No Expédition], [Libellé 1]) VALUES (901, 'Vide');"_s);
    }
    void cleanup() { base_.reset(); }

    void etatsDeDemonstration_data() {
        QTest::addColumn<QString>("etat");
        QTest::addColumn<QString>("expedition");
        QTest::addColumn<QStringList>("attendu");
        const QString edite = u"Edité le : "_s + QDate::currentDate().toString(u"dd/MM/yyyy"_s);
        QTest::newRow("bon")
            << u"bon-expedition"_s << u"102"_s
            << morceaux(u"BON D'EXPEDITION|No Expédition:|102|Lieu de livraison :|"
                        "Galeries Rhodaniennes - Entrepôt|Libellé 1:|Date création:|"
                        "69200 Vénissieux|Date cloture:|Liste des commandes de l'expédition :|"
                        "No commande SAGE|Référence SAGE|Date création SAGE|Date livraison|"
                        "BC00103|REASSORT TORCHONS|BC00104|NOEL COFFRETS|%1|Page 1/1"_s.arg(edite));
        QTest::newRow("articles")
            << u"liste-articles"_s << u"102"_s
            << morceaux(u"Liste articles de l'expédition n°102|No Expédition:|"
                        "Liste des articles de l'expédition :|N°Commandes|BC00103|BC00104|"
                        "Code barres|Référence SAGE|Désignation|Qté|3760987650021|TABLIER|"
                        "Tablier de cuisine coton|4|3760987650045|COFFRET|3760987650410|"
                        "Plaid laine 130x170 - Moutarde|Page 1/1"_s);
        QTest::newRow("contrôle articles")
            << u"controle-articles"_s << u"102"_s
            << morceaux(u"Etat de contrôle de l'expédition n°102|N°Commandes|CodeArticle|"
                        "Désignation|Qté commandée|Qté expédiée|Contrôle|Différence|COFFRET|OK|"
                        "PLAID130|5|0|Quantité incorrecte|-5|TABLIER|TORCH50|18|18|OK"_s);
        QTest::newRow("contrôle codes barre")
            << u"controle-codes-barre"_s << u"102"_s
            << morceaux(u"Etat de contrôle de l'expédition n°102|Code Barre|Désignation|"
                        "Qté commandée|Qté expédiée|Contrôle|Différence|3760987650045|"
                        "3760987650403|3760987650410|S/T|5|0|Quantité incorrecte|-5|"
                        "3760987650021|3760987650328|3760987650304|3760987650311|S/T|18|18|OK"_s);
        QTest::newRow("colisage")
            << u"colisage"_s << u"101"_s
            << morceaux(u"Tissages de l'Arve|Zone artisanale des Grands Prés|74300 Cluses|Tél:|"
                        "04 50 98 76 54|Fax:|e-m@il:|expeditions@tissages-arve.fr|"
                        "www.tissages-arve.fr|Liste de colisage / Packing list|No Expédition:|"
                        "101|Vos références|CDE 2291|Nos références|BC00101|No Colis:|1|"
                        "Poids colis:|4,8|kg|Code barres|Désignation|Qté Livrée|3760987650106|"
                        "3760987650205|Total article colis :|14|No Colis:|2,1|3760987650014|"
                        "Total article colis :|4|Tare:|0,6|Poids brut:|6,9|Poids Net:|6,3|"
                        "Volume:|0,08|Nbr Colis:|2|Page 1/1"_s);
        // A shipment without delivery place or orders: empty blocks, no failure.
        for (const QString& etat : {u"bon-expedition"_s, u"liste-articles"_s, u"colisage"_s})
            QTest::newRow(qPrintable(etat + u" vide"_s))
                << etat << u"901"_s
                << morceaux(u"No Expédition:|901|Lieu de livraison :|Libellé 1:|Vide|Page 1/1"_s);
    }
    void etatsDeDemonstration() {
        QFETCH(QString, etat);
        QFETCH(QString, expedition);
        QFETCH(QStringList, attendu);
        const QString texte = pdf(etat, expedition);
        QVERIFY2(dansLOrdre(texte, attendu), qPrintable(texte));
        // One page, not a blank one before it.
        QCOMPARE(pagesPdf(base_->chemin(etat + expedition + u".pdf"_s)), 1);
        if (expedition == u"901"_s)
            QVERIFY(!texte.contains(u"BC00"_s));
        // Arial or its metric twin, embedded so that any reader shows it.
        const QStringList fontes = polices(base_->chemin(etat + expedition + u".pdf"_s));
        QVERIFY(!fontes.isEmpty());
        for (const QString& f : fontes)
            QVERIFY2(f.contains(u"Arial"_s) || f.contains(u"Liberation"_s), qPrintable(f));
        QVERIFY(fontes.filter(u"=yes"_s).size() == fontes.size());
        // The same report twice shows the same lines.
        if (etat == u"controle-codes-barre"_s)
            QCOMPARE(pdf(etat, expedition), texte);
    }

    // Every Sage field at its full length prints whole on every report that
    // shows it, wrapped inside its column when it is too wide for it.
    void champsSageEntiers_data() {
        QTest::addColumn<QString>("etat");
        QTest::addColumn<QStringList>("champs");
        const QStringList adresse = {
            u"ETABLISSEMENTS DUPONT ET FILS REUNI"_s, u"BATIMENT C QUAI 14 PORTE NORD EST B"_s,
            u"ZONE INDUSTRIELLE DES MOULINS ROUGE"_s, u"SAINT-REMY-DE-PROVENCE-LES-ALPILLES"_s,
            u"REPUBLIQUE FEDERALE D ALLEMAGNE EST"_s};
        const QString designation = Designation69;
        const QString couleur = designation + u" - "_s + Enumere21;
        QTest::newRow("bon") << u"bon-expedition"_s
                             << adresse + QStringList{u"BCDE-00999123"_s, u"COMMANDE HIVER 26"_s};
        QTest::newRow("articles") << u"liste-articles"_s
                                  << adresse + QStringList{u"BCDE-00999123"_s,
                                                           u"3760987650999123456"_s,
                                                           u"NAPPECOTONENDU1602"_s, couleur};
        QTest::newRow("contrôle articles")
            << u"controle-articles"_s
            << adresse + QStringList{u"BCDE-00999123"_s, u"NAPPECOTONENDU1602"_s, designation};
        QTest::newRow("contrôle codes barre")
            << u"controle-codes-barre"_s
            << adresse + QStringList{u"BCDE-00999123"_s, u"3760987650999123456"_s, couleur};
        QTest::newRow("colisage") << u"colisage"_s
                                  << adresse + QStringList{u"BCDE-00999123"_s,
                                                           u"COMMANDE HIVER 26"_s,
                                                           u"3760987650999123456"_s, couleur};
    }
    void champsSageEntiers() {
        QFETCH(QString, etat);
        QFETCH(QStringList, champs);
        QCOMPARE(Designation69.size(), 69);
        QCOMPARE(Enumere21.size(), 21);
        executer(*base_,
                 u"INSERT INTO F_LIVRAISON (LI_No, CT_Num, LI_Intitule, LI_Adresse, LI_Complement, "
                 "LI_CodePostal, LI_Ville, LI_Pays) VALUES (77, 'DUPONT', "
                 "'ETABLISSEMENTS DUPONT ET FILS REUNI', 'BATIMENT C QUAI 14 PORTE NORD EST B', "
                 "'ZONE INDUSTRIELLE DES MOULINS ROUGE', '13210', "
                 "'SAINT-REMY-DE-PROVENCE-LES-ALPILLES', 'REPUBLIQUE FEDERALE D ALLEMAGNE EST');"
                 "INSERT INTO [Expédition] ([No Expédition], [Libellé 1], [No lieu livraison]) "
                 "VALUES (902, 'Longs', 77);"
                 "INSERT INTO [Liste commandes] ([No Expédition], [No commande SAGE], "
                 "[Référence SAGE]) VALUES (902, 'BCDE-00999123', 'COMMANDE HIVER 26');"
                 "INSERT INTO F_ARTICLE (AR_Ref, AR_Design, AR_Gamme1) VALUES "
                 "('NAPPECOTONENDU1602', '"_s +
                     Designation69 +
                     u"', 1);"
                     "INSERT INTO F_ARTGAMME (AG_No, AR_Ref, EG_Enumere) VALUES "
                     "(977, 'NAPPECOTONENDU1602', '"_s +
                     Enumere21 +
                     u"');"
                     "INSERT INTO F_ARTENUMREF (AR_Ref, AG_No1, AE_CodeBarre) VALUES "
                     "('NAPPECOTONENDU1602', 977, '3760987650999123456');"
                     "INSERT INTO F_DOCLIGNE (DO_Type, DO_Piece, DL_Ligne, AR_Ref, AG_No1, DL_Qte, "
                     "DL_QtePL) VALUES (1, 'BCDE-00999123', 1, 'NAPPECOTONENDU1602', 977, 3, 3);"
                     "INSERT INTO Colis ([No Expédition], [No Colis]) VALUES (902, 1);"
                     "INSERT INTO Colisage ([No Expédition], [No Colis], [Code barres Article], "
                     "[Quantité]) VALUES (902, 1, '3760987650999123456', 3);"_s);
        const QString texte = pdf(etat, u"902"_s);
        QVERIFY(!texte.isEmpty());
        for (const QString& champ : champs)
            QVERIFY2(contientEntier(texte, champ), qPrintable(texte));
        QVERIFY(!texte.contains(u"…"_s));
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
        executer(*base_, u"UPDATE [Informations société] SET Logo = "_s + logo + u';');
        const QString texte = pdf(u"colisage"_s, u"101"_s);
        QVERIFY(dansLOrdre(texte, {u"Tissages de l'Arve"_s, u"Tél:"_s, u"Liste de colisage"_s}));
        QCOMPARE(QString::fromLatin1(base_->lireFichier(u"debug.txt"_s)).contains(u"illisible"_s),
                 note);
    }

    // Of the two parcels of shipment 102 only the first is weighed.
    void colisNonPese() {
        const QString texte = pdf(u"colisage"_s, u"102"_s);
        QVERIFY(dansLOrdre(texte, {u"No Colis:"_s, u"Poids colis:"_s, u"3,2"_s, u"kg"_s,
                                   u"No Colis:"_s, u"Total article colis :"_s}));
        QCOMPARE(texte.count(u"Poids colis:"_s), 1);
        QCOMPARE(texte.count(QRegularExpression(u"\\bkg\\b"_s)), 1);
    }

    void imprimante() {
        QVERIFY(QDir(spool_.path()).mkpath(u"LASER"_s));
        ResultatTarvoctl r = lancer({u"bon-expedition"_s, u"101"_s, u"--imprimer"_s, u"LASER"_s});
        QCOMPARE(r.statut, 0);
        const QStringList travaux = QDir(spool_.filePath(u"LASER"_s)).entryList(QDir::Files);
        QCOMPARE(travaux.size(), 1);
        QCOMPARE(pagesPdf(spool_.filePath(u"LASER/"_s + travaux.first())), 1);
        const QString texte = textePdf(spool_.filePath(u"LASER/"_s + travaux.first()));
        QVERIFY(dansLOrdre(texte, {u"BON D'EXPEDITION"_s, u"101"_s, u"BC00101"_s}));

        r = lancer({u"bon-expedition"_s, u"101"_s, u"--imprimer"_s, u"INCONNUE"_s});
        QCOMPARE(r.statut, 1);
        QVERIFY(r.erreurs.contains(u"L'imprimante INCONNUE est inconnue"_s));
    }

    void echecs() {
        ResultatTarvoctl r =
            lancer({u"bon-expedition"_s, u"101"_s, u"--pdf"_s, u"/dossier/absent/bon.pdf"_s});
        QCOMPARE(r.statut, 1);
        QVERIFY2(
            r.erreurs.contains(u"Impossible d'écrire le fichier PDF /dossier/absent/bon.pdf"_s),
            qPrintable(r.erreurs));

        // An unknown shipment is named as such by every report, not taken
        // for a failed connection.
        for (const QString& etat :
             {u"bon-expedition"_s, u"liste-articles"_s, u"controle-codes-barre"_s,
              u"controle-articles"_s, u"colisage"_s}) {
            r = lancer({etat, u"4242"_s, u"--pdf"_s, base_->chemin(u"x.pdf"_s)});
            QCOMPARE(r.statut, 1);
            QVERIFY2(r.erreurs.contains(u"L'expédition n° 4242 n'existe pas."_s),
                     qPrintable(r.erreurs));
            QVERIFY2(!r.erreurs.contains(u"Problème de connexion"_s), qPrintable(r.erreurs));
            QVERIFY(!QFile::exists(base_->chemin(u"x.pdf"_s)));
        }

        r = lancer({u"facture"_s, u"101"_s, u"--pdf"_s, base_->chemin(u"x.pdf"_s)});
        QCOMPARE(r.statut, 2);
        QVERIFY(r.erreurs.contains(u"État inconnu : facture"_s));
    }

    // On a full disk the command fails and the previous file stays whole.
    void disquePlein() {
        if (::geteuid() != 0)
            QSKIP("Monter un système de fichiers plein demande les droits root.");
        QTemporaryDir dossier;
        const QByteArray point = QFile::encodeName(dossier.path());
        if (::mount("tmpfs", point.constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP("Montage d'un tmpfs impossible.");
        const QString ancien = dossier.filePath(u"colisage.pdf"_s);
        {
            QFile f(ancien);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("ancien");
        }
        {
            QFile plein(dossier.filePath(u"remplissage"_s));
            QVERIFY(plein.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            const QByteArray bloc(4096, 'x');
            while (plein.write(bloc) == bloc.size()) {
            }
        }
        const ResultatTarvoctl r = lancer({u"colisage"_s, u"101"_s, u"--pdf"_s, ancien});
        QFile f(ancien);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray contenu = f.readAll();
        f.close();
        ::umount(point.constData());
        QCOMPARE(r.statut, 1);
        QVERIFY(r.erreurs.contains(u"Impossible d'écrire le fichier PDF"_s));
        QCOMPARE(contenu, QByteArray("ancien"));
    }
};

QTEST_GUILESS_MAIN(TestEditionsCtl)
#include "test_editions_ctl.moc"
