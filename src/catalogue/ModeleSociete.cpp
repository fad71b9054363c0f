#include "ModeleSociete.h"

#include "Societe.h"
#include "SqlCatalogue.h"
#include "app/Connexion.h"

#include <QSqlField>
#include <QSqlIndex>
#include <QSqlRecord>

namespace tarvo::catalogue {

ModeleSociete::ModeleSociete(const Connexion& cnx, QObject* parent)
    : QSqlTableModel(parent, cnx.base()), cnx_(cnx) {
    setEditStrategy(QSqlTableModel::OnManualSubmit);
    setTable(QStringLiteral("Informations société"));
    // The table has no key of its own.
    const QSqlRecord champs = record();
    QSqlIndex cle(QString(), QStringLiteral("textes"));
    for (int colonne = 0; colonne < ColonneLogo && colonne < champs.count(); ++colonne)
        cle.append(champs.field(colonne));
    setPrimaryKey(cle);
}

QString ModeleSociete::selectStatement() const {
    return sql::InformationsSociete.pour(cnx_.moteur());
}

} // namespace tarvo::catalogue
