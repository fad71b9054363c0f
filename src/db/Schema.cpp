#include "Schema.h"

#include "Base.h"
#include "OrdreDesIndex.h"
#include "RefonteFrancaise.h"
#include "SqlSchema.h"
#include "Transaction.h"
#include "base/Erreur.h"
#include "db/Connexion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStringList>
#include <sqlite3.h>

// Resources of a static library are registered by hand, outside any namespace.
static void enregistrerScripts() {
    Q_INIT_RESOURCE(sql);
}

namespace tarvo::db {
namespace {

const QString SourceSchema = QStringLiteral("Schéma");

QString lireRessource(const QString& nom) {
    static const bool enregistres = (enregistrerScripts(), true);
    Q_UNUSED(enregistres);
    QFile f(QStringLiteral(":/tarvo/sql/") + nom);
    if (!f.open(QIODevice::ReadOnly))
        throw ErreurTarvo(NumeroErreur::FichierIntrouvable, SourceSchema,
                          QStringLiteral("Script introuvable : ") + nom);
    return QString::fromUtf8(f.readAll());
}

// The upgrade step of one version for one engine.
QString etape(const QString& moteur, int version) {
    return lireRessource(moteur + QStringLiteral("_v") + QString::number(version) +
                         QStringLiteral(".sql"));
}

// The step that remakes the embedded database's tables in the French order:
// code rather than a script, since it copies whatever columns each table has.
constexpr int VersionOrdreFrancais = 5;

// The step that adds Sage's article weights to the embedded F_ARTICLE: only
// the columns it lacks, since a database that went through the French order
// in the same upgrade already has them from the installation script.
constexpr int VersionPoidsArticles = 6;

void ajouterPoidsArticles(Base& base) {
    QStringList presentes;
    Requete colonnes = base.preparer(sql::ColonnesTable);
    colonnes.lier(u":table", QStringLiteral("F_ARTICLE"));
    while (colonnes.suivante())
        presentes << colonnes.texte(0);
    const QList<std::pair<QString, QString>> poids{
        {QStringLiteral("AR_PoidsNet"), QStringLiteral("NUMERIC NOT NULL DEFAULT 0")},
        {QStringLiteral("AR_PoidsBrut"), QStringLiteral("NUMERIC NOT NULL DEFAULT 0")},
        {QStringLiteral("AR_UnitePoids"), QStringLiteral("INTEGER NOT NULL DEFAULT 2")}};
    for (const auto& [nom, type] : poids)
        if (!presentes.contains(nom, Qt::CaseInsensitive))
            base.executerScript(TexteSql(QStringLiteral("ALTER TABLE F_ARTICLE ADD COLUMN ") + nom +
                                         u' ' + type + u';'));
    base.executerScript(TexteSql(etape(QStringLiteral("sqlite"), VersionPoidsArticles)));
}

// Kept in the file's header, written in the same transaction as the tables.
QString versionEmbarquee(int version) {
    return QStringLiteral("\nPRAGMA user_version = ") + QString::number(version) + u';';
}

// The schema version of the database; a database newer than the program is
// refused, on both engines.
int versionDe(Base& base) {
    Requete lecture = base.preparer(sql::VersionBase);
    const int version = lecture.suivante() ? static_cast<int>(lecture.entier(0)) : 0;
    lecture.terminer();
    if (version > VersionSchema)
        throw ErreurTarvo(NumeroErreur::Base, SourceSchema,
                          QStringLiteral("La base de données a le schéma %1, plus récent que "
                                         "celui de ce programme (%2) : installez la version de "
                                         "Tarvo qui l'a créée.")
                              .arg(QString::number(version), QString::number(VersionSchema)));
    return version;
}

// Brings the embedded database up to date in one transaction. The version is
// read again under the write lock: another program starting on the same file
// may have done it meanwhile.
void monterVersion(Base& base) {
    Transaction transaction(base);
    const int version = versionDe(base);
    if (version == VersionSchema)
        return;
    // A database made before versions were kept holds version 0: every step
    // runs, each only where it is missing.
    for (int etapeSuivante = std::max(version + 1, 2); etapeSuivante <= VersionSchema;
         ++etapeSuivante) {
        if (etapeSuivante == VersionOrdreFrancais)
            RefaireTablesEnFrancais(base, ScriptSchemaSQLite());
        else if (etapeSuivante == VersionPoidsArticles)
            ajouterPoidsArticles(base);
        else
            base.executerScript(TexteSql(etape(QStringLiteral("sqlite"), etapeSuivante)));
    }
    // The move to the French order built every index in it.
    if (version < VersionOrdreFrancais)
        NoterOrdreDesIndex(base);
    base.executerScript(TexteSql(versionEmbarquee(VersionSchema)));
    transaction.valider();
}

// An upgrade keeps the old pages in its journal until it commits, beside
// the new ones: it needs about three times the file's size free.
ErreurTarvo manqueDePlace(const QString& fichier) {
    const double mo = 3.0 * static_cast<double>(QFileInfo(fichier).size()) / (1024.0 * 1024.0);
    return ErreurTarvo(NumeroErreur::Base, SourceSchema,
                       QStringLiteral("Le disque est plein : la mise à jour de la base de données "
                                      "%1 demande environ %2 Mo libres sur son disque (trois "
                                      "fois la taille du fichier). Libérez de la place, puis "
                                      "rouvrez la base : rien n'a été modifié.")
                           .arg(QDir::toNativeSeparators(fichier),
                                QLocale(QLocale::French).toString(std::max(mo, 0.1), 'f', 1)));
}

// The range-control procedure, created by the installation and recreated by
// every upgrade (it has no state), so that both run the same text.
QString procedureControleGamme() {
    return lireRessource(QStringLiteral("sqlserver_prepa_controle.sql"));
}

// The schema version a SQL Server script makes, written last so that a
// script stopped half-way leaves the old number. Tarvo refuses an older
// schema and says to run the upgrade script.
QString versionSqlServer() {
    return QStringLiteral("IF OBJECT_ID(N'dbo.tarvo_version', N'U') IS NULL\n"
                          "CREATE TABLE dbo.tarvo_version (version int NOT NULL);\nGO\n"
                          "DELETE FROM dbo.tarvo_version;\n"
                          "INSERT INTO dbo.tarvo_version (version) VALUES (") +
           QString::number(VersionSchema) + QStringLiteral(");\nGO\n");
}

// What both SQL Server scripts end with: every upgrade step (each runs only
// where it is missing), the procedure, then the version.
QString suiteSqlServer() {
    QString script;
    for (int version = 2; version <= VersionSchema; ++version)
        script += etape(QStringLiteral("sqlserver"), version) + u'\n';
    return script + procedureControleGamme() + u'\n' + versionSqlServer();
}

Base baseEmbarquee(Connexion& cnx) {
    Base base(&cnx);
    if (base.moteur() != Moteur::SQLite)
        throw ErreurTarvo(NumeroErreur::Base, SourceSchema,
                          QStringLiteral("La connexion n'est pas une base SQLite ouverte."));
    return base;
}

} // namespace

QString ScriptSchemaSQLite() {
    return lireRessource(QStringLiteral("schema_sqlite.sql"));
}
QString ScriptDemoSQLite() {
    return lireRessource(QStringLiteral("demo_sqlite.sql"));
}
QString ScriptSchemaSqlServer() {
    return lireRessource(QStringLiteral("schema_sqlserver.sql")) + u'\n' + suiteSqlServer();
}

bool BaseContientDesTables(Connexion& cnx) {
    Requete requete = Base(&cnx).preparer(sql::NombreTables);
    return requete.suivante() && requete.entier(0) > 0;
}

void ExecuterScriptSQLite(Connexion& cnx, const QString& script) {
    Base base = baseEmbarquee(cnx);
    Transaction transaction(base);
    base.executerScript(TexteSql(script));
    transaction.valider();
}

void CreerBaseEmbarquee(Connexion& cnx, bool avecDemo) {
    QString script = ScriptSchemaSQLite() + versionEmbarquee(VersionSchema);
    if (avecDemo)
        script += u'\n' + ScriptDemoSQLite();
    Base base = baseEmbarquee(cnx);
    Transaction transaction(base);
    base.executerScript(TexteSql(script));
    NoterOrdreDesIndex(base);
    transaction.valider();
}

QString ScriptMiseAJourSqlServer() {
    return QStringLiteral("-- Tarvo: upgrade of the SQL Server schema to version ") +
           QString::number(VersionSchema) +
           QStringLiteral(".\n-- Safe to run on any earlier version, and again.\n\n") +
           suiteSqlServer();
}

void MettreAJourSchema(Connexion& cnx, Feedback& retour) {
    Base base(&cnx);
    const int version = versionDe(base);
    if (base.moteur() == Moteur::SqlServer) {
        if (version < VersionSchema)
            throw ErreurTarvo(NumeroErreur::Base, SourceSchema,
                              QStringLiteral("La base de données a le schéma %1 ; ce programme "
                                             "demande le schéma %2. Faites exécuter sur le "
                                             "serveur le script que donne « tarvoctl "
                                             "schema-sqlserver --mise-a-jour ».")
                                  .arg(QString::number(version), QString::number(VersionSchema)));
        return;
    }
    try {
        if (version < VersionSchema)
            monterVersion(base);
        ReconstruireIndexSiOrdreChange(base, retour);
    } catch (const ErreurTarvo& e) {
        if (!e.porteCodeMoteur(SQLITE_FULL))
            throw;
        throw manqueDePlace(cnx.parametres().base);
    }
}

} // namespace tarvo::db
