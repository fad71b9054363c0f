#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringView>
#include <QVariant>

namespace tarvo::db {

// What an engine does with one prepared statement. Parameters are numbered
// by the rank of their name (ParametresNommes::noms); columns from 0.
// Failures raise ErreurTarvo with the engine's own number and text.
class Instruction {
public:
    virtual ~Instruction();

    virtual void lierEntier(int rang, qint64 valeur) = 0;
    virtual void lierReel(int rang, double valeur) = 0;
    virtual void lierTexte(int rang, QStringView valeur) = 0;
    virtual void lierOctets(int rang, const QByteArray& valeur) = 0;
    // A valid date-time: the embedded engine stores its text, the server
    // receives a typed value, read alike whatever its DATEFORMAT.
    virtual void lierMoment(int rang, const QDateTime& valeur) = 0;
    virtual void lierNul(int rang) = 0;

    // Runs a statement that returns no row; the number of rows it changed.
    virtual qint64 executer() = 0;
    // Runs an insert; the identity the database gave the new row.
    virtual qint64 executerInsertion() = 0;
    // Runs a query on its first call, then moves to the next row; false once
    // the rows are exhausted (the query is then ready to run again).
    virtual bool suivante() = 0;
    // Leaves the current query before its last row.
    virtual void terminer() = 0;

    virtual int nombreColonnes() const = 0;
    virtual QString nomColonne(int colonne) const = 0;
    virtual bool estNul(int colonne) const = 0;
    virtual qint64 entier(int colonne) const = 0;
    virtual double reel(int colonne) const = 0;
    virtual QString texte(int colonne) const = 0;
    virtual QByteArray octets(int colonne) const = 0;
    // Null, a whole number, a real number, a text, bytes or a date-time, as
    // the engine gives it.
    virtual QVariant valeur(int colonne) const = 0;
};

} // namespace tarvo::db
