// tarvoctl synchroniser-articles and societe, as a script runs them.
#include "ArticlesDeTest.h"
#include "Tarvoctl.h"

#include <QImage>
#include <QTest>

using namespace tarvo;
using namespace tarvo::test;
using namespace Qt::StringLiterals;

class TestCatalogueCtl : public QObject {
    Q_OBJECT

    static QStringList avecDossier(const BaseDeTest& b, const QStringList& arguments) {
        return QStringList{u"--dir"_s, b.dossier.path()} + arguments;
    }

private slots:
    // Without --oui the obsolete articles stay; with it they go, except the
    // one still referred to.
    void synchroniserArticles() {
        BaseDeTest b;
        b.creerBase();
        ajouterArticleSage(b, u"R1"_s, u"Torchon"_s, u"111"_s);
        ajouterArticleSage(b, u"R2"_s, u"Nappe"_s, QString());
        for (const char* code : {"901", "902", "903"})
            ajouterArticleTarvo(b, QString::fromLatin1(code), u"Disparu"_s);
        referencerArticle(b, u"902"_s);

        ResultatTarvoctl r = lancerTarvoctl(avecDossier(b, {u"synchroniser-articles"_s}));
        QCOMPARE(r.statut, 0);
        QCOMPARE(r.sortie, QStringLiteral("Articles mis à jour : 0\nArticles ajoutés : 1\n"
                                          "Articles supprimés : 0\n"
                                          "Articles encore utilisés, gardés : 0\n"
                                          "Articles obsolètes gardés sans --oui : 3\n"));
        QVERIFY(r.erreurs.contains(u"3 article(s) n'existe(nt) plus"_s));
        QCOMPARE(contenuArticle(b).size(), 4);

        r = lancerTarvoctl(avecDossier(b, {u"--oui"_s, u"synchroniser-articles"_s}));
        QCOMPARE(r.statut, 0);
        QCOMPARE(r.sortie, QStringLiteral("Articles mis à jour : 1\nArticles ajoutés : 0\n"
                                          "Articles supprimés : 2\n"
                                          "Articles encore utilisés, gardés : 1\n"));
        QVERIFY(r.erreurs.contains(u"Suppression incomplète"_s));
        QCOMPARE(contenuArticle(b).size(), 2);

        QVERIFY(lancerTarvoctl(avecDossier(b, {u"synchroniser-articles"_s, u"en-trop"_s})).statut !=
                0);
    }

    void societe() {
        BaseDeTest b;
        b.creerBase();
        executerSql(b, QStringLiteral("INSERT INTO [Informations société] ([Nom société], Ville, "
                                      "RCS) VALUES ('Linge de maison', 'Roubaix', 'RCS Lille')"));
        QImage img(2, 2, QImage::Format_RGB32);
        img.fill(Qt::green);
        img.save(b.chemin(u"logo.bmp"_s), "BMP");
        const qsizetype taille = b.lireFichier(u"logo.bmp"_s).size();
        b.ecrireFichier(u"notes.txt"_s, "du texte");

        ResultatTarvoctl r = lancerTarvoctl(avecDossier(b, {u"societe"_s}));
        QCOMPARE(r.statut, 0);
        const QStringList lignes = r.sortie.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lignes.size(), 16);
        QCOMPARE(lignes.at(0), u"Nom société: Linge de maison"_s);
        QCOMPARE(lignes.at(1), u"Activité: "_s);
        QCOMPARE(lignes.at(5), u"Ville: Roubaix"_s);
        QCOMPARE(lignes.at(14), u"RCS: RCS Lille"_s);
        QCOMPARE(lignes.at(15), u"Logo: aucun"_s);

        r = lancerTarvoctl(avecDossier(b, {u"societe"_s, u"--logo"_s, b.chemin(u"notes.txt"_s)}));
        QCOMPARE(r.statut, 1);
        QVERIFY(r.sortie.isEmpty());
        QVERIFY(r.erreurs.contains(u"n'est pas une image"_s));

        r = lancerTarvoctl(avecDossier(b, {u"societe"_s, u"--logo"_s, b.chemin(u"logo.bmp"_s)}));
        QCOMPARE(r.statut, 0);
        QVERIFY(r.erreurs.contains(u"Logo chargé : "_s + b.chemin(u"logo.bmp"_s)));
        QVERIFY(r.sortie.endsWith(u"Logo: %1 octets\n"_s.arg(taille)));
    }
};

QTEST_GUILESS_MAIN(TestCatalogueCtl)
#include "test_catalogue_ctl.moc"
