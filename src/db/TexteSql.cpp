#include "TexteSql.h"

namespace tarvo::db {

TexteSql::TexteSql(QString commun) : sqlite_(commun), sqlServer_(std::move(commun)) {}

TexteSql::TexteSql(QString sqlite, QString sqlServer)
    : sqlite_(std::move(sqlite)), sqlServer_(std::move(sqlServer)) {}

const QString& TexteSql::pour(Moteur moteur) const {
    return moteur == Moteur::SQLite ? sqlite_ : sqlServer_;
}

} // namespace tarvo::db
