#include "FiltreSuivi.h"

#include "Suivi.h"
#include "db/OrdreFrancais.h"

#include <string_view>

namespace tarvo::suivi {
namespace {

constexpr char Echappement = '\\';
// Between the cells of a row: a control character no cell shows.
constexpr QChar Separateur = u'\x1F';

std::string_view vue(const QByteArray& octets) {
    return {octets.constData(), static_cast<std::size_t>(octets.size())};
}

} // namespace

FiltreSuivi::FiltreSuivi(const QString& texte, int colonne) : colonne_(colonne) {
    const QString cherche = texte.trimmed();
    if (cherche.isEmpty())
        return;
    // No cell holds the separator: such a text finds nothing.
    aucune_ = cherche.contains(Separateur);
    QString motif = QStringLiteral("%");
    for (const QChar c : cherche) {
        if (c == u'%' || c == u'_' || c == QLatin1Char(Echappement))
            motif += QLatin1Char(Echappement);
        motif += c;
    }
    motif += u'%';
    motif_ = motif.toUtf8();
}

bool FiltreSuivi::retient(const LigneSuivi& ligne) const {
    if (motif_.isEmpty())
        return true;
    if (aucune_)
        return false;
    // Every column at once: the cells end to end, split by a character the
    // pattern never holds, so that no match runs from one cell into the next.
    // One pass over the row costs a third of one per cell. The cells are
    // made here, for the rows looked at: a list of five years keeps none.
    QString cellules;
    if (colonne_ < 0)
        cellules = TextesLigne(ligne).join(Separateur);
    else if (colonne_ < TableSuivi().size())
        cellules = TableSuivi().at(colonne_).texte(ligne);
    const QByteArray octets = cellules.toUtf8();
    return db::ordre::Comme(vue(motif_), vue(octets), char32_t{Echappement});
}

} // namespace tarvo::suivi
