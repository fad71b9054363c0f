#pragma once

#include <QList>

class QSqlQuery;

namespace tarvo::db {

// The native codes of every diagnostic the ODBC driver left on the statement
// of a query that just failed, in their order; empty for other drivers. Qt
// 6.4 keeps only the last one in QSqlError, and SQL Server gives the reason
// first: 547 (a foreign key refused the statement), then 3621 ("The
// statement has been terminated.").
QList<qint64> codesDiagnosticsOdbc(const QSqlQuery& requete);

} // namespace tarvo::db
