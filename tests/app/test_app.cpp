#include "BaseDeTest.h"
#include "app/Connexion.h"
#include "app/Demarrage.h"
#include "app/FormesMessages.h"
#include "app/Ini.h"
#include "app/Journaux.h"
#include "app/Memoire.h"
#include "app/Version.h"
#include "app/Windows1252.h"

#include <QDir>
#include <QTest>
#include <cstdlib>
#include <vector>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

using namespace tarvo;
using namespace tarvo::test;
using namespace Qt::StringLiterals;

namespace {

QString lire(BaseDeTest& t, const char* cle, const char* section) {
    return LireIni(*t.ctx, QString::fromUtf8(cle), QString::fromUtf8(section));
}

void ecrireVersion(BaseDeTest& t, const QString& reference) {
    t.ecrireFichier(QStringLiteral("version.ini"),
                    (QStringLiteral("[TARVOX]\r\nVersionRef=") + reference +
                     QStringLiteral("\r\nUpdateFile=/opt/maj/installer --silencieux\r\n"))
                        .toUtf8());
}

} // namespace

class TestApp : public QObject {
    Q_OBJECT
private slots:
    void lireIniPiegesDuFormat() {
        BaseDeTest t;
        t.ecrireIni("[db]\r\nDBNAME=minuscule\r\n"
                    "[DB] \r\nDBNAME=espace\r\n"
                    "[DB]\r\n"
                    "SERVERNAME\r\n"
                    "SERVERNAME=apres-ligne-nue\r\n"
                    "DBNAMEOLD = ancien \r\n"
                    "DBNAME=second\r\n"
                    " PROVIDER=indente\r\n"
                    "ODBCDRIVER=\tPilote\t \r\n"
                    "CHAINE=a=b=c\r\n"
                    "VIDE=\r\n"
                    "[AUTRE]\r\n"
                    "SEULEMENT=ailleurs\r\n"
                    "[DERNIERE]");
        // Prefix match: DBNAMEOLD is the first line that begins with DBNAME.
        QCOMPARE(lire(t, "DBNAME", "[DB]"), QStringLiteral("ancien"));
        QCOMPARE(lire(t, "SERVERNAME", "[DB]"), QString());
        QCOMPARE(lire(t, "PROVIDER", "[DB]"), QString());
        QCOMPARE(lire(t, "ODBCDRIVER", "[DB]"), QStringLiteral("\tPilote\t"));
        QCOMPARE(lire(t, "CHAINE", "[DB]"), QStringLiteral("a=b=c"));
        QCOMPARE(lire(t, "VIDE", "[DB]"), QString());
        QCOMPARE(lire(t, "SEULEMENT", "[DB]"), QString());
        QCOMPARE(lire(t, "DBNAME", "[db]"), QStringLiteral("minuscule"));
        QVERIFY(t.prompts.boites.isEmpty());
    }

    void lireIniSectionIntrouvableArreteLeProgramme_data() {
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<QString>("section");
        QTest::newRow("casse") << QByteArray("[db]\r\nX=1\r\n") << QStringLiteral("[DB]");
        QTest::newRow("espace final") << QByteArray("[DB] \r\nX=1\r\n") << QStringLiteral("[DB]");
        QTest::newRow("derniere ligne") << QByteArray("X=1\r\n[DB]") << QStringLiteral("[DB]");
        QTest::newRow("derniere ligne avec CR LF")
            << QByteArray("X=1\r\n[DB]\r\n") << QStringLiteral("[DB]");
    }

    void lireIniSectionIntrouvableArreteLeProgramme() {
        QFETCH(QByteArray, contenu);
        QFETCH(QString, section);
        BaseDeTest t;
        t.ecrireIni(contenu);
        try {
            LireIni(*t.ctx, QStringLiteral("X"), section);
            QFAIL("une section introuvable doit arrêter le programme");
        } catch (const SectionIniIntrouvable& e) {
            AfficherSectionIntrouvable(*t.ctx, e);
        }
        QCOMPARE(t.prompts.boites.size(), 1);
        QCOMPARE(t.prompts.boites[0].icone, Prompts::Icone::Critique);
        QCOMPARE(t.prompts.boites[0].titre, QStringLiteral("Lecture du fichier INI"));
        QCOMPARE(t.prompts.boites[0].texte,
                 QStringLiteral("La section suivante est introuvable : [DB]"));
    }

