#pragma once

#include <QString>
#include <memory>

struct sqlite3;

namespace tarvo {
class Connexion;
}

namespace tarvo::db {

// A lock that every workstation of a database shares, held across several
// transactions and released by its destructor or by the end of the process
// that holds it (a workstation killed mid-run never leaves it behind). On SQL
// Server an application lock owned by the session; on the embedded engine
// the exclusive lock of a small companion database beside the database file,
// taken through the engine's own file locking, so that it reaches the same
// workstations as the database does.
class Verrou {
public:
    // Takes the lock `nom` when nobody holds it; null when another process or
    // connection does. Raises ErreurTarvo when the lock cannot be asked for.
    static std::unique_ptr<Verrou> essayer(Connexion& cnx, const QString& nom);

    ~Verrou();
    Verrou(const Verrou&) = delete;
    Verrou& operator=(const Verrou&) = delete;

private:
    Verrou(Connexion& cnx, QString nom, sqlite3* compagnon);

    Connexion& cnx_;
    QString nom_;
    sqlite3* compagnon_ = nullptr;
};

// The companion file that holds the embedded engine's lock `nom`.
QString FichierVerrou(const QString& fichierBase, const QString& nom);

} // namespace tarvo::db
