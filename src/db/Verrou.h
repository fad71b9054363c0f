#pragma once

#include <QString>
#include <chrono>
#include <functional>
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
    // The same, waiting up to `attente` for the one who holds it; null when
    // it is still held then. `avancement` hears the part of the wait gone
    // by (0 to 99) while the program waits. The server waits in one request
    // rather than being asked again and again: it hands the lock over the
    // moment it is released.
    static std::unique_ptr<Verrou> attendre(Connexion& cnx, const QString& nom,
                                            std::chrono::milliseconds attente,
                                            const std::function<void(int)>& avancement);

    ~Verrou();
    Verrou(const Verrou&) = delete;
    Verrou& operator=(const Verrou&) = delete;

private:
    Verrou(Connexion& cnx, QString nom, sqlite3* compagnon);
    static std::unique_ptr<Verrou> demander(Connexion& cnx, const QString& nom,
                                            std::chrono::milliseconds attente);

    Connexion& cnx_;
    QString nom_;
    sqlite3* compagnon_ = nullptr;
};

// The companion file that holds the embedded engine's lock `nom`.
QString FichierVerrou(const QString& fichierBase, const QString& nom);

} // namespace tarvo::db