    void lireIniFinsDeLigneEtCodePage() {
        BaseDeTest t;
        // Lone LF, and a Windows-1252 é (0xE9) and € (0x80).
        t.ecrireIni("[SCANPAL2]\nCheminArchiveData=C:\\Archiv\xE9\x80\n[ZEBRA]\n");
        QCOMPARE(lire(t, "CheminArchiveData", "[SCANPAL2]"), QStringLiteral("C:\\Archivé€"));
    }

    void lireIniVoitLesModificationsAussitot() {
        BaseDeTest t;
        QCOMPARE(lire(t, "MargeGaucheArt", "[ZEBRA]"), QStringLiteral("10"));
        t.ecrireIni("[ZEBRA]\r\nMargeGaucheArt=25\r\n");
        QCOMPARE(lire(t, "MargeGaucheArt", "[ZEBRA]"), QStringLiteral("25"));
    }

    void valeurCle() {
        bool trouve = false;
        QCOMPARE(ValeurCle(QStringLiteral("CLE"), QStringLiteral("CLE   =  v  "), &trouve),
                 QStringLiteral("v"));
        QVERIFY(trouve);
        QCOMPARE(ValeurCle(QStringLiteral("CLE"), QStringLiteral("cle=v"), &trouve), QString());
        QVERIFY(!trouve);
        QCOMPARE(ValeurCle(QStringLiteral("CLE"), QStringLiteral("CLE"), &trouve), QString());
        QVERIFY(!trouve);
    }

    void windows1252AllerRetour() {
        const QString texte = QStringLiteral("Dépôt « été » – 5 € œuvre");
        const QByteArray octets = Windows1252::encoder(texte);
        QCOMPARE(octets.size(), texte.size());
        QCOMPARE(Windows1252::decoder(octets), texte);
        // A character outside the code page is one '?', even outside the basic plane.
        QCOMPARE(Windows1252::encoder(QStringLiteral("a\u4E2Db\U0001F600c")), QByteArray("a?b?c"));
    }

    void versionDemarrage_data() {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QList<bool>>("reponses");
        QTest::addColumn<bool>("continuer");
        QTest::addColumn<int>("nombreBoites");
        QTest::addColumn<bool>("miseAJourLancee");
        QTest::newRow("identique") << VersionCourante() << QList<bool>{} << true << 0 << false;
        QTest::newRow("mise a jour")
            << QStringLiteral("9.9.9") << QList<bool>{true} << false << 1 << true;
        QTest::newRow("non non") << QStringLiteral("9.9.9") << QList<bool>{false, false} << false
                                 << 2 << false;
        QTest::newRow("non oui non")
            << QStringLiteral("9.9.9") << QList<bool>{false, true, false} << false << 3 << false;
        QTest::newRow("non oui oui")
            << QStringLiteral("9.9.9") << QList<bool>{false, true, true} << true << 3 << false;
    }

