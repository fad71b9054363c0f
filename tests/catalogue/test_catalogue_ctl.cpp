// tarvoctl synchroniser-articles and societe, as a script runs them.
#include "ArticlesDeTest.h"
#include "Tarvoctl.h"

#include <QImage>
#include <QTest>

using namespace tarvo;
using namespace tarvo::test;

class TestCatalogueCtl : public QObject {
    Q_OBJECT

    static QStringList avecDossier(const BaseDeTest& b, const QStringList& arguments) {
        return QStringList{QStringLiteral("--dir"), b.dossier.path()} + arguments;
    }

private slots:
    // Without --oui the obsolete articles stay; with it they go, except the
    // one still referred to.
    void synchroniserArticles() {
        BaseDeTest b;
        b.creerBase();
        ajouterArticleSage(b, QStringLiteral("R1"), QStringLiteral("Torchon"),
                           QStringLiteral("111"));
        ajouterArticleSage(b, QStringLiteral("R2"), QStringLiteral("Nappe"), QString());
        for (const char* code : {"901", "902", "903"})
            ajouterArticleTarvo(b, QString::fromLatin1(code), QStringLiteral("Disparu"));
        referencerArticle(b, QStringLiteral("902"));

        ResultatTarvoctl r =
            lancerTarvoctl(avecDossier(b, {QStringLiteral("synchroniser-articles")}));
        QCOMPARE(r.statut, 0);
        QCOMPARE(r.sortie, QStringLiteral("Articles mis à jour : 0\nArticles ajoutés : 1\n"
                                          "Articles supprimés : 0\n"
                                          "Articles encore utilisés, gardés : 0\n"
                                          "Articles obsolètes gardés sans --oui : 3\n"));
        QVERIFY(r.erreurs.contains(QStringLiteral("3 article(s) n'existe(nt) plus")));
        QCOMPARE(contenuArticle(b).size(), 4);

        r = lancerTarvoctl(
            avecDossier(b, {QStringLiteral("--oui"), QStringLiteral("synchroniser-articles")}));
        QCOMPARE(r.statut, 0);
        QCOMPARE(r.sortie, QStringLiteral("Articles mis à jour : 1\nArticles ajoutés : 0\n"
                                          "Articles supprimés : 2\n"
                                          "Articles encore utilisés, gardés : 1\n"));
        QVERIFY(r.erreurs.contains(QStringLiteral("Suppression incomplète")));
        QCOMPARE(contenuArticle(b).size(), 2);

        QVERIFY(lancerTarvoctl(avecDossier(b, {QStringLiteral("synchroniser-articles"),
                                               QStringLiteral("en-trop")}))
                    .statut != 0);
    }

    void societe() {
        BaseDeTest b;
        b.creerBase();
        executerSql(b, QStringLiteral("INSERT INTO [Informations société] ([Nom société], Ville, "
                                      "RCS) VALUES ('Linge de maison', 'Roubaix', 'RCS Lille')"));
        QImage img(2, 2, QImage::Format_RGB32);
        img.fill(Qt::green);
        img.save(b.chemin(QStringLiteral("logo.bmp")), "BMP");
        const qsizetype taille = b.lireFichier(QStringLiteral("logo.bmp")).size();
        b.ecrireFichier(QStringLiteral("notes.txt"), "du texte");

        ResultatTarvoctl r = lancerTarvoctl(avecDossier(b, {QStringLiteral("societe")}));
        QCOMPARE(r.statut, 0);
        const QStringList lignes = r.sortie.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lignes.size(), 16);
        QCOMPARE(lignes.at(0), QStringLiteral("Nom société: Linge de maison"));
        QCOMPARE(lignes.at(1), QStringLiteral("Activité: "));
        QCOMPARE(lignes.at(5), QStringLiteral("Ville: Roubaix"));
        QCOMPARE(lignes.at(14), QStringLiteral("RCS: RCS Lille"));
        QCOMPARE(lignes.at(15), QStringLiteral("Logo: aucun"));

        r = lancerTarvoctl(avecDossier(b, {QStringLiteral("societe"), QStringLiteral("--logo"),
                                           b.chemin(QStringLiteral("notes.txt"))}));
        QCOMPARE(r.statut, 1);
        QVERIFY(r.sortie.isEmpty());
        QVERIFY(r.erreurs.contains(QStringLiteral("n'est pas une image")));

        r = lancerTarvoctl(avecDossier(b, {QStringLiteral("societe"), QStringLiteral("--logo"),
                                           b.chemin(QStringLiteral("logo.bmp"))}));
        QCOMPARE(r.statut, 0);
        QVERIFY(r.erreurs.contains(QStringLiteral("Logo chargé : ") +
                                   b.chemin(QStringLiteral("logo.bmp"))));
        QVERIFY(r.sortie.endsWith(QStringLiteral("Logo: %1 octets\n").arg(taille)));
    }
};

QTEST_GUILESS_MAIN(TestCatalogueCtl)
#include "test_catalogue_ctl.moc"
