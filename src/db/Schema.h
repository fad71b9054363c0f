#pragma once

#include <QString>

namespace tarvo {
class Connexion;
class Feedback;
} // namespace tarvo

namespace tarvo::db {

// The schema version this program makes and needs. Each later version adds
// its upgrade step, sqlite_vN.sql and sqlserver_vN.sql (schema 5, the French
// order, is code on the embedded side: RefaireTablesEnFrancais; schema 6 adds
// the article weights' columns in code where they are missing; schema 7
// makes the server's range control count decimal quantities).
constexpr int VersionSchema = 7;

// The installation scripts, kept as resources of the core library.
QString ScriptSchemaSQLite();
QString ScriptDemoSQLite();
QString ScriptSchemaSqlServer();
// What brings a SQL Server database of any earlier version up to
// VersionSchema: every step runs only where it is missing.
QString ScriptMiseAJourSqlServer();

// Checks the schema version of an open database. The embedded database is
// brought up to date in one transaction, then its indexes are rebuilt if
// the French order changed since they were built (with `retour`'s
// progress); a full disk says how much room that needs. SQL Server is
// upgraded by its administrator, so an older server schema is refused with
// a message naming the version needed and the way to get there. A database
// newer than the program is refused on both. Raises ErreurTarvo.
void MettreAJourSchema(Connexion& cnx, Feedback& retour);

// True when the database already holds tables.
bool BaseContientDesTables(Connexion& cnx);

// Runs a whole SQLite script (several statements, triggers included) in one
// transaction on an open embedded-database connection. Raises ErreurTarvo.
void ExecuterScriptSQLite(Connexion& cnx, const QString& script);

// Creates Tarvo's tables, the Sage tables and the views on an empty embedded
// database, with the demo data when asked, and records the French order its
// indexes are built in. Raises ErreurTarvo.
void CreerBaseEmbarquee(Connexion& cnx, bool avecDemo);

} // namespace tarvo::db
