#pragma once

#include "Dialecte.h"
#include "Requete.h"
#include "TexteSql.h"

#include <QSqlDatabase>

struct sqlite3;

namespace tarvo {
class Connexion;
}

namespace tarvo::db {

// The handle behind a connection of the Qt SQLite driver; null for other
// drivers. Safe because the Qt plugin uses the system's libsqlite3, the one
// Tarvo links.
sqlite3* PoigneeSQLite(const QSqlDatabase& base);

// The way into the database for every subsystem: prepares the catalogues'
// statements on an open connection and runs its transactions. The engine is
// chosen here and nowhere else: the embedded database through its own
// handle, which runs several times faster per statement than the generic
// layer, SQL Server through QtSql.
class Base {
public:
    enum class Voie {
        Automatique,
        // QtSql whatever the engine: lets tests run the server's path on the
        // embedded database.
        QtSql
    };

    // Raises ErreurTarvo when the connection is missing or closed.
    explicit Base(Connexion* cnx, Voie voie = Voie::Automatique);

    Moteur moteur() const { return moteur_; }
    Requete preparer(const TexteSql& sql) const;
    // Runs a text of several statements without parameters: an installation
    // script, the settings of a new connection.
    void executerScript(const TexteSql& script) const;

    // The transaction of one piece of work (see Transaction).
    void commencer();
    void valider();
    // Rolls back the open transaction; never raises.
    void annuler() noexcept;

private:
    Moteur moteur_;
    QSqlDatabase qt_;
    sqlite3* sqlite_ = nullptr;
};

} // namespace tarvo::db