    void versionDemarrage() {
        QFETCH(QString, reference);
        QFETCH(QList<bool>, reponses);
        QFETCH(bool, continuer);
        QFETCH(int, nombreBoites);
        QFETCH(bool, miseAJourLancee);
        BaseDeTest t;
        ecrireVersion(t, reference);
        for (bool r : reponses)
            t.prompts.reponses.enqueue(r);
        QString lancee;
        const LanceurProgramme lanceur = [&lancee](const QString& commande) {
            lancee = commande;
            return true;
        };
        const bool aContinue = ControlesDeDemarrage(*t.ctx, lanceur);
        QCOMPARE(aContinue, continuer);
        QCOMPARE(t.prompts.boites.size(), nombreBoites);
        QCOMPARE(!lancee.isEmpty(), miseAJourLancee);
        if (miseAJourLancee)
            QCOMPARE(lancee, QStringLiteral("/opt/maj/installer --silencieux"));
        if (nombreBoites == 0)
            return;
        const auto& premiere = t.prompts.boites[0];
        QCOMPARE(premiere.icone, Prompts::Icone::Critique);
        QCOMPARE(premiere.titre, QStringLiteral("Lancement interrompu - VERSION INCORRECTE"));
        QCOMPARE(premiere.texte,
                 QStringLiteral("La version [") + VersionCourante() +
                     QStringLiteral("] ne correspond pas à la version de "
                                    "référence [9.9.9]\r\nVoulez-vous effectuer la "
                                    "mise à jour ? - /opt/maj/installer --silencieux"));
        if (nombreBoites >= 2) {
            QCOMPARE(t.prompts.boites[1].titre, QStringLiteral("ATTENTION - VERSION INCORRECTE"));
            QCOMPARE(t.prompts.boites[1].icone, Prompts::Icone::Exclamation);
            QVERIFY(!t.prompts.boites[1].ouiParDefaut);
            QCOMPARE(
                t.prompts.boites[1].texte,
                QStringLiteral("Voulez-vous continuer sans faire la mise à jour ?\r\nATTENTION "
                               "CONTINUER PEUT ENTRAINER DES PERTES DE DONNEES IRREVERSIBLE !"));
        }
        if (nombreBoites == 3)
            QCOMPARE(
                t.prompts.boites[2].texte,
                QStringLiteral("CONFIRMEZ-vous que vous souhaitez continuer sans faire la mise "
                               "à jour ?\r\nATTENTION CONTINUER PEUT ENTRAINER DES PERTES DE "
                               "DONNEES IRREVERSIBLE !"));
    }

    // The update program of a site usually lives under a folder whose name
    // holds spaces, written without quotes.
    void miseAJourDansUnDossierAvecEspaces() {
        BaseDeTest t;
        QDir(t.dossier.path()).mkpath(u"Program Files/Tarvo"_s);
        const QString programme = t.chemin(u"Program Files/Tarvo/mise à jour.sh"_s);
        const QString temoin = t.chemin(u"lancée"_s);
        t.ecrireFichier(u"Program Files/Tarvo/mise à jour.sh"_s,
                        "#!/bin/sh\ntouch \"$(dirname \"$0\")/../../lancée\"\n");
        QFile::setPermissions(programme, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(lancerDetache(programme));
        QTRY_VERIFY(QFileInfo::exists(temoin));
        // Arguments still split where the value names no file as a whole.
        QVERIFY(!lancerDetache(t.chemin(u"Program Files/Tarvo/absent"_s)));
        QVERIFY(lancerDetache(u"/bin/sh -c true"_s));
    }

    void versionComparaisonTextuelle() {
        BaseDeTest t;
        const QStringList parties = VersionCourante().split(u'.');
        ecrireVersion(t, parties[0] + QStringLiteral(".0") + parties[1] + u'.' + parties[2]);
        t.prompts.reponses << false << false;
        QVERIFY(!ControlesDeDemarrage(*t.ctx, nullptr));
        QVERIFY(t.prompts.boites[0].texte.contains(QStringLiteral("La version [")));
    }

    void versionReferenceAbsente() {
        BaseDeTest t;
        t.ecrireFichier(QStringLiteral("version.ini"), "[TARVOX]\r\nUpdateFile=maj.exe\r\n");
        t.prompts.reponses << false << false;
        QVERIFY(!ControlesDeDemarrage(*t.ctx, nullptr));
        QVERIFY(t.prompts.boites[0].texte.contains(
            QStringLiteral("ne correspond pas à la version de référence []")));
    }

    void fichiersDeDemarrageAbsents_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("titre");
        QTest::addColumn<QString>("texte");
        QTest::newRow("ini absent") << QByteArray() << QStringLiteral("Lancement interrompu")
                                    << QStringLiteral("Le fichier d'initialisation suivant est "
                                                      "introuvable : TARVOX.ini");
        QTest::newRow("version absente")
            << QByteArray("[Controle Version]\r\nFichierInfoVersion=/nulle/part/v.ini\r\n[DB]\r\n")
            << QStringLiteral("Lancement interrompu")
            << QStringLiteral("Le fichier de contrôle de version suivant est introuvable : "
                              "/nulle/part/v.ini");
        QTest::newRow("version vide")
            << QByteArray("[Controle Version]\r\nFichierInfoVersion=\r\n[DB]\r\n")
            << QStringLiteral("Lancement interrompu")
            << QStringLiteral("Le fichier de contrôle de version suivant est introuvable : ");
        QTest::newRow("section version absente")
            << QByteArray("[DB]\r\nSECURITYMODE=INTEG\r\n")
            << QStringLiteral("Lecture du fichier INI")
            << QStringLiteral("La section suivante est introuvable : [Controle Version]");
    }

