#include "BaseDeTest.h"
#include "app/Demarrage.h"
#include "app/OuvertureConnexion.h"
#include "base/FormesMessages.h"
#include "base/Ini.h"
#include "base/Journaux.h"
#include "base/Memoire.h"
#include "base/Version.h"
#include "base/Windows1252.h"

#include <QDir>
#include <QRegularExpression>
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
    t.ecrireFichier(u"version.ini"_s, (u"[TARVOX]\r\nVersionRef="_s + reference +
                                       u"\r\nUpdateFile=/opt/maj/installer --silencieux\r\n"_s)
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
        QCOMPARE(lire(t, "DBNAME", "[DB]"), u"ancien"_s);
        QCOMPARE(lire(t, "SERVERNAME", "[DB]"), QString());
        QCOMPARE(lire(t, "PROVIDER", "[DB]"), QString());
        QCOMPARE(lire(t, "ODBCDRIVER", "[DB]"), u"\tPilote\t"_s);
        QCOMPARE(lire(t, "CHAINE", "[DB]"), u"a=b=c"_s);
        QCOMPARE(lire(t, "VIDE", "[DB]"), QString());
        QCOMPARE(lire(t, "SEULEMENT", "[DB]"), QString());
        QCOMPARE(lire(t, "DBNAME", "[db]"), u"minuscule"_s);
        QVERIFY(t.prompts.boites.isEmpty());
        // The key's case counts.
        bool trouve = true;
        QCOMPARE(ValeurCle(u"CLE"_s, u"cle=v"_s, &trouve), QString());
        QVERIFY(!trouve);

        // Read afresh each time; a lone LF, and a Windows-1252 é (0xE9) and € (0x80).
        t.ecrireIni("[SCANPAL2]\nCheminArchiveData=C:\\Archiv\xE9\x80\n[ZEBRA]\n");
        QCOMPARE(lire(t, "CheminArchiveData", "[SCANPAL2]"), u"C:\\Archivé€"_s);
    }

    void lireIniSectionIntrouvableArreteLeProgramme_data() {
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<QString>("section");
        QTest::newRow("casse") << QByteArray("[db]\r\nX=1\r\n") << u"[DB]"_s;
        QTest::newRow("espace final") << QByteArray("[DB] \r\nX=1\r\n") << u"[DB]"_s;
        QTest::newRow("derniere ligne") << QByteArray("X=1\r\n[DB]") << u"[DB]"_s;
        QTest::newRow("derniere ligne avec CR LF") << QByteArray("X=1\r\n[DB]\r\n") << u"[DB]"_s;
    }

    void lireIniSectionIntrouvableArreteLeProgramme() {
        QFETCH(QByteArray, contenu);
        QFETCH(QString, section);
        BaseDeTest t;
        t.ecrireIni(contenu);
        try {
            LireIni(*t.ctx, u"X"_s, section);
            QFAIL("une section introuvable doit arrêter le programme");
        } catch (const SectionIniIntrouvable& e) {
            AfficherSectionIntrouvable(*t.ctx, e);
        }
        QCOMPARE(
            t.prompts.titresEtTextes(),
            QStringList{u"Lecture du fichier INI|La section suivante est introuvable : [DB]"_s});
        QCOMPARE(t.prompts.boites[0].icone, Prompts::Icone::Critique);
    }

    void windows1252AllerRetour() {
        const QString texte = u"Dépôt « été » – 5 € œuvre"_s;
        const QByteArray octets = Windows1252::encoder(texte);
        QCOMPARE(octets.size(), texte.size());
        QCOMPARE(Windows1252::decoder(octets), texte);
        // A character outside the code page is one '?', even outside the basic plane.
        QCOMPARE(Windows1252::encoder(u"a\u4E2Db\U0001F600c"_s), QByteArray("a?b?c"));
    }

    void versionDemarrage_data() {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QList<bool>>("reponses");
        QTest::addColumn<bool>("continuer");
        QTest::addColumn<int>("nombreBoites");
        QTest::addColumn<bool>("miseAJourLancee");
        QTest::newRow("identique") << VersionCourante() << QList<bool>{} << true << 0 << false;
        QTest::newRow("mise a jour") << u"9.9.9"_s << QList<bool>{true} << false << 1 << true;
        QTest::newRow("non non") << u"9.9.9"_s << QList<bool>{false, false} << false << 2 << false;
        QTest::newRow("non oui non")
            << u"9.9.9"_s << QList<bool>{false, true, false} << false << 3 << false;
        QTest::newRow("non oui oui")
            << u"9.9.9"_s << QList<bool>{false, true, true} << true << 3 << false;
        // Compared as texts: 1.02.3 is not 1.2.3.
        const QStringList parties = VersionCourante().split(u'.');
        QTest::newRow("comparaison textuelle")
            << parties[0] + u".0"_s + parties[1] + u'.' + parties[2] << QList<bool>{false, false}
            << false << 2 << false;
        QTest::newRow("référence absente")
            << QString() << QList<bool>{false, false} << false << 2 << false;
    }

    void versionDemarrage() {
        QFETCH(QString, reference);
        QFETCH(QList<bool>, reponses);
        QFETCH(bool, continuer);
        QFETCH(int, nombreBoites);
        QFETCH(bool, miseAJourLancee);
        BaseDeTest t;
        if (reference.isNull())
            t.ecrireFichier(u"version.ini"_s,
                            "[TARVOX]\r\nUpdateFile=/opt/maj/installer --silencieux\r\n");
        else
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
            QCOMPARE(lancee, u"/opt/maj/installer --silencieux"_s);
        if (nombreBoites == 0)
            return;
        const auto& premiere = t.prompts.boites[0];
        QCOMPARE(premiere.icone, Prompts::Icone::Critique);
        QCOMPARE(premiere.titre, u"Lancement interrompu - VERSION INCORRECTE"_s);
        QCOMPARE(premiere.texte, u"La version ["_s + VersionCourante() +
                                     u"] ne correspond pas à la version de référence ["_s +
                                     reference +
                                     u"]\r\nVoulez-vous effectuer la "
                                     "mise à jour ? - /opt/maj/installer --silencieux"_s);
        if (nombreBoites >= 2) {
            QCOMPARE(t.prompts.boites[1].titre, u"ATTENTION - VERSION INCORRECTE"_s);
            QCOMPARE(t.prompts.boites[1].icone, Prompts::Icone::Exclamation);
            QVERIFY(!t.prompts.boites[1].ouiParDefaut);
            QCOMPARE(t.prompts.boites[1].texte,
                     u"Voulez-vous continuer sans faire la mise à jour ?\r\nATTENTION "
                     "CONTINUER PEUT ENTRAINER DES PERTES DE DONNEES IRREVERSIBLE !"_s);
        }
        if (nombreBoites == 3)
            QCOMPARE(t.prompts.boites[2].texte,
                     u"CONFIRMEZ-vous que vous souhaitez continuer sans faire la mise "
                     "à jour ?\r\nATTENTION CONTINUER PEUT ENTRAINER DES PERTES DE "
                     "DONNEES IRREVERSIBLE !"_s);
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

    void fichiersDeDemarrageAbsents_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("titre");
        QTest::addColumn<QString>("texte");
        QTest::newRow("ini absent") << QByteArray() << u"Lancement interrompu"_s
                                    << u"Le fichier d'initialisation suivant est "
                                       "introuvable : TARVOX.ini"_s;
        QTest::newRow("version absente")
            << QByteArray("[Controle Version]\r\nFichierInfoVersion=/nulle/part/v.ini\r\n[DB]\r\n")
            << u"Lancement interrompu"_s
            << u"Le fichier de contrôle de version suivant est introuvable : "
               "/nulle/part/v.ini"_s;
        QTest::newRow("version vide")
            << QByteArray("[Controle Version]\r\nFichierInfoVersion=\r\n[DB]\r\n")
            << u"Lancement interrompu"_s
            << u"Le fichier de contrôle de version suivant est introuvable : "_s;
        QTest::newRow("section version absente")
            << QByteArray("[DB]\r\nSECURITYMODE=INTEG\r\n") << u"Lecture du fichier INI"_s
            << u"La section suivante est introuvable : [Controle Version]"_s;
    }

    void fichiersDeDemarrageAbsents() {
        QFETCH(QByteArray, ini);
        QFETCH(QString, titre);
        QFETCH(QString, texte);
        BaseDeTest t;
        if (ini.isEmpty())
            QFile::remove(t.chemin(u"TARVOX.ini"_s));
        else
            t.ecrireIni(ini);
        QVERIFY(!ControlesDeDemarrage(*t.ctx, nullptr));
        QCOMPARE(t.prompts.titresEtTextes(), QStringList{titre + u'|' + texte});
    }

    void modeSecurite_data() {
        QTest::addColumn<QString>("valeur");
        QTest::addColumn<QString>("mode");
        QTest::newRow("INTEG") << u"INTEG"_s << u"INTEG"_s;
        QTest::newRow("integ") << u"integ"_s << u"INTEG"_s;
        QTest::newRow("vide") << QString() << u"SQL"_s;
        QTest::newRow("SQL") << u"SQL"_s << u"SQL"_s;
        QTest::newRow("autre") << u"WINDOWS"_s << u"SQL"_s;
    }

    void modeSecurite() {
        QFETCH(QString, valeur);
        QFETCH(QString, mode);
        BaseDeTest t;
        t.ecrireIni((u"[DB]\r\nSECURITYMODE="_s + valeur + u"\r\n[X]\r\n"_s).toUtf8());
        QCOMPARE(LireModeSecurite(*t.ctx), mode);
    }

    void journauxOctetPourOctet() {
        BaseDeTest t;
        EcrireLog(*t.ctx, FichierErreurs, u"Erreur IntegData\r\nLigne é"_s);
        TraceDebug(*t.ctx, u"Début"_s);
        TraceErreur(*t.ctx, u"Erreur lors de l'exécution de exec x 1"_s, -2147217900, u"Syntaxe"_s);
        QCOMPARE(t.lireFichier(FichierErreurs),
                 QByteArray("19/04/2012 13:42:25 Erreur IntegData\r\nLigne \xE9\r\n"
                            "19/04/2012 13:42:25 Erreur lors de l'ex\xE9"
                            "cution de exec x 1 "
                            "Err=-2147217900 Syntaxe\r\n"));
        QCOMPARE(t.lireFichier(FichierDebug), QByteArray("19/04/2012 13:42:25 D\xE9"
                                                         "but\r\n"));
        QCOMPARE(t.prompts.titresEtTextes(),
                 QStringList{u"|Erreur lors de l'exécution de exec x 1 Err=-2147217900 Syntaxe"_s});
        QCOMPARE(t.prompts.boites[0].icone, Prompts::Icone::Aucune);
    }

    void traceErreurEtat() {
        BaseDeTest t;
        EchecEtat echec;
        echec.erreur = {-2147467259, u"Microsoft OLE DB"_s, u"Échec"_s};
        echec.texteCommande = u"SELECT 1"_s;
        echec.erreursConnexion = {{11, u"S1"_s, 4060, u"D1"_s, u"08004"_s},
                                  {12, u"S2"_s, 18456, u"D2"_s, u"28000"_s}};
        trace_erreur_etat(*t.ctx, u"EtatControleExpGamme"_s, u"EtatControleArtGamme"_s, echec);
        QCOMPARE(t.prompts.boites.size(), 1);
        QCOMPARE(t.prompts.boites[0].icone, Prompts::Icone::Critique);
        QCOMPARE(t.prompts.boites[0].titre, QString());
        QCOMPARE(t.prompts.boites[0].texte,
                 u"Problème de connexion lors du calcul de l'état "
                 "EtatControleExpGamme\r\nErreur n° : -2147467259 Échec\r\n"
                 "Informations détaillées dans le fichier erreurs.txt"_s);
        QCOMPARE(t.lireFichier(FichierErreurs),
                 Windows1252::encoder(
                     u"19/04/2012 13:42:25 Erreur lors du calcul du l'état EtatControleExpGamme\r\n"
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
                     "---------------\r\n"_s));
    }

    void erreurDetaillee() {
        QCOMPARE(texteErreurDetaillee({3704, u"ADODB"_s, u"Fermé"_s}),
                 u"Erreur n° : 3704\r\n\r\nSource : ADODB\r\n\r\nDétail : "
                 "Fermé\r\n\r\n"_s);
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

    // A connection that fails says why in one box and creates nothing.
    void connexionEchouee_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("motif");
        QTest::newRow("base embarquée absente")
            << QByteArray() << u"INTEG"_s << u"^Erreur n° : .*tarvo\\.db"_s;
        QTest::newRow("base embarquée sans comptes")
            << QByteArray("base") << u"SQL"_s << u"SECURITYMODE=INTEG"_s;
        // A password full of separators, a driver that is not installed: the
        // driver's own text.
        QTest::newRow("pilote SQL Server absent")
            << QByteArray("[DB]\r\nPROVIDER=SQLOLEDB\r\nSERVERNAME=127.0.0.1\r\nDBNAME=Sage;x=y\r\n"
                          "ODBCDRIVER=Pilote absent\r\n[X]\r\n")
            << u"SQL"_s << u"Source : ODBC.*(Pilote absent|IM002)"_s;
    }
    void connexionEchouee() {
        QFETCH(QByteArray, ini);
        QFETCH(QString, mode);
        QFETCH(QString, motif);
        BaseDeTest t;
        if (ini == "base")
            t.creerBase();
        else if (!ini.isEmpty())
            t.ecrireIni(ini);
        t.prompts.vider();
        t.ctx->modeSecurite = mode;
        QVERIFY(!ConnexionBase(*t.ctx, u"sa"_s, u"p;w}d"_s));
        QCOMPARE(t.prompts.boites.size(), 1);
        QCOMPARE(t.prompts.boites[0].titre, u"Problème de connexion"_s);
        const QRegularExpression attendu(motif, QRegularExpression::DotMatchesEverythingOption);
        QVERIFY2(attendu.match(t.prompts.boites[0].texte).hasMatch(),
                 qPrintable(t.prompts.boites[0].texte));
        if (ini.isEmpty())
            QVERIFY(!QFile::exists(t.chemin(u"tarvo.db"_s)));
        else if (ini == "base")
            QVERIFY(!t.ctx->cnx->estOuverte());
    }

    // The README's rule: SQLITE in any case is the embedded database, any
    // other value or none is SQL Server.
    void choixDuMoteur_data() {
        QTest::addColumn<QByteArray>("fournisseur");
        QTest::addColumn<bool>("embarquee");
        QTest::newRow("SQLITE") << QByteArray("SQLITE") << true;
        QTest::newRow("sqlite") << QByteArray("sqlite") << true;
        QTest::newRow("SQLOLEDB") << QByteArray("SQLOLEDB") << false;
        QTest::newRow("SQLITE3") << QByteArray("SQLITE3") << false;
        QTest::newRow("vide") << QByteArray() << false;
    }
    void choixDuMoteur() {
        QFETCH(QByteArray, fournisseur);
        QFETCH(bool, embarquee);
        BaseDeTest t;
        t.ecrireIni("[DB]\r\nPROVIDER=" + fournisseur + "\r\nSERVERNAME=srv\r\nDBNAME=base\r\n");
        const ParametresConnexion p = ParametresDepuisIni(*t.ctx, QString(), QString());
        QCOMPARE(p.moteur == db::Moteur::SQLite, embarquee);
    }

    // Without the two keys the driver keeps its own, safe default; with them
    // a site trusts its server's self-signed certificate.
    void chiffrementSqlServer_data() {
        QTest::addColumn<QByteArray>("cles");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("défaut du pilote") << QByteArray() << QString();
        QTest::newRow("certificat du site")
            << QByteArray("ENCRYPT=yes\r\nTRUSTSERVERCERTIFICATE=yes\r\n")
            << u"Encrypt=yes;TrustServerCertificate=yes;"_s;
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
        QCOMPARE(chaine, u"DRIVER=ODBC Driver 18 for SQL Server;SERVER=srv;DATABASE=Sage;"
                         u"Trusted_Connection=yes;"_s +
                             attendu);
    }

    // A value goes in braces only when it could end the attribute or add one:
    // FreeTDS keeps the braces of a braced password and the login fails.
    void valeursOdbcEntreAccolades() {
        ParametresConnexion p;
        p.piloteOdbc = u"FreeTDS"_s;
        p.serveur = u"srv\\SAGE"_s;
        p.base = u"Sage"_s;
        p.integre = false;
        p.utilisateur = u"magasin"_s;
        const QList<std::pair<QString, QString>> cas{
            {u"s3cret"_s, u"PWD=s3cret;"_s},       {u"mot de passe"_s, u"PWD=mot de passe;"_s},
            {u"a;UID=sa"_s, u"PWD={a;UID=sa};"_s}, {u"a}b"_s, u"PWD={a}}b};"_s},
            {u" espace"_s, u"PWD={ espace};"_s},   {u"x=y"_s, u"PWD={x=y};"_s}};
        for (const auto& [motDePasse, attendu] : cas) {
            p.motDePasse = motDePasse;
            QCOMPARE(ChaineOdbc(p),
                     u"DRIVER=FreeTDS;SERVER=srv\\SAGE;DATABASE=Sage;UID=magasin;"_s + attendu);
        }
    }

    // Blocks below the mapping threshold come from the top of the heap; once
    // freed, the heap must stay ours rather than go back to the kernel, or
    // every large statement of a long run pays two system calls.
    void leTasResteAuProgramme() {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("l'AddressSanitizer remplace l'allocateur de la bibliothèque C");
#elif defined(__GLIBC__)
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
