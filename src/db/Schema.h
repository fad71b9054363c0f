#pragma once

#include <QString>

namespace tarvo {

class Connexion;

// The installation scripts, kept as resources of the core library.
QString ScriptSchemaSQLite();
QString ScriptDemoSQLite();
QString ScriptSchemaSqlServer();

// True when the database already holds tables.
bool BaseContientDesTables(Connexion& cnx);

// Runs a whole SQLite script (several statements, triggers included) in one
// transaction on an open embedded-database connection. Raises ErreurTarvo.
void ExecuterScriptSQLite(Connexion& cnx, const QString& script);

// Creates Tarvo's tables, the Sage tables and the views on an empty embedded
// database, with the demo data when asked. Raises ErreurTarvo.
void CreerBaseEmbarquee(Connexion& cnx, bool avecDemo);

} // namespace tarvo
