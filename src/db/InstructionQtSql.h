#pragma once

#include "Instruction.h"
#include "ParametresNommes.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>

namespace tarvo::db {

// A statement through QtSql (SQL Server's ODBC driver). Named parameters are
// turned into positions here, so that a name used twice works on every driver.
// `relectureIdentite` reads the number of the last insert back where the
// driver cannot report it (Dialecte::RelectureIdentite).
// A query's rows are all read when it runs and the statement closed: a
// server connection without multiple active result sets refuses any other
// statement while one still has rows to give ("Invalid cursor state"), and
// the program often reads one row, then runs another statement.
class InstructionQtSql : public Instruction {
public:
    // `momentsTypes`: date-times go as typed values (the server), not as
    // their text (a SQLite file through an ODBC driver).
    InstructionQtSql(const QSqlDatabase& base, const ParametresNommes& parametres,
                     const QString& relectureIdentite, bool momentsTypes);

    void lierEntier(int rang, qint64 valeur) override;
    void lierReel(int rang, double valeur) override;
    void lierTexte(int rang, QStringView valeur) override;
    void lierOctets(int rang, const QByteArray& valeur) override;
    void lierMoment(int rang, const QDateTime& valeur) override;
    void lierNul(int rang) override;

    qint64 executer() override;
    qint64 executerInsertion() override;
    bool suivante() override;
    void terminer() override;

    int nombreColonnes() const override;
    QString nomColonne(int colonne) const override;
    bool estNul(int colonne) const override;
    qint64 entier(int colonne) const override;
    double reel(int colonne) const override;
    QString texte(int colonne) const override;
    QByteArray octets(int colonne) const override;
    QVariant valeur(int colonne) const override;

private:
    void lier(int rang, const QVariant& valeur);
    void lancer();
    // Reads every row of the query just run into lignes_, then closes it.
    void lireLignes();
    const QVariant& cellule(int colonne) const;

    QSqlDatabase base_;
    QSqlQuery requete_;
    QList<int> occurrences_;
    QString source_;
    QString relectureIdentite_;
    bool momentsTypes_;
    bool lance_ = false;
    QSqlRecord colonnes_;
    QList<QList<QVariant>> lignes_;
    qsizetype courante_ = -1;
};

} // namespace tarvo::db
