#pragma once

#include <QSqlTableModel>

namespace tarvo {
class Connexion;
}

namespace tarvo::catalogue {

// The rows of [Informations société] for the company window, columns in the
// order of sql::InformationsSociete. Changes stay pending until submitAll()
// writes every changed row, or revertAll() drops them. Only the columns a
// person changed are written, and a row is found again by its text fields:
// a logo replaced meanwhile by RemplacerLogo neither stops nor is undone by
// the text changes.
class ModeleSociete : public QSqlTableModel {
    Q_OBJECT
public:
    explicit ModeleSociete(const Connexion& cnx, QObject* parent = nullptr);

protected:
    QString selectStatement() const override;

private:
    const Connexion& cnx_;
};

} // namespace tarvo::catalogue
