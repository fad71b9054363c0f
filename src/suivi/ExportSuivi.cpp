#include "ExportSuivi.h"

#include "browsers/EcritureCsv.h"
#include "browsers/ExportCsv.h"

namespace tarvo::suivi {
namespace {

// The kind of each column of ColonnesSuivi: the label and the state are
// texts, the two moments dates, the rest numbers.
db::Genre genre(qsizetype colonne) {
    if (colonne == 1 || colonne == ColonnesSuivi().size() - 1)
        return db::Genre::Texte;
    if (colonne == ColonnesSuivi().size() - 3 || colonne == ColonnesSuivi().size() - 2)
        return db::Genre::Date;
    return db::Genre::Nombre;
}

QStringList champs(const QStringList& cellules, bool enTete) {
    QStringList resultat;
    for (qsizetype i = 0; i < cellules.size(); ++i)
        resultat << navigateurs::ChampCsv(cellules.at(i), enTete ? db::Genre::Texte : genre(i));
    return resultat;
}

} // namespace

QStringList LignesTexteSuivi(const QList<LigneSuivi>& lignes) {
    QStringList texte{champs(ColonnesSuivi(), true).join(u';')};
    for (const LigneSuivi& l : lignes)
        texte << champs(TextesLigne(l), false).join(u';');
    return texte;
}

void ExporterSuiviCsv(const QList<LigneSuivi>& lignes, const QString& fichier) {
    navigateurs::EcritureCsv sortie(fichier, QStringLiteral("Suivi des préparations"));
    sortie.ligne(champs(ColonnesSuivi(), true));
    for (const LigneSuivi& l : lignes)
        sortie.ligne(champs(TextesLigne(l), false));
    sortie.terminer();
}

} // namespace tarvo::suivi
