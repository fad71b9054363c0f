#pragma once

#include "Instruction.h"
#include "ParametresNommes.h"

#include <QDateTime>
#include <memory>
#include <vector>

namespace tarvo::db {

// A prepared statement with named parameters, run once or again and again
// with new values. Binding a name the text does not hold, or running with a
// name left unbound, raises ErreurTarvo: a misspelt name never runs.
class Requete {
public:
    Requete(std::unique_ptr<Instruction> instruction, ParametresNommes parametres);
    Requete(Requete&&) noexcept;
    Requete& operator=(Requete&&) noexcept;
    ~Requete();

    Requete& lier(QStringView nom, int valeur);
    Requete& lier(QStringView nom, qint64 valeur);
    Requete& lier(QStringView nom, double valeur);
    Requete& lier(QStringView nom, QStringView valeur);
    Requete& lier(QStringView nom, const QString& valeur);
    Requete& lier(QStringView nom, const QByteArray& valeur);
    // Stored as the text yyyy-MM-dd HH:mm:ss on the embedded database, sent
    // as a date-time to the server; an invalid date-time is NULL.
    Requete& lier(QStringView nom, const QDateTime& valeur);
    // A moment held as the text yyyy-MM-dd HH:mm:ss, bound as the date-time
    // it reads as (empty: NULL; unreadable: the text itself), so that the
    // server never reads it through its session's date format.
    Requete& lierMoment(QStringView nom, const QString& texte);
    // Null (an invalid variant) or any of the kinds above.
    Requete& lier(QStringView nom, const QVariant& valeur);
    Requete& lierNul(QStringView nom);

    qint64 executer();
    qint64 executerInsertion();
    bool suivante();
    void terminer();

    int nombreColonnes() const { return instruction_->nombreColonnes(); }
    QString nomColonne(int colonne) const { return instruction_->nomColonne(colonne); }
    bool estNul(int colonne) const { return instruction_->estNul(colonne); }
    qint64 entier(int colonne) const { return instruction_->entier(colonne); }
    double reel(int colonne) const { return instruction_->reel(colonne); }
    QString texte(int colonne) const { return instruction_->texte(colonne); }
    QByteArray octets(int colonne) const { return instruction_->octets(colonne); }
    QVariant valeur(int colonne) const { return instruction_->valeur(colonne); }
    // A date-time column: the engine's date-time or the ISO text of the
    // embedded database; invalid when null or unreadable.
    QDateTime dateHeure(int colonne) const;

private:
    int rangLie(QStringView nom);
    void verifierLiaisons() const;

    std::unique_ptr<Instruction> instruction_;
    ParametresNommes parametres_;
    std::vector<bool> lies_;
};

} // namespace tarvo::db
