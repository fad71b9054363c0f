#pragma once

#include "Dialecte.h"

#include <QSqlDatabase>
#include <QString>

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
};

// One named database connection. Nothing else in the program opens connections.
class Connexion {
public:
    explicit Connexion(const QString& role);
    ~Connexion();
    Connexion(const Connexion&) = delete;
    Connexion& operator=(const Connexion&) = delete;

    // Opens the connection; raises ErreurTarvo on failure. A missing SQLite
    // file is a failure unless `creerFichier` is set.
    void ouvrir(const ParametresConnexion& parametres, bool creerFichier = false);
    bool estOuverte() const;
    void fermer();

    QSqlDatabase base() const;
    const ParametresConnexion& parametres() const { return parametres_; }
    db::Moteur moteur() const { return parametres_.moteur; }

    // The server process number of this connection: @@SPID on SQL Server; on
    // SQLite a number allocated through the database, unique among the
    // connections open on the file. Raises ErreurTarvo on failure.
    int spid();

private:
    QString nom_;
    ParametresConnexion parametres_;
    int spid_ = 0;
};

// The ODBC connection string of SQL Server settings.
QString ChaineOdbc(const ParametresConnexion& parametres);

} // namespace tarvo
