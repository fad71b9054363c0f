#include "ErreurSql.h"

#include <QStringList>
#include <sqlite3.h>

namespace tarvo::db {

Erreur erreurDepuisSql(const QSqlError& erreur, const QString& source) {
    bool ok = false;
    const qint64 natif = erreur.nativeErrorCode().toLongLong(&ok);
    QString description = erreur.databaseText();
    if (description.isEmpty())
        description = erreur.driverText();
    else if (!erreur.driverText().isEmpty() && erreur.driverText() != description)
        description = erreur.driverText() + QStringLiteral(" : ") + description;
    return {ok ? natif : NumeroErreur::Base + static_cast<int>(erreur.type()), source, description};
}

ErreurTarvo echecSql(const QSqlError& erreur, const QString& source) {
    // Drivers that keep several diagnostics join their codes with ';'.
    QList<qint64> codes;
    const QStringList parties = erreur.nativeErrorCode().split(u';', Qt::SkipEmptyParts);
    for (const QString& partie : parties) {
        bool lu = false;
        const qint64 code = partie.trimmed().toLongLong(&lu);
        if (lu)
            codes.append(code);
    }
    return ErreurTarvo(erreurDepuisSql(erreur, source), std::move(codes));
}

ErreurTarvo echecSQLite(sqlite3* base, const QString& contexte) {
    const qint64 code = sqlite3_extended_errcode(base);
    QString description = QString::fromUtf8(sqlite3_errmsg(base));
    if (!contexte.isEmpty())
        description = contexte + QStringLiteral(" : ") + description;
    return ErreurTarvo(Erreur{code, QStringLiteral("SQLite"), description}, {code});
}

} // namespace tarvo::db
