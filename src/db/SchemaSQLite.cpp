#include "SchemaSQLite.h"

#include "Base.h"
#include "SqlSchema.h"

namespace tarvo::db {

QString IdentifiantSQLite(const QString& nom) {
    return u'"' + QString(nom).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QString ClesEgalesEnFrancais(Base& base, const QString& table, const QStringList& colonnes) {
    QStringList groupes, ecrite;
    for (const QString& c : colonnes) {
        groupes << IdentifiantSQLite(c) + QStringLiteral(" COLLATE FRANCAIS");
        ecrite << QStringLiteral("'« ' || ") + IdentifiantSQLite(c) + QStringLiteral(" || ' »'");
    }
    if (groupes.isEmpty())
        return {};
    QStringList trouves;
    Requete requete = base.preparer(TexteSql(
        sql::DoublonsEnFrancais.pour(Moteur::SQLite)
            .arg(IdentifiantSQLite(table) + QStringLiteral(" NOT INDEXED"),
                 groupes.join(QStringLiteral(", ")), ecrite.join(QStringLiteral(" || ', ' || ")))));
    while (requete.suivante())
        trouves << requete.texte(0);
    return trouves.join(QStringLiteral(" ; "));
}

} // namespace tarvo::db
