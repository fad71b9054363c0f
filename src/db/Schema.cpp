#include "Schema.h"

#include "app/Connexion.h"
#include "app/Erreur.h"

#include <QFile>
#include <QSqlDriver>
#include <QSqlQuery>
#include <sqlite3.h>

// Resources of a static library are registered by hand, outside any namespace.
static void enregistrerScripts() {
    Q_INIT_RESOURCE(sql);
}

namespace tarvo {
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

sqlite3* poigneeSQLite(Connexion& cnx) {
    const QVariant v = cnx.base().driver()->handle();
    if (qstrcmp(v.typeName(), "sqlite3*") != 0)
        throw ErreurTarvo(NumeroErreur::Base, SourceSchema,
                          QStringLiteral("La connexion n'est pas une base SQLite ouverte."));
    return *static_cast<sqlite3* const*>(v.data());
}

} // namespace

QString ScriptSchemaSQLite() {
    return lireRessource(QStringLiteral("schema_sqlite.sql"));
}
QString ScriptDemoSQLite() {
    return lireRessource(QStringLiteral("demo_sqlite.sql"));
}
QString ScriptSchemaSqlServer() {
    return lireRessource(QStringLiteral("schema_sqlserver.sql"));
}

bool BaseContientDesTables(Connexion& cnx) {
    return !cnx.base().tables().isEmpty();
}

void ExecuterScriptSQLite(Connexion& cnx, const QString& script) {
    sqlite3* db = poigneeSQLite(cnx);
    const QByteArray sql =
        QByteArrayLiteral("BEGIN;\n") + script.toUtf8() + QByteArrayLiteral("\nCOMMIT;");
    char* message = nullptr;
    if (sqlite3_exec(db, sql.constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        const Erreur erreur{sqlite3_extended_errcode(db), SourceSchema,
                            QString::fromUtf8(message ? message : "erreur SQLite")};
        sqlite3_free(message);
        if (!sqlite3_get_autocommit(db))
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw ErreurTarvo(erreur);
    }
}

void CreerBaseEmbarquee(Connexion& cnx, bool avecDemo) {
    QString script = ScriptSchemaSQLite();
    if (avecDemo)
        script += u'\n' + ScriptDemoSQLite();
    ExecuterScriptSQLite(cnx, script);
}

} // namespace tarvo
