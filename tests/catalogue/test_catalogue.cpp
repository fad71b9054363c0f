// The article synchronisation on both database paths, and the company record.
#include "ArticlesDeTest.h"
#include "app/Connexion.h"
#include "app/Erreur.h"
#include "catalogue/Societe.h"
#include "catalogue/Synchronisation.h"
#include "db/Base.h"
#include "db/DiagnosticsOdbc.h"

#include <QBuffer>
#include <QImage>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

using namespace tarvo;
using namespace tarvo::test;

namespace {

const QString TexteObsoletes = QStringLiteral(
    " article(s) n'existe(nt) plus dans la Gestion Commerciale.\r\nVoulez-vous le(s) supprimer ?");

// The QtSql path is the one SQL Server takes; on the embedded database it
// checks that the engine's codes reach the routine the same way.
void ajouterVoies() {
    QTest::addColumn<db::Base::Voie>("voie");
}

// The smallest GIF: Qt reads GIF but cannot write it.
const QByteArray Gif =
    QByteArray::fromHex("47494638396101000100800000ffffff00000021f90401000000002c0000"
                        "0000010001000002024401003b");

QByteArray image(const char* format) {
    QImage img(3, 2, QImage::Format_RGB32);
    img.fill(Qt::darkBlue);
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    img.save(&tampon, format);
    return octets;
}

QByteArray logoEnBase(BaseDeTest& b, int rang) {
    db::Base base(b.ctx->cnx.get());
    db::Requete r = base.preparer(db::TexteSql(QStringLiteral(
        "SELECT Logo FROM [Informations société] ORDER BY rowid LIMIT 1 OFFSET :n")));
    r.lier(u":n", rang);
    return r.suivante() ? r.octets(0) : QByteArray("absent");
}

} // namespace

class TestCatalogue : public QObject {
    Q_OBJECT

    // Sage: 111 and 222 with bar codes, one with an empty and one with a null
    // bar code. Tarvo: 111 under an old description, and `obsoletes`.
    void preparer(BaseDeTest& b, const QStringList& obsoletes) {
        b.creerBase();
        ajouterArticleSage(b, QStringLiteral("R1"), QStringLiteral("Torchon lin"),
                           QStringLiteral("111"));
        ajouterArticleSage(b, QStringLiteral("R2"), QStringLiteral("Nappe ronde"),
                           QStringLiteral("222"));
        ajouterArticleSage(b, QStringLiteral("R3"), QStringLiteral("Port"), QString());
        ajouterArticleSage(b, QStringLiteral("R4"), QStringLiteral("Emballage"), QString(), true);
        ajouterArticleTarvo(b, QStringLiteral("111"), QStringLiteral("Ancien libellé"));
        for (const QString& code : obsoletes)
            ajouterArticleTarvo(b, code, QStringLiteral("Disparu"));
    }

private slots:
    void synchronisation_data() {
        QTest::addColumn<db::Base::Voie>("voie");
        QTest::addColumn<QStringList>("references");
        QTest::addColumn<bool>("reponse");
        QTest::addColumn<QStringList>("restants");
        QTest::addColumn<qint64>("encoreUtilises");
        for (const auto voie : {db::Base::Voie::Automatique, db::Base::Voie::QtSql}) {
            const QByteArray nom = voie == db::Base::Voie::QtSql ? " (QtSql)" : "";
            QTest::newRow("non: les obsolètes restent" + nom)
                << voie << QStringList() << false
                << QStringList{QStringLiteral("901"), QStringLiteral("902"), QStringLiteral("903")}
                << qint64(0);
            QTest::newRow("oui: tous supprimés" + nom)
                << voie << QStringList() << true << QStringList() << qint64(0);
            QTest::newRow("oui: un encore utilisé" + nom)
                << voie << QStringList{QStringLiteral("902")} << true
                << QStringList{QStringLiteral("902")} << qint64(1);
            QTest::newRow("oui: tous encore utilisés" + nom)
                << voie
                << QStringList{QStringLiteral("901"), QStringLiteral("902"), QStringLiteral("903")}
                << true
                << QStringList{QStringLiteral("901"), QStringLiteral("902"), QStringLiteral("903")}
                << qint64(3);
        }
    }
    void synchronisation() {
        QFETCH(db::Base::Voie, voie);
        QFETCH(QStringList, references);
        QFETCH(bool, reponse);
        QFETCH(QStringList, restants);
        QFETCH(qint64, encoreUtilises);
        BaseDeTest b;
        preparer(b, {QStringLiteral("901"), QStringLiteral("902"), QStringLiteral("903")});
        for (const QString& code : references)
            referencerArticle(b, code);
        b.prompts.reponses << reponse;

        const std::optional<catalogue::BilanSynchro> bilan =
            catalogue::SynchroArticle(*b.ctx, true, voie);
        QVERIFY(bilan);
        QCOMPARE(bilan->miseAJour.misAJour, 1);
        QCOMPARE(bilan->miseAJour.ajoutes, 1);
        QCOMPARE(bilan->obsoletes, 3);
        QCOMPARE(bilan->suppression.supprimes, reponse ? 3 - encoreUtilises : 0);
        QCOMPARE(bilan->suppression.encoreUtilises, encoreUtilises);

        // Empty and null bar codes never reach Article; 111 is refreshed and
        // keeps its date; 222 is new, stamped now.
        const QStringList contenu = contenuArticle(b);
        QCOMPARE(contenu.size(), 2 + restants.size());
        QCOMPARE(contenu.at(0), QStringLiteral("111|Torchon lin|R1|2001-02-03 04:05:06"));
        QVERIFY(contenu.at(1).startsWith(QStringLiteral("222|Nappe ronde|R2|20")));
        for (qsizetype i = 0; i < restants.size(); ++i)
            QVERIFY(contenu.at(2 + i).startsWith(restants.at(i) + u'|'));

        QCOMPARE(b.prompts.boites.size(), encoreUtilises > 0 ? 2 : 1);
        QCOMPARE(b.prompts.boites[0].titre, QStringLiteral("Article(s) obsolète(s)"));
        QCOMPARE(b.prompts.boites[0].texte, u'3' + TexteObsoletes);
        if (encoreUtilises > 0) {
            QCOMPARE(b.prompts.boites[1].icone, Prompts::Icone::Exclamation);
            QCOMPARE(b.prompts.boites[1].titre, QStringLiteral("Suppression incomplète"));
            QCOMPARE(b.prompts.boites[1].texte,
                     QString::number(encoreUtilises) +
                         QStringLiteral(" article(s) encore utilisé(s) dans l'application. La "
                                        "suppression concernant cet(ces) article(s) n'a pas été "
                                        "réalisée."));
        }
        QCOMPARE(b.feedback.statuts,
                 (QStringList{QStringLiteral("Mise à jour des Articles existant"),
                              QStringLiteral("Ajout des nouveaux Articles"),
                              QStringLiteral("Traitement des Articles n'existant plus dans SAGE"),
                              QString()}));
        if (reponse)
            QCOMPARE(b.feedback.progressions.at(b.feedback.progressions.size() - 2), 100);
    }

