#include "ExportSuivi.h"

#include "browsers/EcritureCsv.h"
#include "browsers/ExportCsv.h"

namespace tarvo::suivi {
namespace {

QStringList champs(const QStringList& cellules, bool enTete) {
    QStringList resultat;
    for (qsizetype i = 0; i < cellules.size(); ++i)
        resultat << navigateurs::ChampCsv(cellules.at(i),
                                          enTete ? db::Genre::Texte : TableSuivi().at(i).genre);
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
