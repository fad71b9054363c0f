#include "BaseDeTest.h"
#include "DonneesExpeditions.h"
#include "Tarvoctl.h"

#include <QTest>

using namespace tarvo;
using namespace tarvo::test;

namespace {

using Resultat = ResultatTarvoctl;

Resultat tarvoctl(const BaseDeTest& t, const QStringList& arguments) {
    return lancerTarvoctl(QStringList{QStringLiteral("--dir"), t.dossier.path()} + arguments);
}

} // namespace

class TestTarvoctlExpeditions : public QObject {
    Q_OBJECT
private slots:
    void creationAjoutEtRecherche() {
        BaseDeTest t;
        t.creerBase(false);
        Contexte& c = *t.ctx;
        ajouterClient(c, QStringLiteral("C1"), QStringLiteral("Client"));
        ajouterLieu(c, 1, QStringLiteral("C1"), QStringLiteral("Lieu"), QStringLiteral("Ville"));
        for (const QString& piece : {QStringLiteral("BC1"), QStringLiteral("BC2"),
                                     QStringLiteral("BC3"), QStringLiteral("BC4")})
            ajouterCommande(c, piece, QStringLiteral("C1"), 1);

        Resultat r =
            tarvoctl(t, {QStringLiteral("creer-expeditions"), QStringLiteral("auto"),
                         QStringLiteral("BC1"), QStringLiteral("XX"), QStringLiteral("BC2")});
        QCOMPARE(r.statut, 0);
        const QStringList numeros = r.sortie.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(numeros.size(), 2);

        r = tarvoctl(t, {QStringLiteral("creer-expeditions"), QStringLiteral("manuel"),
                         QStringLiteral("BC3")});
        QCOMPARE(r.statut, 0);
        const QString manuelle = r.sortie.trimmed();
        QCOMPARE(compter(c, QStringLiteral("[Liste commandes]"),
                         QStringLiteral("[No Expédition] = ?"), {manuelle.toInt()}),
                 1);

        r = tarvoctl(t, {QStringLiteral("ajouter-commandes"), numeros.first(),
                         QStringLiteral("BC4"), QStringLiteral("XX")});
        QCOMPARE(r.statut, 0);
        QCOMPARE(r.sortie, QStringLiteral("BC4\n"));

        r = tarvoctl(t, {QStringLiteral("recherche"), QStringLiteral("bc4")});
        QCOMPARE(r.statut, 0);
        QCOMPARE(r.sortie, numeros.first() + u'\n');

        r = tarvoctl(t, {QStringLiteral("recherche"), QStringLiteral("BC9")});
        QCOMPARE(r.statut, 1);
        QVERIFY(r.sortie.isEmpty());
        QVERIFY(r.erreurs.contains(QStringLiteral("Recherche de commande infructueuse")));

        QCOMPARE(tarvoctl(t, {QStringLiteral("creer-expeditions"), QStringLiteral("vite"),
                              QStringLiteral("BC1")})
                     .statut,
                 2);
        QCOMPARE(tarvoctl(t, {QStringLiteral("ajouter-commandes"), QStringLiteral("douze"),
                              QStringLiteral("BC1")})
                     .statut,
                 2);
        // A shipment that does not exist: the error box, nothing written.
        r = tarvoctl(
            t, {QStringLiteral("ajouter-commandes"), QStringLiteral("999"), QStringLiteral("BC1")});
        QCOMPARE(r.statut, 1);
        QVERIFY(r.erreurs.contains(QStringLiteral("L'expédition N° 999 n'existe pas.")));
    }

    // The fifth insert is refused: the four shipments committed before it are
    // printed as they are committed and named in the failure box.
    void echecEnCoursDeCreationAutomatique() {
        BaseDeTest t;
        t.creerBase(false);
        Contexte& c = *t.ctx;
        ajouterClient(c, QStringLiteral("C1"), QStringLiteral("Client"));
        ajouterLieu(c, 1, QStringLiteral("C1"), QStringLiteral("Lieu"), QStringLiteral("Ville"));
        QStringList commandes;
        for (int i = 1; i <= 5; ++i) {
            commandes << QStringLiteral("BC%1").arg(i);
            ajouterCommande(c, commandes.last(), QStringLiteral("C1"), 1);
        }
        executerSql(c, QStringLiteral("CREATE TRIGGER refus BEFORE INSERT ON [Liste commandes] "
                                      "WHEN NEW.[No commande SAGE] = 'BC5' "
                                      "BEGIN SELECT RAISE(ABORT, 'refus de test'); END"));

        const Resultat r =
            tarvoctl(t, QStringList{QStringLiteral("creer-expeditions"), QStringLiteral("auto")} +
                            commandes);
        QCOMPARE(r.statut, 1);
        const QStringList numeros = r.sortie.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(numeros.size(), 4);
        QCOMPARE(compter(c, QStringLiteral("Expédition")), 4);
        QString faites = QStringLiteral("Avant l'erreur, ces expéditions ont été créées et "
                                        "enregistrées :");
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(compter(c, QStringLiteral("[Liste commandes]"),
                             QStringLiteral("[No Expédition] = ? AND [No commande SAGE] = ?"),
                             {numeros.at(i).toInt(), commandes.at(i)}),
                     1);
            faites += QStringLiteral("\nN° %1 : commande %2").arg(numeros.at(i), commandes.at(i));
        }
        QVERIFY2(r.erreurs.contains(QStringLiteral("refus de test")), qPrintable(r.erreurs));
        QVERIFY2(r.erreurs.contains(faites), qPrintable(r.erreurs));
    }
};

QTEST_GUILESS_MAIN(TestTarvoctlExpeditions)
#include "test_tarvoctl_expeditions.moc"
