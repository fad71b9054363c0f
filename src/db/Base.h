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

// The way into the database for every subsystem: prepares the catalogues'
// statements on an open connection and runs its transactions. The engine is
// chosen here and nowhere else: the embedded database through its
// connection's own SQLite handle, the ODBC path (SQL Server) through QtSql.
class Base {
public:
    // Raises ErreurTarvo when the connection is missing or closed.
    explicit Base(Connexion* cnx);

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
