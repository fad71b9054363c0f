#include "Dialecte.h"

namespace tarvo::db::Dialecte {
namespace {

// The digits of texte from debut to fin as a number, -1 if one is not a digit.
int nombre(const QString& texte, qsizetype debut, qsizetype fin) {
    int n = 0;
    for (qsizetype i = debut; i < fin; ++i) {
        const char16_t c = texte.at(i).unicode();
        if (c < u'0' || c > u'9')
            return -1;
        n = n * 10 + (c - u'0');
    }
    return n;
}

// "yyyy-MM-dd HH:mm:ss" read by hand: Qt's format parser costs tens of
// microseconds a value, which lists of thousands of rows feel.
QDateTime isoRapide(const QString& texte) {
    if (texte.size() < 19 || texte.at(4) != u'-' || texte.at(7) != u'-' || texte.at(10) != u' ' ||
        texte.at(13) != u':' || texte.at(16) != u':')
        return {};
    const QDate date(nombre(texte, 0, 4), nombre(texte, 5, 7), nombre(texte, 8, 10));
    const QTime heure(nombre(texte, 11, 13), nombre(texte, 14, 16), nombre(texte, 17, 19));
    if (!date.isValid() || !heure.isValid())
        return {};
    return QDateTime(date, heure);
}

} // namespace

QDateTime lireDateHeure(const QVariant& v) {
    if (v.isNull())
        return {};
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime();
    if (v.typeId() == QMetaType::QDate)
        return v.toDate().startOfDay();
    const QString texte = v.toString();
    QDateTime moment = isoRapide(texte);
    if (!moment.isValid())
        moment = QDateTime::fromString(texte.left(19), FormatDateHeure);
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