    void fichiersDeDemarrageAbsents() {
        QFETCH(QByteArray, ini);
        QFETCH(QString, titre);
        QFETCH(QString, texte);
        BaseDeTest t;
        if (ini.isEmpty())
            QFile::remove(t.chemin(QStringLiteral("TARVOX.ini")));
        else
            t.ecrireIni(ini);
        QVERIFY(!ControlesDeDemarrage(*t.ctx, nullptr));
        QCOMPARE(t.prompts.boites.size(), 1);
        QCOMPARE(t.prompts.boites[0].titre, titre);
        QCOMPARE(t.prompts.boites[0].texte, texte);
    }

    void modeSecurite_data() {
        QTest::addColumn<QString>("valeur");
        QTest::addColumn<QString>("mode");
        QTest::newRow("INTEG") << QStringLiteral("INTEG") << QStringLiteral("INTEG");
        QTest::newRow("integ") << QStringLiteral("integ") << QStringLiteral("INTEG");
        QTest::newRow("vide") << QString() << QStringLiteral("SQL");
        QTest::newRow("SQL") << QStringLiteral("SQL") << QStringLiteral("SQL");
        QTest::newRow("autre") << QStringLiteral("WINDOWS") << QStringLiteral("SQL");
    }

    void modeSecurite() {
        QFETCH(QString, valeur);
        QFETCH(QString, mode);
        BaseDeTest t;
        t.ecrireIni(
            (QStringLiteral("[DB]\r\nSECURITYMODE=") + valeur + QStringLiteral("\r\n[X]\r\n"))
                .toUtf8());
        QCOMPARE(LireModeSecurite(*t.ctx), mode);
    }

    void journauxOctetPourOctet() {
        BaseDeTest t;
        EcrireLog(*t.ctx, FichierErreurs, QStringLiteral("Erreur IntegData\r\nLigne é"));
        TraceDebug(*t.ctx, QStringLiteral("Début"));
        TraceErreur(*t.ctx, QStringLiteral("Erreur lors de l'exécution de exec x 1"), -2147217900,
                    QStringLiteral("Syntaxe"));
        QCOMPARE(t.lireFichier(FichierErreurs),
                 QByteArray("19/04/2012 13:42:25 Erreur IntegData\r\nLigne \xE9\r\n"
                            "19/04/2012 13:42:25 Erreur lors de l'ex\xE9"
                            "cution de exec x 1 "
                            "Err=-2147217900 Syntaxe\r\n"));
        QCOMPARE(t.lireFichier(FichierDebug), QByteArray("19/04/2012 13:42:25 D\xE9"
                                                         "but\r\n"));
        QCOMPARE(t.prompts.boites.size(), 1);
        QCOMPARE(t.prompts.boites[0].icone, Prompts::Icone::Aucune);
        QCOMPARE(t.prompts.boites[0].texte,
                 QStringLiteral("Erreur lors de l'exécution de exec x 1 Err=-2147217900 Syntaxe"));
    }

