#include "FiltreSuivi.h"

#include "db/OrdreFrancais.h"

#include <string_view>

namespace tarvo::suivi {
namespace {

constexpr char Echappement = '\\';

std::string_view vue(const QByteArray& octets) {
    return {octets.constData(), static_cast<std::size_t>(octets.size())};
}

} // namespace

FiltreSuivi::FiltreSuivi(const QString& texte, int colonne) : colonne_(colonne) {
    const QString cherche = texte.trimmed();
    if (cherche.isEmpty())
        return;
    QString motif = QStringLiteral("%");
    for (const QChar c : cherche) {
        if (c == u'%' || c == u'_' || c == QLatin1Char(Echappement))
            motif += QLatin1Char(Echappement);
        motif += c;
    }
    motif += u'%';
    motif_ = motif.toUtf8();
}

bool FiltreSuivi::retient(const QStringList& textes) const {
    if (motif_.isEmpty())
        return true;
    const auto trouve = [this](const QString& texte) {
        const QByteArray octets = texte.toUtf8();
        return db::ordre::Comme(vue(motif_), vue(octets), char32_t{Echappement});
    };
    if (colonne_ >= 0)
        return trouve(textes.value(colonne_));
    for (const QString& t : textes)
        if (trouve(t))
            return true;
    return false;
}

} // namespace tarvo::suivi
