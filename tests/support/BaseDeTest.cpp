#include "BaseDeTest.h"

#include "ServeurDeTest.h"
#include "app/OuvertureConnexion.h"
#include "base/Erreur.h"
#include "base/Version.h"
#include "db/Schema.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QTest>

using namespace Qt::StringLiterals;

namespace tarvo::test {

QByteArray iniParDefaut(const QString& dossier) {
    const QString d = QDir(dossier).absolutePath() + u'/';
    return u"[DB]\r\n"
           "PROVIDER=SQLITE\r\n"
           "SECURITYMODE=INTEG\r\n"
           "SERVERNAME=\r\n"
           "DBNAME=tarvo.db\r\n"
           "[Controle Version]\r\n"
           "FichierInfoVersion=%1version.ini\r\n"
           "[SCANPAL2]\r\n"
           "FichierArticle=%1terminal/ARTICLE.TXT\r\n"
           "FichierExpedition=%1terminal/EXPEDITION.TXT\r\n"
           "FichierData=%1terminal/DATA.TXT\r\n"
           "CheminArchiveData=%1archive/\r\n"
           "[ZEBRA]\r\n"
           "NomImprimanteArt=ZEBRA-ART\r\n"
           "MargeGaucheArt=10\r\n"
           "NomImprimanteExp=ZEBRA-EXP\r\n"
           "MargeGaucheExp=10\r\n"_s.arg(d)
               .toUtf8();
}

namespace {

const QString ChaineOdbc = u"DRIVER=SQLite3;Database=%1;"_s;

bool piloteOdbcPresent() {
    static const bool present = [] {
        bool ouvert = false;
        {
            QSqlDatabase essai = QSqlDatabase::addDatabase(u"QODBC"_s, u"EssaiPiloteOdbc"_s);
            essai.setDatabaseName(ChaineOdbc.arg(u":memory:"_s));
            ouvert = essai.open();
        }
        QSqlDatabase::removeDatabase(u"EssaiPiloteOdbc"_s);
        if (!ouvert)
            qInfo("Pilote ODBC SQLite3 absent (paquet libsqliteodbc) : les lignes ODBC ne sont "
                  "pas essayées.");
        return ouvert;
    }();
    return present;
}

} // namespace

QList<VoieDeTest> Voies() {
    QList<VoieDeTest> voies{{QByteArray(), false}};
    if (piloteOdbcPresent())
        voies.append({" (ODBC)", true});
    if (ServeurEssaiDisponible())
        voies.append({" (serveur)", false, true});
    return voies;
}

QList<VoieDeTest> VoiesDesMoteurs() {
    QList<VoieDeTest> voies;
    for (const VoieDeTest& voie : Voies())
        if (!voie.odbc)
            voies.append(voie);
    return voies;
}

BaseDeTest::BaseDeTest() : horloge(QDateTime(QDate(2012, 4, 19), QTime(13, 42, 25))) {
    ctx = std::make_unique<Contexte>(dossier.path(), prompts, feedback, horloge);
    ecrireIni(iniParDefaut(dossier.path()));
    ecrireFichier(
        u"version.ini"_s,
        u"[TARVOX]\r\nVersionRef=%1\r\nUpdateFile=/bin/true\r\n"_s.arg(VersionCourante()).toUtf8());
    QDir(dossier.path()).mkpath(u"terminal"_s);
    QDir(dossier.path()).mkpath(u"archive"_s);
}

BaseDeTest::~BaseDeTest() {
    ctx->conxReport.reset();
    ctx->cnx.reset();
}

void BaseDeTest::creerBase(bool avecDemo) {
    ctx->modeSecurite = u"INTEG"_s;
    const ParametresConnexion p = ParametresDepuisIni(*ctx, QString(), QString());
    {
        Connexion creation(u"CreationTest"_s);
        creation.ouvrir(p, true);
        db::CreerBaseEmbarquee(creation, avecDemo);
    }
    if (!ConnexionBase(*ctx, QString(), QString()))
        qFatal("Connexion de test impossible : %s",
               qPrintable(prompts.boites.isEmpty() ? QString() : prompts.boites.last().texte));
}

bool BaseDeTest::passerParOdbc() {
    const ParametresConnexion parametres = ctx->cnx->parametres();
    try {
        ctx->cnx->ouvrirOdbc(parametres, ChaineOdbc.arg(parametres.base));
    } catch (const ErreurTarvo&) {
        return false;
    }
    // The driver runs one statement per call: the connection's settings are
    // the opener's, one by one (the file is already in WAL mode).
    sql(*ctx->cnx, u"PRAGMA foreign_keys=ON"_s);
    return true;
}

bool BaseDeTest::passerParServeur() {
    const std::optional<ServeurEssai>& serveur = ServeurEssaiDisponible();
    if (!serveur)
        return false;
    const QString base = CreerBaseServeur();
    CopierVersServeur(ctx->cnx->parametres().base, base);
    const bool rapport = ctx->conxReport && ctx->conxReport->estOuverte();
    ctx->conxReport.reset();
    ctx->cnx.reset();
    ecrireIni(IniSurServeur(lireFichier(u"TARVOX.ini"_s), base));
    ctx->modeSecurite = u"SQL"_s;
    if (!ConnexionBase(*ctx, serveur->utilisateur, serveur->motDePasse))
        qFatal("Connexion au serveur d'essai impossible : %s",
               qPrintable(prompts.boites.isEmpty() ? QString() : prompts.boites.last().texte));
    if (rapport)
        init_dataenv_connection(*ctx);
    return true;
}

bool BaseDeTest::surServeur() const {
    return ctx->cnx && ctx->cnx->moteur() == db::Moteur::SqlServer;
}

bool BaseDeTest::prendre(const VoieDeTest& voie) {
    const bool serveur = surServeur();
    const bool parOdbc = !serveur && !ctx->cnx->sqlite();
    if (voie.serveur)
        return serveur || passerParServeur();
    if (voie.odbc)
        return !serveur && (parOdbc || passerParOdbc());
    return !parOdbc && !serveur;
}

QString BaseDeTest::chemin(const QString& nom) const {
    return QDir(dossier.path()).filePath(nom);
}

void BaseDeTest::ecrireFichier(const QString& nom, const QByteArray& contenu) const {
    QFile f(chemin(nom));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(contenu) != contenu.size())
        qFatal("Écriture impossible : %s", qPrintable(f.fileName()));
}

QByteArray BaseDeTest::lireFichier(const QString& nom) const {
    QFile f(chemin(nom));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void BaseDeTest::ecrireIni(const QByteArray& contenu) const {
    ecrireFichier(u"TARVOX.ini"_s, contenu);
}

} // namespace tarvo::test
