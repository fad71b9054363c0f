// The article synchronisation on both database paths, and the company record.
#include "ArticlesDeTest.h"
#include "base/Erreur.h"
#include "catalogue/Societe.h"
#include "catalogue/Synchronisation.h"
#include "db/Base.h"
#include "db/Connexion.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTest>
#include <sys/stat.h>

using namespace tarvo;
using namespace tarvo::test;
using namespace Qt::StringLiterals;

namespace {

const QString TexteObsoletes = QStringLiteral(
    " article(s) n'existe(nt) plus dans la Gestion Commerciale.\r\nVoulez-vous le(s) supprimer ?");

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
        ajouterArticleSage(b, u"R1"_s, u"Torchon lin"_s, u"111"_s);
        ajouterArticleSage(b, u"R2"_s, u"Nappe ronde"_s, u"222"_s);
        ajouterArticleSage(b, u"R3"_s, u"Port"_s, QString());
        ajouterArticleSage(b, u"R4"_s, u"Emballage"_s, QString(), true);
        ajouterArticleTarvo(b, u"111"_s, u"Ancien libellé"_s);
        for (const QString& code : obsoletes)
            ajouterArticleTarvo(b, code, u"Disparu"_s);
    }

private slots:
    // The QtSql path is the one SQL Server takes; on the embedded database it
    // checks that the engine's codes reach the routine the same way.
    void synchronisation_data() {
        QTest::addColumn<VoieDeTest>("voie");
        QTest::addColumn<QStringList>("references");
        QTest::addColumn<bool>("reponse");
        QTest::addColumn<QStringList>("restants");
        QTest::addColumn<qint64>("encoreUtilises");
        for (const VoieDeTest& voie : Voies()) {
            const QByteArray& nom = voie.nom;
            QTest::newRow("non: les obsolètes restent" + nom)
                << voie << QStringList() << false << QStringList{u"901"_s, u"902"_s, u"903"_s}
                << qint64(0);
            QTest::newRow("oui: tous supprimés" + nom)
                << voie << QStringList() << true << QStringList() << qint64(0);
            QTest::newRow("oui: un encore utilisé" + nom)
                << voie << QStringList{u"902"_s} << true << QStringList{u"902"_s} << qint64(1);
            QTest::newRow("oui: tous encore utilisés" + nom)
                << voie << QStringList{u"901"_s, u"902"_s, u"903"_s} << true
                << QStringList{u"901"_s, u"902"_s, u"903"_s} << qint64(3);
        }
    }
    void synchronisation() {
        QFETCH(VoieDeTest, voie);
        QFETCH(QStringList, references);
        QFETCH(bool, reponse);
        QFETCH(QStringList, restants);
        QFETCH(qint64, encoreUtilises);
        BaseDeTest b;
        if (voie.serveur && !references.isEmpty())
            QSKIP("Le moteur T-SQL d'essai ne vérifie pas une clé étrangère sur une colonne "
                  "French_CI_AI (« could not determine which collation to use ») ; SQL Server "
                  "le fait.");
        preparer(b, {u"901"_s, u"902"_s, u"903"_s});
        b.prompts.reponses << reponse;
        QVERIFY(b.prendre(voie));
        for (const QString& code : references)
            referencerArticle(b, code);

        const std::optional<catalogue::BilanSynchro> bilan =
            catalogue::SynchroArticle(*b.ctx, true);
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
        QCOMPARE(contenu.at(0), u"111|Torchon lin|R1|2001-02-03 04:05:06"_s);
        QVERIFY(contenu.at(1).startsWith(u"222|Nappe ronde|R2|20"_s));
        for (qsizetype i = 0; i < restants.size(); ++i)
            QVERIFY(contenu.at(2 + i).startsWith(restants.at(i) + u'|'));

        QCOMPARE(b.prompts.boites.size(), encoreUtilises > 0 ? 2 : 1);
        QCOMPARE(b.prompts.boites[0].titre, u"Article(s) obsolète(s)"_s);
        QCOMPARE(b.prompts.boites[0].texte, u'3' + TexteObsoletes);
        if (encoreUtilises > 0) {
            QCOMPARE(b.prompts.boites[1].icone, Prompts::Icone::Exclamation);
            QCOMPARE(b.prompts.boites[1].titre, u"Suppression incomplète"_s);
            QCOMPARE(b.prompts.boites[1].texte,
                     QString::number(encoreUtilises) +
                         QStringLiteral(" article(s) encore utilisé(s) dans l'application. La "
                                        "suppression concernant cet(ces) article(s) n'a pas été "
                                        "réalisée."));
        }
        QCOMPARE(
            b.feedback.statuts,
            (QStringList{u"Mise à jour des Articles existant"_s, u"Ajout des nouveaux Articles"_s,
                         u"Traitement des Articles n'existant plus dans SAGE"_s, QString()}));
        if (!reponse)
            return;
        QCOMPARE(b.feedback.progressions.at(b.feedback.progressions.size() - 2), 100);
        // A second run adds nothing, and without obsolete articles asks nothing.
        b.prompts.vider();
        b.prompts.reponses << false;
        const std::optional<catalogue::BilanSynchro> second =
            catalogue::SynchroArticle(*b.ctx, true);
        QVERIFY(second);
        QCOMPARE(second->miseAJour.ajoutes, 0);
        QCOMPARE(second->miseAJour.misAJour, 2);
        QCOMPARE(second->obsoletes, qint64{restants.size()});
        QCOMPARE(b.prompts.boites.isEmpty(), restants.isEmpty());
    }

    // Through the ODBC driver the engine's code of a refused deletion is read
    // from the driver's diagnostics, as on SQL Server; here the SQLite ODBC
    // driver stands in for the server's. Its connection, like every one of
    // the process, reports the extended code the routine recognises.
    void refusParReferenceOdbc() {
        BaseDeTest b;
        ParametresConnexion parametres;
        parametres.base = b.chemin(u"odbc.db"_s);
        Connexion odbc(u"odbc"_s);
        try {
            odbc.ouvrirOdbc(parametres, u"DRIVER=SQLite3;Database="_s + parametres.base + u';');
        } catch (const ErreurTarvo&) {
            QSKIP("Pilote ODBC SQLite3 absent (paquet libsqliteodbc)");
        }
        for (const char* texte :
             {"PRAGMA foreign_keys=ON", "CREATE TABLE Article (code TEXT PRIMARY KEY)",
              "CREATE TABLE Etiquetage (code TEXT REFERENCES Article (code))",
              "INSERT INTO Article VALUES ('902')", "INSERT INTO Etiquetage VALUES ('902')"})
            sql(odbc, QString::fromLatin1(texte));
        const std::optional<ErreurTarvo> refuse =
            refus(odbc, u"DELETE FROM Article WHERE code = ?"_s, {u"902"_s});
        QVERIFY(refuse);
        QCOMPARE(refuse->codesMoteur(), QList<qint64>{787});
    }

    // A failure of the insert after the update: Article as it was, the error
    // box alone. A failure during the walk stops it with the error box.
    void echecs_data() {
        QTest::addColumn<VoieDeTest>("voie");
        QTest::addColumn<QString>("declencheur");
        QTest::addColumn<int>("lignes");
        for (const VoieDeTest& voie : Voies()) {
            const QByteArray& nom = voie.nom;
            QTest::newRow("ajout refusé" + nom) << voie << u"BEFORE INSERT"_s << 2;
            QTest::newRow("suppression refusée" + nom) << voie << u"BEFORE DELETE"_s << 3;
        }
    }
    void echecs() {
        QFETCH(VoieDeTest, voie);
        QFETCH(QString, declencheur);
        QFETCH(int, lignes);
        BaseDeTest b;
        preparer(b, {u"901"_s});
        b.prompts.reponses << true;
        QVERIFY(b.prendre(voie));
        // The server's trigger runs after the statement and undoes it.
        db::Base(b.ctx->cnx.get())
            .executerScript(db::TexteSql(
                u"CREATE TRIGGER refus "_s + declencheur +
                    u" ON Article BEGIN SELECT RAISE(ABORT, 'refusé'); END"_s,
                u"CREATE TRIGGER refus ON Article AFTER "_s + declencheur.section(u' ', 1) +
                    u" AS THROW 50000, N'refusé', 1;"_s));

        QVERIFY(!catalogue::SynchroArticle(*b.ctx, true));
        const QStringList contenu = contenuArticle(b);
        QCOMPARE(contenu.size(), lignes);
        if (declencheur == u"BEFORE INSERT"_s)
            QCOMPARE(contenu.at(0), u"111|Ancien libellé|ANCIEN|2001-02-03 04:05:06"_s);
        const PromptsScriptes::Boite& derniere = b.prompts.boites.last();
        QCOMPARE(derniere.icone, Prompts::Icone::Critique);
        QCOMPARE(derniere.titre, u"Erreur"_s);
        QVERIFY(derniere.texte.contains(u"refusé"_s));
        QCOMPARE(b.feedback.statuts.last(), QString());
    }

    // A picture replaces the logo of the first row by the file's bytes as
    // they are; the second row keeps its own; a table without a row gets one.
    // Anything that is not a readable picture is refused; the logo stays.
    void logo_data() {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<int>("lignes");
        QTest::addColumn<QString>("fichier");
        QTest::addColumn<bool>("accepte");
        const QString ecrit = u"logo.img"_s;
        QTest::newRow("gif") << Gif << 2 << ecrit << true;
        QTest::newRow("bmp") << image("BMP") << 2 << ecrit << true;
        QTest::newRow("ico") << image("ICO") << 2 << ecrit << true;
        QTest::newRow("png") << image("PNG") << 2 << ecrit << true;
        QTest::newRow("jpeg") << image("JPEG") << 2 << ecrit << true;
        QTest::newRow("gif, table vide") << Gif << 0 << ecrit << true;
        // Pictures Qt reads but the packing list's promise does not cover.
        QTest::newRow("ppm") << image("PPM") << 1 << ecrit << false;
        QTest::newRow("xpm") << image("XPM") << 1 << ecrit << false;
        QTest::newRow("xbm") << image("XBM") << 1 << ecrit << false;
        QTest::newRow("texte") << QByteArray("Ceci n'est pas une image\r\n") << 1 << ecrit << false;
        QTest::newRow("vide") << QByteArray() << 1 << ecrit << false;
        QTest::newRow("png tronqué") << image("PNG").left(30) << 2 << ecrit << false;
        QTest::newRow("absent") << Gif << 1 << u"absent.gif"_s << false;
    }
    void logo() {
        QFETCH(QByteArray, octets);
        QFETCH(int, lignes);
        QFETCH(QString, fichier);
        QFETCH(bool, accepte);
        BaseDeTest b;
        b.creerBase();
        for (int i = 0; i < lignes; ++i)
            executerSql(b, u"INSERT INTO [Informations société] ([Nom société], Logo) VALUES "
                           "('Société %1', x'4700')"_s.arg(i));
        b.ecrireFichier(u"logo.img"_s, octets);

        const std::optional<QByteArray> stocke = catalogue::ChargerLogo(*b.ctx, b.chemin(fichier));
        QCOMPARE(stocke.has_value(), accepte);
        const QByteArray ancien("G\0", 2);
        if (lignes > 0)
            QCOMPARE(logoEnBase(b, 0), accepte ? octets : ancien);
        if (lignes > 1)
            QCOMPARE(logoEnBase(b, 1), ancien);
        QCOMPARE(b.prompts.boites.size(), 1);
        const PromptsScriptes::Boite& boite = b.prompts.boites[0];
        if (!accepte) {
            QCOMPARE(boite.icone, Prompts::Icone::Exclamation);
            QVERIFY(boite.texte.contains(u" - "_s));
            QVERIFY(boite.texte.contains(b.chemin(fichier)));
            return;
        }
        QCOMPARE(*stocke, octets);
        QCOMPARE(boite.icone, Prompts::Icone::Aucune);
        QCOMPARE(boite.texte, u"Logo chargé : "_s + b.chemin(fichier));
        const std::optional<catalogue::FicheSociete> fiche =
            catalogue::LireSociete(db::Base(b.ctx->cnx.get()));
        QVERIFY(fiche);
        QCOMPARE(fiche->logo, octets);
        QCOMPARE(fiche->champs.size(), 15);
    }

    // Only a regular file of at most TailleMaxLogo bytes is read: a device
    // would be read without end, a file past the limit is refused before
    // being read, by its size alone. A picture padded to the limit exactly
    // is still a logo.
    void logoBorne_data() {
        QTest::addColumn<QString>("fichier");
        QTest::addColumn<qint64>("taille");
        QTest::addColumn<QString>("refus");
        QTest::newRow("périphérique") << u"/dev/zero"_s << qint64(-1) << u"fichier ordinaire"_s;
        QTest::newRow("dossier") << u"dossier"_s << qint64(-1) << u"est un dossier"_s;
        // A pipe nobody writes to would hold the program forever.
        QTest::newRow("tube") << u"tube.gif"_s << qint64(-2) << u"fichier ordinaire"_s;
        QTest::newRow("au-delà de la limite")
            << u"grand.png"_s << catalogue::TailleMaxLogo + 1 << u"ne peut dépasser 4 Mio"_s;
        QTest::newRow("1,5 Go") << u"enorme.png"_s << qint64(1536) * 1024 * 1024
                                << u"ne peut dépasser 4 Mio"_s;
        QTest::newRow("à la limite") << u"limite.png"_s << catalogue::TailleMaxLogo << QString();
    }
    void logoBorne() {
        QFETCH(QString, fichier);
        QFETCH(qint64, taille);
        QFETCH(QString, refus);
        BaseDeTest b;
        b.creerBase();
        executerSql(b, u"INSERT INTO [Informations société] ([Nom société], Logo) VALUES "
                       "('Société', x'4700')"_s);
        QVERIFY(QDir(b.dossier.path()).mkdir(u"dossier"_s));
        const QByteArray png = image("PNG");
        if (taille == -2)
            QVERIFY(::mkfifo(QFile::encodeName(b.chemin(fichier)).constData(), 0600) == 0);
        if (taille >= 0) {
            // A real picture followed by a hole: no disk space is used.
            b.ecrireFichier(fichier, png);
            QFile f(b.chemin(fichier));
            QVERIFY(f.resize(taille));
        }
        const QString chemin = b.chemin(fichier);

        const std::optional<QByteArray> stocke = catalogue::ChargerLogo(*b.ctx, chemin);
        QCOMPARE(b.prompts.boites.size(), 1);
        const PromptsScriptes::Boite& boite = b.prompts.boites[0];
        if (refus.isEmpty()) {
            QVERIFY(stocke);
            QCOMPARE(stocke->size(), taille);
            QVERIFY(stocke->startsWith(png));
            QCOMPARE(logoEnBase(b, 0).size(), taille);
            return;
        }
        QVERIFY(!stocke);
        QCOMPARE(boite.icone, Prompts::Icone::Exclamation);
        QVERIFY2(boite.texte.contains(refus), qPrintable(boite.texte));
        QVERIFY(boite.texte.contains(chemin));
        QCOMPARE(logoEnBase(b, 0), QByteArray("G\0", 2));
    }

    // A save writes the changed fields of the row as it was read, on both
    // database paths; a row changed meanwhile is left alone and given back
    // as it is now; a rank past the rows means it was deleted.
    void majSociete_data() {
        QTest::addColumn<VoieDeTest>("voie");
        for (const VoieDeTest& voie : Voies())
            QTest::newRow("voie" + voie.nom) << voie;
    }
    void majSociete() {
        QFETCH(VoieDeTest, voie);
        using Etat = catalogue::ResultatMajSociete::Etat;
        BaseDeTest b;
        b.creerBase();
        for (int i = 1; i <= 2; ++i)
            executerSql(b, u"INSERT INTO [Informations société] ([Nom société], Ville) VALUES "
                           "('Société %1', 'Ville %1')"_s.arg(i));
        QVERIFY(b.prendre(voie));
        const db::Base base(b.ctx->cnx.get());
        const auto ligne = [&b](int rang) {
            db::Base lecture(b.ctx->cnx.get());
            // The server's table has no key: the first row is the one
            // that keeps its town throughout.
            db::Requete r = lecture.preparer(
                db::TexteSql(u"SELECT [Nom société], Ville, Pays FROM [Informations société] "
                             "ORDER BY rowid LIMIT 1 OFFSET :n"_s,
                             u"SELECT [Nom société], Ville, Pays FROM [Informations société] "
                             "ORDER BY CASE WHEN Ville = 'Ville 1' THEN 0 ELSE 1 END "
                             "OFFSET :n ROWS FETCH NEXT 1 ROWS ONLY"_s));
            r.lier(u":n", rang);
            QStringList textes;
            if (!r.suivante())
                return textes;
            for (int colonne = 0; colonne < 3; ++colonne)
                textes << (r.estNul(colonne) ? u"NULL"_s : r.texte(colonne));
            return textes;
        };
        // The NULL fields read as empty, and may come as null texts.
        QStringList lus(catalogue::ColonneLogo);
        lus[0] = u"Société 2"_s;
        lus[5] = u"Ville 2"_s;

        QCOMPARE(catalogue::MajSociete(base, 1, lus, {}).etat, Etat::Enregistree);
        // Emptied is written as empty; the fields left alone keep their NULL.
        QCOMPARE(catalogue::MajSociete(base, 1, lus, {{5, QString()}, {6, u"France"_s}}).etat,
                 Etat::Enregistree);
        QCOMPARE(ligne(1), QStringList({u"Société 2"_s, QString(), u"France"_s}));
        QCOMPARE(ligne(0), QStringList({u"Société 1"_s, u"Ville 1"_s, u"NULL"_s}));

        const catalogue::ResultatMajSociete change =
            catalogue::MajSociete(base, 1, lus, {{0, u"Perdu"_s}});
        QCOMPARE(change.etat, Etat::Modifiee);
        QCOMPARE(change.actuels.size(), catalogue::ColonneLogo);
        QCOMPARE(change.actuels.at(0), u"Société 2"_s);
        QCOMPARE(change.actuels.at(6), u"France"_s);
        QCOMPARE(ligne(1).at(0), u"Société 2"_s);
        QCOMPARE(catalogue::MajSociete(base, 1, change.actuels, {{0, u"Gardé"_s}}).etat,
                 Etat::Enregistree);
        QCOMPARE(ligne(1), QStringList({u"Gardé"_s, QString(), u"France"_s}));
        QCOMPARE(ligne(0).at(0), u"Société 1"_s);

        QCOMPARE(catalogue::MajSociete(base, 2, lus, {{0, u"Perdu"_s}}).etat, Etat::Supprimee);
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "test_catalogue.moc"
