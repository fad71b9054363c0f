#include "Base.h"

#include "ErreurSql.h"
#include "InstructionQtSql.h"
#include "InstructionSQLite.h"
#include "base/Erreur.h"
#include "db/Connexion.h"

#include <QSqlError>
#include <QSqlQuery>
#include <sqlite3.h>

namespace tarvo::db {

namespace {

void executerSQLite(sqlite3* base, const char* sql) {
    if (sqlite3_exec(base, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        throw echecSQLite(base);
}

} // namespace

Base::Base(Connexion* cnx) {
    if (!cnx || !cnx->estOuverte())
        throw ErreurTarvo(NumeroErreur::Base, QStringLiteral("Connexion"),
                          QStringLiteral("La connexion à la base de données n'est pas ouverte."));
    moteur_ = cnx->moteur();
    sqlite_ = cnx->sqlite();
    if (!sqlite_)
        qt_ = cnx->odbc();
}

Requete Base::preparer(const TexteSql& sql) const {
    ParametresNommes parametres = ParametresNommes::analyser(sql.pour(moteur_));
    std::unique_ptr<Instruction> instruction;
    if (sqlite_)
        instruction =
            std::make_unique<InstructionSQLite>(sqlite_, sql.pour(moteur_), parametres.noms);
    else
        instruction = std::make_unique<InstructionQtSql>(
            qt_, parametres, Dialecte::RelectureIdentite(moteur_), moteur_ == Moteur::SqlServer);
    return Requete(std::move(instruction), std::move(parametres));
}

void Base::executerScript(const TexteSql& script) const {
    if (sqlite_) {
        executerSQLite(sqlite_, script.pour(moteur_).toUtf8().constData());
        return;
    }
    QSqlQuery requete(qt_);
    // A scrollable query makes FreeTDS open a server cursor, which refuses
    // anything but a single SELECT.
    requete.setForwardOnly(true);
    if (!requete.exec(script.pour(moteur_)))
        throw echecSql(requete.lastError(), qt_.driverName());
}

void Base::commencer() {
    if (sqlite_) {
        // A transaction that writes takes the write lock at once, so that a
        // long run never fails half-way on a file another workstation holds.
        executerSQLite(sqlite_, "BEGIN IMMEDIATE");
        return;
    }
    if (!qt_.transaction())
        throw echecSql(qt_.lastError(), qt_.driverName());
}

void Base::valider() {
    if (sqlite_) {
        executerSQLite(sqlite_, "COMMIT");
        return;
    }
    if (!qt_.commit())
        throw echecSql(qt_.lastError(), qt_.driverName());
}

void Base::annuler() noexcept {
    if (sqlite_) {
        // A failed COMMIT may already have ended the transaction.
        if (!sqlite3_get_autocommit(sqlite_))
            sqlite3_exec(sqlite_, "ROLLBACK", nullptr, nullptr, nullptr);
        return;
    }
    qt_.rollback();
}

} // namespace tarvo::db
