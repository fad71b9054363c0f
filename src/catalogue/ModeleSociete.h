#pragma once

#include <QSqlQueryModel>

namespace tarvo {
class Connexion;
}

namespace tarvo::catalogue {

// The rows of [Informations société] for the company window, columns in the
// order of sql::InformationsSociete, read-only: the window writes through
// EnregistrerSociete, which sees a row another workstation changed
// meanwhile.
class ModeleSociete : public QSqlQueryModel {
    Q_OBJECT
public:
    explicit ModeleSociete(const Connexion& cnx, QObject* parent = nullptr);

    // Reads the rows again; false on failure, lastError() then says why.
    bool lire();

private:
    const Connexion& cnx_;
};

} // namespace tarvo::catalogue
