#include "TexteCellules.h"

#include "db/Dialecte.h"

#include <QDateTime>
#include <QLocale>

namespace tarvo::expeditions {

TexteCellules::TexteCellules() : formatDate_(QLocale::system().dateFormat(QLocale::ShortFormat)) {}

QString TexteCellules::valeur(const QVariant& v) const {
    if (v.isNull())
        return QString();
    if (v.typeId() == QMetaType::Double)
        return QString::number(v.toDouble(), 'g', 15);
    return v.toString();
}

QDateTime TexteCellules::lireDateHeure(const QVariant& v) {
    if (v.isNull())
        return {};
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime();
    if (v.typeId() == QMetaType::QDate)
        return v.toDate().startOfDay();
    const QString texte = v.toString();
    QDateTime moment = QDateTime::fromString(texte.left(19), Dialecte::FormatDateHeure);
    if (!moment.isValid())
        moment = QDate::fromString(texte.left(10), Qt::ISODate).startOfDay();
    return moment;
}

QString TexteCellules::date(const QVariant& v) {
    if (v.isNull())
        return QString();
    const QString cle = v.toString();
    const auto trouve = cache_.constFind(cle);
    if (trouve != cache_.constEnd())
        return *trouve;
    const QDateTime moment = lireDateHeure(v);
    QString texte;
    if (!moment.isValid())
        texte = cle;
    else if (moment.time() == QTime(0, 0))
        texte = moment.date().toString(formatDate_);
    else
        texte = moment.date().toString(formatDate_) + u' ' +
                moment.time().toString(QStringLiteral("HH:mm:ss"));
    cache_.insert(cle, texte);
    return texte;
}

} // namespace tarvo::expeditions