    void traceErreurEtat() {
        BaseDeTest t;
        EchecEtat echec;
        echec.erreur = {-2147467259, QStringLiteral("Microsoft OLE DB"), QStringLiteral("Échec")};
        echec.texteCommande = QStringLiteral("SELECT 1");
        echec.erreursConnexion = {
            {11, QStringLiteral("S1"), 4060, QStringLiteral("D1"), QStringLiteral("08004")},
            {12, QStringLiteral("S2"), 18456, QStringLiteral("D2"), QStringLiteral("28000")}};
        trace_erreur_etat(*t.ctx, QStringLiteral("EtatControleExpGamme"),
                          QStringLiteral("EtatControleArtGamme"), echec);
        QCOMPARE(t.prompts.boites.size(), 1);
        QCOMPARE(t.prompts.boites[0].icone, Prompts::Icone::Critique);
        QCOMPARE(t.prompts.boites[0].titre, QString());
        QCOMPARE(t.prompts.boites[0].texte,
                 QStringLiteral("Problème de connexion lors du calcul de l'état "
                                "EtatControleExpGamme\r\nErreur n° : -2147467259 Échec\r\n"
                                "Informations détaillées dans le fichier erreurs.txt"));
        QCOMPARE(t.lireFichier(FichierErreurs),
                 Windows1252::encoder(QStringLiteral(
                     "19/04/2012 13:42:25 Erreur lors du calcul du l'état EtatControleExpGamme\r\n"
                     "Erreur n° : -2147467259\r\n"
                     "Source    : Microsoft OLE DB\r\n"
                     "LastDllError: 0\r\n"
                     "Description : Échec\r\n"
                     "Problème de connexion - Nb Erreur : 2\r\n"
                     "Erreur #    : 0 11\r\nSource      : S1\r\nNativeError : 4060\r\n"
                     "Description : D1\r\nSQLState    : 08004\r\n"
                     "Erreur #    : 1 12\r\nSource      : S2\r\nNativeError : 18456\r\n"
                     "Description : D2\r\nSQLState    : 28000\r\n"
                     "\r\n"
                     "DataEnv command     : EtatControleArtGamme\r\n"
                     "DataEnv CommandText : SELECT 1\r\n"
                     "---------------\r\n")));
    }

    void erreurDetaillee() {
        QCOMPARE(texteErreurDetaillee({3704, QStringLiteral("ADODB"), QStringLiteral("Fermé")}),
                 QStringLiteral("Erreur n° : 3704\r\n\r\nSource : ADODB\r\n\r\nDétail : "
                                "Fermé\r\n\r\n"));
    }

    void connexionsDistinctes() {
        BaseDeTest t;
        t.creerBase();
        init_dataenv_connection(*t.ctx);
        const int a = t.ctx->cnx->spid();
        const int b = t.ctx->conxReport->spid();
        QVERIFY(a > 0 && b > 0);
        QVERIFY(a != b);
        QCOMPARE(t.ctx->cnx->spid(), a);
        // A rebuilt report connection is a new process with a new number.
        init_dataenv_connection(*t.ctx);
        QVERIFY(t.ctx->conxReport->spid() != b);
        QVERIFY(t.ctx->conxReport->spid() != a);
    }

    void connexionEchouee() {
        BaseDeTest t;
        t.ctx->modeSecurite = QStringLiteral("INTEG");
        QVERIFY(!ConnexionBase(*t.ctx, QString(), QString()));
        QCOMPARE(t.prompts.boites.size(), 1);
        QCOMPARE(t.prompts.boites[0].titre, QStringLiteral("Problème de connexion"));
        QVERIFY(t.prompts.boites[0].texte.startsWith(QStringLiteral("Erreur n° : ")));
        QVERIFY(t.prompts.boites[0].texte.contains(QStringLiteral("tarvo.db")));
        QVERIFY(!QFile::exists(t.chemin(QStringLiteral("tarvo.db"))));
    }

