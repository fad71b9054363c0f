#include "AccesSQLite.h"

#include "app/Connexion.h"
#include "app/Erreur.h"

#include <QSqlDriver>
#include <QVariant>
#include <sqlite3.h>

namespace tarvo::terminal {
namespace {

const QString SourceSQLite = QStringLiteral("SQLite");

[[noreturn]] void echec(sqlite3* base) {
    throw ErreurTarvo(sqlite3_extended_errcode(base), SourceSQLite,
                      QString::fromUtf8(sqlite3_errmsg(base)));
}

class InstructionSQLite : public Instruction {
public:
    InstructionSQLite(sqlite3* base, sqlite3_stmt* stmt) : base_(base), stmt_(stmt) {}
    ~InstructionSQLite() override { sqlite3_finalize(stmt_); }

    void lierEntier(int numero, qint64 valeur) override {
        avantLiaison();
        verifier(sqlite3_bind_int64(stmt_, numero, valeur));
    }
    void lierReel(int numero, double valeur) override {
        avantLiaison();
        verifier(sqlite3_bind_double(stmt_, numero, valeur));
    }
    void lierTexte(int numero, QStringView valeur) override {
        avantLiaison();
        // The database holds UTF-8: converting here, without an allocation
        // for the usual all-ASCII values, spares the engine its own conversion.
        utf8_.resize(valeur.size());
        char* sortie = utf8_.data();
        qsizetype i = 0;
        for (; i < valeur.size() && valeur[i].unicode() < 0x80; ++i)
            sortie[i] = static_cast<char>(valeur[i].unicode());
        if (i < valeur.size())
            utf8_ = valeur.toUtf8();
        verifier(sqlite3_bind_text(stmt_, numero, utf8_.constData(), static_cast<int>(utf8_.size()),
                                   SQLITE_TRANSIENT));
    }

    qint64 executer() override {
        terminer();
        int rc;
        while ((rc = sqlite3_step(stmt_)) == SQLITE_ROW) {
        }
        if (rc != SQLITE_DONE) {
            sqlite3_reset(stmt_);
            echec(base_);
        }
        sqlite3_reset(stmt_);
        return sqlite3_changes64(base_);
    }

    bool suivante() override {
        const int rc = sqlite3_step(stmt_);
        if (rc == SQLITE_ROW) {
            enCours_ = true;
            return true;
        }
        enCours_ = false;
        sqlite3_reset(stmt_);
        if (rc != SQLITE_DONE)
            echec(base_);
        return false;
    }

    bool estNul(int colonne) const override {
        return sqlite3_column_type(stmt_, colonne) == SQLITE_NULL;
    }
    qint64 entier(int colonne) const override { return sqlite3_column_int64(stmt_, colonne); }
    double reel(int colonne) const override { return sqlite3_column_double(stmt_, colonne); }
    QString texte(int colonne) const override {
        const auto* octets = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, colonne));
        return QString::fromUtf8(octets, sqlite3_column_bytes(stmt_, colonne));
    }

    void terminer() override {
        if (enCours_) {
            sqlite3_reset(stmt_);
            enCours_ = false;
        }
    }

private:
    void avantLiaison() { terminer(); }
    void verifier(int rc) const {
        if (rc != SQLITE_OK)
            echec(base_);
    }

    sqlite3* base_;
    sqlite3_stmt* stmt_;
    bool enCours_ = false;
    QByteArray utf8_;
};

} // namespace

sqlite3* poigneeSQLite(Connexion& cnx) {
    const QSqlDatabase db = cnx.base();
    if (!db.isOpen() || !db.driver())
        return nullptr;
    const QVariant v = db.driver()->handle();
    if (qstrcmp(v.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(v.data());
}

AccesSQLite::AccesSQLite(sqlite3* base) : base_(base) {}

AccesSQLite::~AccesSQLite() {
    annuler();
}

std::unique_ptr<Instruction> AccesSQLite::preparer(const QString& sql) {
    const QByteArray texte = sql.toUtf8();
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v3(base_, texte.constData(), static_cast<int>(texte.size()),
                           SQLITE_PREPARE_PERSISTENT, &stmt, nullptr) != SQLITE_OK)
        echec(base_);
    return std::make_unique<InstructionSQLite>(base_, stmt);
}

void AccesSQLite::executerDirect(const char* sql) {
    if (sqlite3_exec(base_, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        echec(base_);
}

void AccesSQLite::commencer() {
    executerDirect("BEGIN IMMEDIATE");
    enTransaction_ = true;
}

void AccesSQLite::valider() {
    executerDirect("COMMIT");
    enTransaction_ = false;
}

void AccesSQLite::annuler() noexcept {
    if (!enTransaction_)
        return;
    enTransaction_ = false;
    // A failed COMMIT may already have ended the transaction.
    if (!sqlite3_get_autocommit(base_))
        sqlite3_exec(base_, "ROLLBACK", nullptr, nullptr, nullptr);
}

} // namespace tarvo::terminal
