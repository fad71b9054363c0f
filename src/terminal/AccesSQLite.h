#pragma once

#include "AccesDonnees.h"

struct sqlite3;

namespace tarvo::terminal {

// The embedded database through the SQLite handle the Qt driver opened: same
// file, same connection, same locks, without the generic layer's per-call cost.
class AccesSQLite : public AccesDonnees {
public:
    explicit AccesSQLite(sqlite3* base);
    ~AccesSQLite() override;

    db::Moteur moteur() const override { return db::Moteur::SQLite; }
    std::unique_ptr<Instruction> preparer(const QString& sql) override;
    void commencer() override;
    void valider() override;
    void annuler() noexcept override;

private:
    void executerDirect(const char* sql);

    sqlite3* base_;
    bool enTransaction_ = false;
};

// The handle behind a connection of the Qt SQLite driver; null for other drivers.
sqlite3* poigneeSQLite(Connexion& cnx);

} // namespace tarvo::terminal
