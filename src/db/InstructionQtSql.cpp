#include "InstructionQtSql.h"

#include "DiagnosticsOdbc.h"
#include "Dialecte.h"
#include "ErreurSql.h"
#include "base/Erreur.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>
#include <cmath>

namespace tarvo::db {
namespace {

// A decimal column's value as the embedded engine gives it: a whole number
// as an integer, another as a real. The ODBC driver hands decimals over as
// their text ("2.500000").
QVariant nombre(const QVariant& valeur) {
    bool lu = false;
    const double reel = valeur.toDouble(&lu);
    if (!lu)
        return valeur;
    if (std::trunc(reel) == reel && std::abs(reel) < 9.0e15)
        return QVariant(static_cast<qint64>(reel));
    return QVariant(reel);
}

} // namespace

InstructionQtSql::InstructionQtSql(const QSqlDatabase& base, const ParametresNommes& parametres,
                                   const QString& relectureIdentite, bool momentsTypes)
    : base_(base), requete_(base), occurrences_(parametres.occurrences), source_(base.driverName()),
      relectureIdentite_(relectureIdentite), momentsTypes_(momentsTypes) {
    // Before prepare(): a query that may scroll back keeps every row it read.
    requete_.setForwardOnly(true);
    if (!requete_.prepare(parametres.textePositionnel))
        throw echecSql(requete_.lastError(), source_);
}

void InstructionQtSql::lier(int rang, const QVariant& valeur) {
    terminer();
    for (qsizetype position = 0; position < occurrences_.size(); ++position) {
        if (occurrences_.at(position) == rang)
            requete_.bindValue(static_cast<int>(position), valeur);
    }
}

void InstructionQtSql::lierEntier(int rang, qint64 valeur) {
    lier(rang, QVariant(valeur));
}

void InstructionQtSql::lierReel(int rang, double valeur) {
    lier(rang, QVariant(valeur));
}

void InstructionQtSql::lierTexte(int rang, QStringView valeur) {
    lier(rang, QVariant(valeur.toString()));
}

void InstructionQtSql::lierOctets(int rang, const QByteArray& valeur) {
    lier(rang, QVariant(valeur));
}

void InstructionQtSql::lierMoment(int rang, const QDateTime& valeur) {
    if (momentsTypes_)
        lier(rang, QVariant(valeur));
    else
        lier(rang, QVariant(valeur.toString(Dialecte::FormatDateHeure)));
}

void InstructionQtSql::lierNul(int rang) {
    lier(rang, QVariant(QMetaType(QMetaType::QString)));
}

void InstructionQtSql::lancer() {
    if (requete_.exec())
        return;
    const ErreurTarvo erreur = echecSql(requete_.lastError(), source_);
    const QList<qint64> codes = codesDiagnosticsOdbc(requete_);
    if (codes.isEmpty())
        throw erreur;
    throw ErreurTarvo(erreur.erreur(), codes);
}

qint64 InstructionQtSql::executer() {
    terminer();
    lancer();
    const int n = requete_.numRowsAffected();
    requete_.finish();
    return n;
}

qint64 InstructionQtSql::executerInsertion() {
    terminer();
    lancer();
    // SQL Server reads the identity back in the same batch (a SELECT after
    // the insert), its result after the insert's row count: the batch needs
    // no NOCOUNT, which would stay on the connection and silence the row
    // counts of every later statement. Other drivers know the connection's
    // last insert, or the engine tells it on the same connection.
    QVariant identite;
    bool lue = false;
    do {
        if (requete_.isSelect()) {
            lue = requete_.next();
            break;
        }
    } while (requete_.nextResult());
    if (lue)
        identite = requete_.value(0);
    else if (requete_.driver()->hasFeature(QSqlDriver::LastInsertId))
        identite = requete_.lastInsertId();
    requete_.finish();
    if (lue || identite.isValid())
        return identite.toLongLong();
    if (relectureIdentite_.isEmpty())
        throw ErreurTarvo(NumeroErreur::Base, source_,
                          QStringLiteral("Le numéro de la ligne insérée ne peut pas être relu."));
    QSqlQuery relecture(base_);
    if (!relecture.exec(relectureIdentite_) || !relecture.next())
        throw echecSql(relecture.lastError(), source_);
    return relecture.value(0).toLongLong();
}

void InstructionQtSql::lireLignes() {
    colonnes_ = requete_.record();
    const int n = colonnes_.count();
    QList<bool> decimales(n);
    for (int colonne = 0; colonne < n; ++colonne)
        decimales[colonne] = colonnes_.field(colonne).metaType().id() == QMetaType::Double;
    lignes_.clear();
    while (requete_.next()) {
        QList<QVariant> ligne;
        ligne.reserve(n);
        for (int colonne = 0; colonne < n; ++colonne) {
            if (requete_.isNull(colonne))
                ligne.append(QVariant());
            else if (decimales.at(colonne))
                ligne.append(nombre(requete_.value(colonne)));
            else
                ligne.append(requete_.value(colonne));
        }
        lignes_.append(std::move(ligne));
    }
    const QSqlError erreur = requete_.lastError();
    requete_.finish();
    if (erreur.isValid())
        throw echecSql(erreur, source_);
    courante_ = -1;
}

bool InstructionQtSql::suivante() {
    if (!lance_) {
        lancer();
        lance_ = true;
        lireLignes();
    }
    if (++courante_ < lignes_.size())
        return true;
    terminer();
    return false;
}

void InstructionQtSql::terminer() {
    if (lance_) {
        requete_.finish();
        lignes_.clear();
        courante_ = -1;
        lance_ = false;
    }
}

const QVariant& InstructionQtSql::cellule(int colonne) const {
    static const QVariant nulle;
    if (courante_ < 0 || courante_ >= lignes_.size() || colonne < 0 ||
        colonne >= lignes_.at(courante_).size())
        return nulle;
    return lignes_.at(courante_).at(colonne);
}

int InstructionQtSql::nombreColonnes() const {
    return colonnes_.count();
}

QString InstructionQtSql::nomColonne(int colonne) const {
    return colonnes_.fieldName(colonne);
}

bool InstructionQtSql::estNul(int colonne) const {
    return cellule(colonne).isNull();
}

qint64 InstructionQtSql::entier(int colonne) const {
    return cellule(colonne).toLongLong();
}

double InstructionQtSql::reel(int colonne) const {
    return cellule(colonne).toDouble();
}

QString InstructionQtSql::texte(int colonne) const {
    return cellule(colonne).toString();
}

QByteArray InstructionQtSql::octets(int colonne) const {
    return cellule(colonne).toByteArray();
}

QVariant InstructionQtSql::valeur(int colonne) const {
    return cellule(colonne);
}

} // namespace tarvo::db
