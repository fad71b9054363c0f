#include "ExportCsv.h"

#include "EcritureCsv.h"
#include "FormatFrancais.h"
#include "SourceNavigation.h"
#include "base/Erreur.h"
#include "base/Feedback.h"

#include <QFileInfo>

namespace tarvo::navigateurs {

QString AvecExtensionCsv(const QString& fichier) {
    // A folder keeps its name, so that the writing refuses it rather than
    // putting a file beside it.
    if (!QFileInfo(fichier).suffix().isEmpty() || QFileInfo(fichier).isDir())
        return fichier;
    return fichier.endsWith(u'.') ? fichier + QStringLiteral("csv")
                                  : fichier + QStringLiteral(".csv");
}

QString BilanExport(qint64 lignes, const QString& fichier) {
    const QString texte = lignes > 1 ? QStringLiteral("%1 lignes exportées dans %2")
                                     : QStringLiteral("%1 ligne exportée dans %2");
    return texte.arg(lignes).arg(fichier);
}

QString ChampCsv(const QString& valeur, db::Genre genre) {
    static const QString Formules = QStringLiteral("=+-@\t\r");
    const QString texte =
        genre == db::Genre::Texte && !valeur.isEmpty() && Formules.contains(valeur.front())
            ? u'\'' + valeur
            : valeur;
    if (!texte.contains(u';') && !texte.contains(u'"') && !texte.contains(u'\n') &&
        !texte.contains(u'\r'))
        return texte;
    QString cite = texte;
    cite.replace(u'"', QStringLiteral("\"\""));
    return u'"' + cite + u'"';
}

qint64 ExporterCsv(const SourceNavigation& source, const Vue& vue, const QString& fichier,
                   Feedback& suivi) {
    const QList<Champ>& champs = source.table().champs;
    const qint64 total = source.compter(vue);
    suivi.statut(QStringLiteral("Export de %1 lignes…").arg(total));
    suivi.progression(0);
    EcritureCsv sortie(fichier, QStringLiteral("Export"));
    QStringList ligne;
    for (const Champ& champ : champs)
        ligne << ChampCsv(champ.titre, db::Genre::Texte);
    sortie.ligne(ligne);
    qint64 ecrites = 0;
    int pourcentage = 0;
    source.parcourir(vue, [&](const db::Requete& requete) {
        ligne.clear();
        for (int c = 0; c < champs.size(); ++c)
            ligne << ChampCsv(TexteFrancais(requete.valeur(c + 1), champs.at(c).genre),
                              champs.at(c).genre);
        sortie.ligne(ligne);
        ++ecrites;
        const int maintenant =
            total > 0 ? static_cast<int>(std::min<qint64>(100, ecrites * 100 / total)) : 100;
        if (maintenant != pourcentage) {
            pourcentage = maintenant;
            suivi.progression(pourcentage);
        }
    });
    sortie.terminer();
    suivi.progression(100);
    suivi.statut(QString());
    return ecrites;
}

} // namespace tarvo::navigateurs
