#include "InstructionSQLite.h"

#include "Dialecte.h"
#include "ErreurSql.h"
#include "base/Erreur.h"

#include <sqlite3.h>

namespace tarvo::db {

InstructionSQLite::InstructionSQLite(sqlite3* base, const QString& sql, const QStringList& noms)
    : base_(base) {
    const QByteArray texte = sql.toUtf8();
    if (sqlite3_prepare_v3(base_, texte.constData(), static_cast<int>(texte.size()),
                           SQLITE_PREPARE_PERSISTENT, &stmt_, nullptr) != SQLITE_OK)
        throw echecSQLite(base_);
    for (const QString& nom : noms)
        indices_.append(sqlite3_bind_parameter_index(stmt_, (u':' + nom).toUtf8().constData()));
}

InstructionSQLite::~InstructionSQLite() {
    sqlite3_finalize(stmt_);
}

int InstructionSQLite::indice(int rang) {
    terminer();
    return indices_.at(rang);
}

void InstructionSQLite::verifier(int rc) const {
    if (rc != SQLITE_OK)
        throw echecSQLite(base_);
}

void InstructionSQLite::lierEntier(int rang, qint64 valeur) {
    verifier(sqlite3_bind_int64(stmt_, indice(rang), valeur));
}

void InstructionSQLite::lierReel(int rang, double valeur) {
    verifier(sqlite3_bind_double(stmt_, indice(rang), valeur));
}

void InstructionSQLite::lierMoment(int rang, const QDateTime& valeur) {
    lierTexte(rang, valeur.toString(Dialecte::FormatDateHeure));
}

void InstructionSQLite::lierTexte(int rang, QStringView valeur) {
    const int i = indice(rang);
    // The database holds UTF-8: converting here, without an allocation for
    // the usual all-ASCII values, spares the engine its own conversion.
    utf8_.resize(valeur.size());
    char* sortie = utf8_.data();
    qsizetype n = 0;
    for (; n < valeur.size() && valeur[n].unicode() < 0x80; ++n)
        sortie[n] = static_cast<char>(valeur[n].unicode());
    if (n < valeur.size())
        utf8_ = valeur.toUtf8();
    verifier(sqlite3_bind_text(stmt_, i, utf8_.constData(), static_cast<int>(utf8_.size()),
                               SQLITE_TRANSIENT));
}

void InstructionSQLite::lierOctets(int rang, const QByteArray& valeur) {
    verifier(sqlite3_bind_blob(stmt_, indice(rang), valeur.constData(),
                               static_cast<int>(valeur.size()), SQLITE_TRANSIENT));
}

void InstructionSQLite::lierNul(int rang) {
    verifier(sqlite3_bind_null(stmt_, indice(rang)));
}

qint64 InstructionSQLite::executer() {
    terminer();
    int rc;
    while ((rc = sqlite3_step(stmt_)) == SQLITE_ROW) {
    }
    sqlite3_reset(stmt_);
    if (rc != SQLITE_DONE)
        throw echecSQLite(base_);
    return sqlite3_changes64(base_);
}

qint64 InstructionSQLite::executerInsertion() {
    executer();
    return sqlite3_last_insert_rowid(base_);
}

bool InstructionSQLite::suivante() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) {
        enCours_ = true;
        return true;
    }
    enCours_ = false;
    sqlite3_reset(stmt_);
    if (rc != SQLITE_DONE)
        throw echecSQLite(base_);
    return false;
}

void InstructionSQLite::terminer() {
    if (enCours_) {
        sqlite3_reset(stmt_);
        enCours_ = false;
    }
}

int InstructionSQLite::nombreColonnes() const {
    return sqlite3_column_count(stmt_);
}

QString InstructionSQLite::nomColonne(int colonne) const {
    return QString::fromUtf8(sqlite3_column_name(stmt_, colonne));
}

bool InstructionSQLite::estNul(int colonne) const {
    return sqlite3_column_type(stmt_, colonne) == SQLITE_NULL;
}

qint64 InstructionSQLite::entier(int colonne) const {
    return sqlite3_column_int64(stmt_, colonne);
}

double InstructionSQLite::reel(int colonne) const {
    return sqlite3_column_double(stmt_, colonne);
}

QString InstructionSQLite::texte(int colonne) const {
    const auto* octets = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, colonne));
    return QString::fromUtf8(octets, sqlite3_column_bytes(stmt_, colonne));
}

QByteArray InstructionSQLite::octets(int colonne) const {
    const auto* donnees = static_cast<const char*>(sqlite3_column_blob(stmt_, colonne));
    return QByteArray(donnees, sqlite3_column_bytes(stmt_, colonne));
}

QVariant InstructionSQLite::valeur(int colonne) const {
    switch (sqlite3_column_type(stmt_, colonne)) {
    case SQLITE_INTEGER:
        return entier(colonne);
    case SQLITE_FLOAT:
        return reel(colonne);
    case SQLITE_TEXT:
        return texte(colonne);
    case SQLITE_BLOB:
        return octets(colonne);
    default:
        return {};
    }
}

} // namespace tarvo::db
