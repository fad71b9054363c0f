#include "ModeleSociete.h"

#include "SqlCatalogue.h"
#include "db/Connexion.h"

#include <QSqlError>

namespace tarvo::catalogue {

ModeleSociete::ModeleSociete(const Connexion& cnx, QObject* parent)
    : QSqlQueryModel(parent), cnx_(cnx) {}

bool ModeleSociete::lire() {
    setQuery(sql::InformationsSociete.pour(cnx_.moteur()), cnx_.base());
    // Every row at once: the form moves to any of them.
    while (canFetchMore())
        fetchMore();
    return !lastError().isValid();
}

} // namespace tarvo::catalogue
