#include "FormatFrancais.h"

#include "base/Francais.h"
#include "db/Dialecte.h"

#include <QDateTime>

namespace tarvo::navigateurs {
namespace {

QString nombre(const QVariant& valeur) {
    if (valeur.typeId() == QMetaType::LongLong || valeur.typeId() == QMetaType::Int)
        return QString::number(valeur.toLongLong());
    bool ok = false;
    const double d = valeur.toDouble(&ok);
    return ok ? nombreFrancais(d) : valeur.toString();
}

QString moment(const QVariant& valeur) {
    // The embedded database's text yyyy-MM-dd HH:mm:ss is rearranged as it
    // stands: a million rows are exported without parsing a date.
    if (valeur.typeId() == QMetaType::QString) {
        const QString t = valeur.toString();
        if (t.size() == 19 && t[4] == u'-' && t[7] == u'-' && t[10] == u' ') {
            QString r;
            r.reserve(19);
            r.append(QStringView(t).mid(8, 2)).append(u'/').append(QStringView(t).mid(5, 2));
            r.append(u'/').append(QStringView(t).left(4)).append(QStringView(t).mid(10));
            return r;
        }
    }
    const QDateTime m = db::Dialecte::lireDateHeure(valeur);
    return m.isValid() ? m.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")) : valeur.toString();
}

} // namespace

QString TexteFrancais(const QVariant& valeur, db::Genre genre) {
    if (valeur.isNull())
        return QString();
    switch (genre) {
    case db::Genre::Nombre:
        return nombre(valeur);
    case db::Genre::Date:
        return moment(valeur);
    case db::Genre::Texte:
        break;
    }
    return valeur.toString();
}

} // namespace tarvo::navigateurs