    // Without the two keys the driver keeps its own, safe default; with them
    // a site trusts its server's self-signed certificate.
    void chiffrementSqlServer_data() {
        QTest::addColumn<QByteArray>("cles");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("défaut du pilote") << QByteArray() << QString();
        QTest::newRow("certificat du site")
            << QByteArray("ENCRYPT=yes\r\nTRUSTSERVERCERTIFICATE=yes\r\n")
            << u"Encrypt={yes};TrustServerCertificate={yes};"_s;
        QTest::newRow("valeur sans injection")
            << QByteArray("ENCRYPT=strict;UID=x\r\n") << u"Encrypt={strict;UID=x};"_s;
    }
    void chiffrementSqlServer() {
        QFETCH(QByteArray, cles);
        QFETCH(QString, attendu);
        BaseDeTest t;
        t.ecrireIni("[DB]\r\nPROVIDER=SQLOLEDB\r\nSERVERNAME=srv\r\nDBNAME=Sage\r\n" + cles);
        t.ctx->modeSecurite = u"INTEG"_s;
        const QString chaine = ChaineOdbc(ParametresDepuisIni(*t.ctx, QString(), QString()));
        QCOMPARE(chaine, u"DRIVER={ODBC Driver 18 for SQL Server};SERVER={srv};DATABASE={Sage};"
                         u"Trusted_Connection=yes;"_s +
                             attendu);
    }

    void connexionSqlServerEchoueeAvecLeTexteDuPilote() {
        BaseDeTest t;
        t.ecrireIni("[DB]\r\nPROVIDER=SQLOLEDB\r\nSERVERNAME=127.0.0.1\r\nDBNAME=Sage;x=y\r\n"
                    "ODBCDRIVER=Pilote absent\r\n[X]\r\n");
        t.ctx->modeSecurite = QStringLiteral("SQL");
        QVERIFY(!ConnexionBase(*t.ctx, QStringLiteral("sa"), QStringLiteral("p;w}d")));
        QCOMPARE(t.prompts.boites.size(), 1);
        QCOMPARE(t.prompts.boites[0].titre, QStringLiteral("Problème de connexion"));
        const QString texte = t.prompts.boites[0].texte;
        QVERIFY2(texte.contains(QStringLiteral("Source : ODBC")), qPrintable(texte));
        QVERIFY2(texte.contains(QStringLiteral("Pilote absent")) ||
                     texte.contains(QStringLiteral("IM002")),
                 qPrintable(texte));
    }

    void baseEmbarqueeSansComptes() {
        BaseDeTest t;
        t.creerBase();
        t.prompts.vider();
        t.ctx->modeSecurite = QStringLiteral("SQL");
        QVERIFY(!ConnexionBase(*t.ctx, QStringLiteral("dupont"), QStringLiteral("secret")));
        QCOMPARE(t.prompts.boites.size(), 1);
        QCOMPARE(t.prompts.boites[0].titre, QStringLiteral("Problème de connexion"));
        QVERIFY(t.prompts.boites[0].texte.contains(QStringLiteral("SECURITYMODE=INTEG")));
        QVERIFY(!t.ctx->cnx->estOuverte());
    }

    // Blocks below the mapping threshold come from the top of the heap; once
    // freed, the heap must stay ours rather than go back to the kernel, or
    // every large statement of a long run pays two system calls.
    void leTasResteAuProgramme() {
#if defined(__GLIBC__)
        garderLeTasMemoire();
        std::vector<void*> blocs;
        for (int i = 0; i < 40; ++i)
            blocs.push_back(std::malloc(100 * 1024));
        for (auto it = blocs.rbegin(); it != blocs.rend(); ++it)
            std::free(*it);
        QVERIFY2(mallinfo2().keepcost >= 3 * 1024 * 1024, "le haut du tas a été rendu au système");
#else
        QSKIP("réglage propre à la bibliothèque C GNU");
#endif
    }
};

QTEST_GUILESS_MAIN(TestApp)
#include "test_app.moc"
