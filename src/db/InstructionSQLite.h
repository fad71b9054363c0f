#pragma once

#include "Instruction.h"

#include <QList>

struct sqlite3;
struct sqlite3_stmt;

namespace tarvo::db {

// A statement of the embedded database on its connection's own SQLite
// handle, without the generic layer's per-call cost.
class InstructionSQLite : public Instruction {
public:
    // `noms`: the parameter names in rank order, without their colon.
    InstructionSQLite(sqlite3* base, const QString& sql, const QStringList& noms);
    ~InstructionSQLite() override;

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
    int indice(int rang);
    void verifier(int rc) const;

    sqlite3* base_;
    sqlite3_stmt* stmt_ = nullptr;
    QList<int> indices_;
    bool enCours_ = false;
    QByteArray utf8_;
};

} // namespace tarvo::db
