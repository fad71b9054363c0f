#include "Dialecte.h"

namespace tarvo::db::Dialecte {

QDateTime lireDateHeure(const QVariant& v) {
    if (v.isNull())
        return {};
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime();
    if (v.typeId() == QMetaType::QDate)
        return v.toDate().startOfDay();
    const QString texte = v.toString();
    QDateTime moment = QDateTime::fromString(texte.left(19), FormatDateHeure);
    if (!moment.isValid())
        moment = QDate::fromString(texte.left(10), Qt::ISODate).startOfDay();
    return moment;
}

const QString& RelectureIdentite(Moteur moteur) {
    static const QString sqlite = QStringLiteral("SELECT last_insert_rowid()");
    static const QString serveur;
    return moteur == Moteur::SQLite ? sqlite : serveur;
}

} // namespace tarvo::db::Dialecte
