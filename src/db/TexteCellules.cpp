#include "TexteCellules.h"

#include "Dialecte.h"
#include "base/Francais.h"

#include <QDateTime>
#include <QLocale>

namespace tarvo::db {

TexteCellules::TexteCellules() : formatDate_(localeFrancaise().dateFormat(QLocale::ShortFormat)) {}

QString TexteCellules::valeur(const QVariant& v) const {
    if (v.isNull())
        return QString();
    switch (v.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
        return QString::number(v.toLongLong());
    case QMetaType::Double:
        return nombreFrancais(v.toDouble());
    default:
        return v.toString();
    }
}

QString TexteCellules::date(const QVariant& v) {
    if (v.isNull())
        return QString();
    const QString texte = v.toString();
    // The embedded database's ISO text: the day is formatted once per load,
    // the time is already written as it is shown.
    if (v.typeId() == QMetaType::QString && texte.size() >= 10 && texte.at(4) == u'-' &&
        texte.at(7) == u'-') {
        const QStringView jour = QStringView(texte).left(10);
        // Lists come in date or number order: the day is often the last one.
        if (jour != dernierJour_) {
            dernierJour_ = jour.toString();
            auto trouve = cache_.constFind(dernierJour_);
            if (trouve == cache_.constEnd()) {
                const QDate d = QDate::fromString(dernierJour_, Qt::ISODate);
                trouve = cache_.insert(dernierJour_,
                                       d.isValid() ? d.toString(formatDate_) : dernierJour_);
            }
            dernierTexte_ = *trouve;
        }
        if (texte.size() < 19 || QStringView(texte).mid(11, 8) == u"00:00:00")
            return dernierTexte_;
        QString complet;
        complet.reserve(dernierTexte_.size() + 9);
        complet.append(dernierTexte_).append(u' ').append(QStringView(texte).mid(11, 8));
        return complet;
    }
    const auto trouve = cache_.constFind(texte);
    if (trouve != cache_.constEnd())
        return *trouve;
    const QDateTime moment = Dialecte::lireDateHeure(v);
    QString resultat;
    if (!moment.isValid())
        resultat = texte;
    else if (moment.time() == QTime(0, 0))
        resultat = moment.date().toString(formatDate_);
    else
        resultat = moment.date().toString(formatDate_) + u' ' +
                   moment.time().toString(QStringLiteral("HH:mm:ss"));
    cache_.insert(texte, resultat);
    return resultat;
}

} // namespace tarvo::db
