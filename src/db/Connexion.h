#pragma once

#include "Dialecte.h"

#include <QSqlDatabase>
#include <QString>

struct sqlite3;

namespace tarvo {

struct ParametresConnexion {
    db::Moteur moteur = db::Moteur::SQLite;
    QString serveur;
    // The database name on SQL Server, the absolute file path for SQLite.
    QString base;
    QString piloteOdbc;
    // The driver's Encrypt and TrustServerCertificate settings; empty leaves
    // the driver's own default (ODBC Driver 18: encrypted, certificate
    // checked).
    QString chiffrement;
    QString confianceCertificat;
    bool integre = true;
    QString utilisateur;
    QString motDePasse;

    bool operator==(const ParametresConnexion&) const = default;
};

// One database connection. Nothing else in the program opens connections.
// The embedded database is opened through the SQLite library the program
// links, and only through it; QtSql serves the ODBC path alone. A connection
// serves one thread at a time: a thread that works on its own opens its own.
class Connexion {
public:
    explicit Connexion(const QString& role);
    ~Connexion();
    Connexion(const Connexion&) = delete;
    Connexion& operator=(const Connexion&) = delete;

    // Opens the connection; raises ErreurTarvo on failure. A missing SQLite
    // file is a failure unless `creerFichier` is set.
    void ouvrir(const ParametresConnexion& parametres, bool creerFichier = false);
    // Opens the ODBC data source `chaine`, whose SQL is that of
    // `parametres.moteur`: SQL Server, or a SQLite file through an ODBC
    // driver for SQLite (the way tests take the generic path on the embedded
    // engine's texts: that driver takes one statement per call, so such a
    // connection gets none of the settings a new one runs, and its opener sets
    // what it needs). Raises ErreurTarvo on failure.
    void ouvrirOdbc(const ParametresConnexion& parametres, const QString& chaine);
    bool estOuverte() const;
    void fermer();

    // The embedded database's own handle; null on the ODBC path.
    sqlite3* sqlite() const { return sqlite_; }
    // The QtSql connection of the ODBC path; invalid on the embedded one.
    QSqlDatabase odbc() const;
    const ParametresConnexion& parametres() const { return parametres_; }
    db::Moteur moteur() const { return parametres_.moteur; }

    // The server process number of this connection: @@SPID on SQL Server; on
    // SQLite a number allocated through the database, unique among the
    // connections open on the file. Raises ErreurTarvo on failure.
    int spid();

private:
    void ouvrirSQLite(bool creerFichier);
    // The settings every new connection runs; closes it when they fail.
    void regler();

    QString nom_;
    ParametresConnexion parametres_;
    sqlite3* sqlite_ = nullptr;
    int spid_ = 0;
};

// The ODBC connection string of SQL Server settings.
QString ChaineOdbc(const ParametresConnexion& parametres);

} // namespace tarvo