    // Through the ODBC driver the engine's code of a refused deletion is read
    // from the driver's diagnostics, as on SQL Server; here the SQLite ODBC
    // driver stands in for the server's.
    void refusParReferenceOdbc() {
        BaseDeTest b;
        const QString nom = QStringLiteral("odbc");
        {
            QSqlDatabase odbc = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), nom);
            odbc.setDatabaseName(QStringLiteral("DRIVER=SQLite3;Database=") +
                                 b.chemin(QStringLiteral("odbc.db")) + u';');
            if (!odbc.open())
                QSKIP("Pilote ODBC SQLite3 absent (paquet libsqliteodbc)");
            QSqlQuery q(odbc);
            for (const char* sql :
                 {"PRAGMA foreign_keys=ON", "CREATE TABLE Article (code TEXT PRIMARY KEY)",
                  "CREATE TABLE Etiquetage (code TEXT REFERENCES Article (code))",
                  "INSERT INTO Article VALUES ('902')", "INSERT INTO Etiquetage VALUES ('902')"})
                QVERIFY2(q.exec(QString::fromLatin1(sql)), qPrintable(q.lastError().text()));
            QVERIFY(q.prepare(QStringLiteral("DELETE FROM Article WHERE code = ?")));
            q.addBindValue(QStringLiteral("902"));
            QVERIFY(!q.exec());
            QCOMPARE(db::codesDiagnosticsOdbc(q), QList<qint64>{19});
        }
        QSqlDatabase::removeDatabase(nom);
    }

    // A second run adds nothing and finds nothing obsolete: no question.
    void secondPassage() {
        BaseDeTest b;
        preparer(b, {QStringLiteral("901")});
        b.prompts.reponses << true;
        QVERIFY(catalogue::SynchroArticle(*b.ctx, true));
        b.prompts.vider();
        const std::optional<catalogue::BilanSynchro> bilan =
            catalogue::SynchroArticle(*b.ctx, true);
        QVERIFY(bilan);
        QCOMPARE(bilan->miseAJour.ajoutes, 0);
        QCOMPARE(bilan->miseAJour.misAJour, 2);
        QCOMPARE(bilan->obsoletes, 0);
        QVERIFY(b.prompts.boites.isEmpty());
    }

    // A failure of the insert after the update: Article as it was, the error
    // box alone. A failure during the walk stops it with the error box.
    void echecs_data() {
        ajouterVoies();
        QTest::addColumn<QString>("declencheur");
        QTest::addColumn<int>("lignes");
        for (const auto voie : {db::Base::Voie::Automatique, db::Base::Voie::QtSql}) {
            const QByteArray nom = voie == db::Base::Voie::QtSql ? " (QtSql)" : "";
            QTest::newRow("ajout refusé" + nom) << voie << QStringLiteral("BEFORE INSERT") << 2;
            QTest::newRow("suppression refusée" + nom)
                << voie << QStringLiteral("BEFORE DELETE") << 3;
        }
    }
    void echecs() {
        QFETCH(db::Base::Voie, voie);
        QFETCH(QString, declencheur);
        QFETCH(int, lignes);
        BaseDeTest b;
        preparer(b, {QStringLiteral("901")});
        executerSql(b, QStringLiteral("CREATE TRIGGER refus ") + declencheur +
                           QStringLiteral(" ON Article BEGIN SELECT RAISE(ABORT, 'refusé'); END"));
        b.prompts.reponses << true;

        QVERIFY(!catalogue::SynchroArticle(*b.ctx, true, voie));
        const QStringList contenu = contenuArticle(b);
        QCOMPARE(contenu.size(), lignes);
        if (declencheur == QStringLiteral("BEFORE INSERT"))
            QCOMPARE(contenu.at(0),
                     QStringLiteral("111|Ancien libellé|ANCIEN|2001-02-03 04:05:06"));
        const PromptsScriptes::Boite& derniere = b.prompts.boites.last();
        QCOMPARE(derniere.icone, Prompts::Icone::Critique);
        QCOMPARE(derniere.titre, QStringLiteral("Erreur"));
        QVERIFY(derniere.texte.contains(QStringLiteral("refusé")));
        QCOMPARE(b.feedback.statuts.last(), QString());
    }

    // The logo of the first row is replaced by the file's bytes as they are;
    // the second row keeps its own. A table without a row gets one.
    void logo_data() {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<int>("lignes");
        QTest::newRow("gif") << Gif << 2;
        QTest::newRow("bmp") << image("BMP") << 2;
        QTest::newRow("ico") << image("ICO") << 2;
        QTest::newRow("png") << image("PNG") << 2;
        QTest::newRow("jpeg") << image("JPEG") << 2;
        QTest::newRow("gif, table vide") << Gif << 0;
    }
    void logo() {
        QFETCH(QByteArray, octets);
        QFETCH(int, lignes);
        QVERIFY(octets.size() > 6);
        BaseDeTest b;
        b.creerBase();
        for (int i = 0; i < lignes; ++i)
            executerSql(b, QStringLiteral("INSERT INTO [Informations société] ([Nom société], "
                                          "Logo) VALUES ('Société %1', x'00')")
                               .arg(i));
        b.ecrireFichier(QStringLiteral("logo.img"), octets);

        const std::optional<QByteArray> stocke =
            catalogue::ChargerLogo(*b.ctx, b.chemin(QStringLiteral("logo.img")));
        QVERIFY(stocke);
        QCOMPARE(*stocke, octets);
        QCOMPARE(logoEnBase(b, 0), octets);
        if (lignes > 1)
            QCOMPARE(logoEnBase(b, 1), QByteArray(1, '\0'));
        QCOMPARE(b.prompts.boites.size(), 1);
        QCOMPARE(b.prompts.boites[0].icone, Prompts::Icone::Aucune);
        QCOMPARE(b.prompts.boites[0].texte,
                 QStringLiteral("Logo chargé : ") + b.chemin(QStringLiteral("logo.img")));
        const std::optional<catalogue::FicheSociete> fiche =
            catalogue::LireSociete(db::Base(b.ctx->cnx.get()));
        QVERIFY(fiche);
        QCOMPARE(fiche->logo, octets);
        QCOMPARE(fiche->champs.size(), 15);
    }

    // Anything that is not a readable picture is refused; the logo stays.
    void logoRefuse_data() {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<bool>("present");
        QTest::newRow("texte") << QByteArray("Ceci n'est pas une image\r\n") << true;
        QTest::newRow("vide") << QByteArray() << true;
        QTest::newRow("png tronqué") << image("PNG").left(30) << true;
        QTest::newRow("absent") << QByteArray() << false;
    }
    void logoRefuse() {
        QFETCH(QByteArray, octets);
        QFETCH(bool, present);
        BaseDeTest b;
        b.creerBase();
        executerSql(b, QStringLiteral("INSERT INTO [Informations société] (Logo) VALUES (x'47')"));
        if (present)
            b.ecrireFichier(QStringLiteral("logo.gif"), octets);

        QVERIFY(!catalogue::ChargerLogo(*b.ctx, b.chemin(QStringLiteral("logo.gif"))));
        QCOMPARE(logoEnBase(b, 0), QByteArray("G"));
        QCOMPARE(b.prompts.boites.size(), 1);
        QCOMPARE(b.prompts.boites[0].icone, Prompts::Icone::Exclamation);
        QVERIFY(b.prompts.boites[0].texte.contains(QStringLiteral(" - ")));
        QVERIFY(b.prompts.boites[0].texte.contains(b.chemin(QStringLiteral("logo.gif"))));
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "test_catalogue.moc"
