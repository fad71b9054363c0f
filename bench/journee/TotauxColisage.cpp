#include "TotauxColisage.h"

#include <QRegularExpression>

namespace journee {

TotauxColisage lireTotauxColisage(const QString& texte) {
    static const QRegularExpression motif(
        QStringLiteral(R"((No Colis:|Total article colis :|Nbr Colis:)\s*(\d+))"));
    TotauxColisage t;
    auto it = motif.globalMatch(texte);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const QString titre = m.captured(1);
        const qint64 valeur = m.captured(2).toLongLong();
        // A parcel carried over to the next page repeats its heading there.
        if (titre.startsWith(QStringLiteral("No "))) {
            if (t.colis.isEmpty() || t.colis.last().first != valeur)
                t.colis.append({static_cast<int>(valeur), -1});
        } else if (titre.startsWith(QStringLiteral("Total")) && !t.colis.isEmpty())
            t.colis.last().second = valeur;
        else if (titre.startsWith(QStringLiteral("Nbr")))
            t.nombreColis = static_cast<int>(valeur);
    }
    return t;
}

} // namespace journee
