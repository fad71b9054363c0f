#pragma once

#include "db/Connexion.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace tarvo::test {

// The T-SQL engine the suite's fixture started (tests/support/serveur-essai.sh),
// reached through unixODBC and the FreeTDS driver as a Linux site reaches its
// server.
struct ServeurEssai {
    QString hote;
    QString utilisateur;
    QString motDePasse;
};

// The server when the fixture started one; otherwise says once, in French,
// that the server rows are left out (a failure when TARVO_EXIGER_SERVEUR=1).
// Sets FreeTDS's TDSPORT and TDSVER for this process and the programs it
// starts, the way a site's environment would.
const std::optional<ServeurEssai>& ServeurEssaiDisponible();

// The connection settings of the server database `base`, with the login.
ParametresConnexion ParametresServeur(const QString& base);

// `ini` (a TARVOX.ini on the embedded database) with the [DB] keys a site
// writes for the server database `base` through FreeTDS.
QByteArray IniSurServeur(QByteArray ini, const QString& base);

// A new, empty database on the server holding the Sage tables and what
// `tarvoctl schema-sqlserver` installs; returns its name.
QString CreerBaseServeur();

// Copies every row of the embedded database `fichier` into the tables of the
// same names of the server database `base` (identities and dates kept).
void CopierVersServeur(const QString& fichier, const QString& base);

// Runs a T-SQL script whose batches are separated by lines "GO" on the
// server database `base`; a failed batch is fatal to the test program.
void ExecuterScriptServeur(const QString& base, const QString& script);

} // namespace tarvo::test
