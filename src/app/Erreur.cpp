#include "Erreur.h"

namespace tarvo {

Erreur Erreur::depuisSql(const QSqlError& erreur, const QString& source) {
    bool ok = false;
    const qint64 natif = erreur.nativeErrorCode().toLongLong(&ok);
    QString description = erreur.databaseText();
    if (description.isEmpty())
        description = erreur.driverText();
    else if (!erreur.driverText().isEmpty() && erreur.driverText() != description)
        description = erreur.driverText() + QStringLiteral(" : ") + description;
    return {ok ? natif : NumeroErreur::Base + static_cast<int>(erreur.type()), source, description};
}

ErreurTarvo::ErreurTarvo(Erreur erreur)
    : erreur_(std::move(erreur)), texte_(erreur_.description.toUtf8()) {}

ErreurTarvo::ErreurTarvo(qint64 numero, const QString& source, const QString& description)
    : ErreurTarvo(Erreur{numero, source, description}) {}

} // namespace tarvo
