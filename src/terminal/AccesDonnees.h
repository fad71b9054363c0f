#pragma once

#include "db/Dialecte.h"

#include <QString>
#include <QStringView>
#include <memory>

namespace tarvo {
class Connexion;
}

namespace tarvo::terminal {

// One prepared statement, run again and again with new values. Failures raise
// ErreurTarvo with the engine's own number and text.
class Instruction {
public:
    virtual ~Instruction() = default;

    // Parameters are numbered from 1 in the order of the '?' of the text.
    virtual void lierEntier(int numero, qint64 valeur) = 0;
    virtual void lierReel(int numero, double valeur) = 0;
    virtual void lierTexte(int numero, QStringView valeur) = 0;

    // Runs a statement that returns no row; gives the number of rows it changed.
    virtual qint64 executer() = 0;
    // Runs a query on its first call, then moves to the next row; false once
    // the rows are exhausted (the query is then ready to run again).
    virtual bool suivante() = 0;
    // Columns of the current row, numbered from 0.
    virtual bool estNul(int colonne) const = 0;
    virtual qint64 entier(int colonne) const = 0;
    virtual double reel(int colonne) const = 0;
    virtual QString texte(int colonne) const = 0;
    // Leaves the current query before its last row.
    virtual void terminer() = 0;
};

// The statements and the transaction of one piece of work on a connection.
// The embedded database is driven through the engine's own interface, which
// runs several times faster per statement than the generic layer; SQL Server
// goes through QtSql. The same SQL texts serve both.
class AccesDonnees {
public:
    virtual ~AccesDonnees() = default;
    virtual db::Moteur moteur() const = 0;
    virtual std::unique_ptr<Instruction> preparer(const QString& sql) = 0;
    // A transaction that writes: on the embedded database it takes the write
    // lock at once, so that a long run never fails half-way on a busy file.
    virtual void commencer() = 0;
    virtual void valider() = 0;
    // Rolls back the transaction when one is open; never raises.
    virtual void annuler() noexcept = 0;
};

// Raises ErreurTarvo when there is no open connection.
std::unique_ptr<AccesDonnees> ouvrirAcces(Connexion* cnx);

} // namespace tarvo::terminal
