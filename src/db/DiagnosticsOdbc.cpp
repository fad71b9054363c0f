#include "DiagnosticsOdbc.h"

#include <QSqlDriver>
#include <QSqlQuery>
#include <QSqlResult>
#include <QVariant>

#ifdef Q_OS_WIN
#include <windows.h>
#endif
#include <sql.h>
#include <sqlext.h>

namespace tarvo::db {

QList<qint64> codesDiagnosticsOdbc(const QSqlQuery& requete) {
    QList<qint64> codes;
    const QSqlResult* resultat = requete.result();
    const QSqlDriver* pilote = requete.driver();
    if (!resultat || !pilote || qstrcmp(pilote->metaObject()->className(), "QODBCDriver") != 0)
        return codes;
    const QVariant poignee = resultat->handle();
    if (!poignee.isValid() || poignee.metaType().sizeOf() != sizeof(SQLHANDLE))
        return codes;
    const SQLHANDLE instruction = *static_cast<const SQLHANDLE*>(poignee.constData());
    if (!instruction)
        return codes;
    // The diagnostics stay on the statement until its next call.
    for (SQLSMALLINT rang = 1;; ++rang) {
        SQLINTEGER natif = 0;
        if (!SQL_SUCCEEDED(SQLGetDiagField(SQL_HANDLE_STMT, instruction, rang, SQL_DIAG_NATIVE,
                                           &natif, 0, nullptr)))
            break;
        codes.append(natif);
    }
    return codes;
}

} // namespace tarvo::db
