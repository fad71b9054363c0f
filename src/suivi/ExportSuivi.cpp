#include "ExportSuivi.h"

#include "base/Erreur.h"
#include "browsers/ExportCsv.h"

#include <QSaveFile>

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

QString ligne(const QStringList& cellules, bool enTete) {
    QStringList champs;
    for (qsizetype i = 0; i < cellules.size(); ++i)
        champs << navigateurs::ChampCsv(cellules.at(i), enTete ? db::Genre::Texte : genre(i));
    return champs.join(u';');
}

[[noreturn]] void echec(const QString& fichier, const QString& detail) {
    throw ErreurTarvo(NumeroErreur::FichierIllisible, QStringLiteral("Suivi des préparations"),
                      QStringLiteral("Écriture impossible de %1 : %2").arg(fichier, detail));
}

} // namespace

QStringList LignesTexteSuivi(const QList<LigneSuivi>& lignes) {
    QStringList texte{ligne(ColonnesSuivi(), true)};
    for (const LigneSuivi& l : lignes)
        texte << ligne(TextesLigne(l), false);
    return texte;
}

void ExporterSuiviCsv(const QList<LigneSuivi>& lignes, const QString& fichier) {
    QSaveFile sortie(fichier);
    const RaisonSysteme raisonOuverture;
    if (!sortie.open(QIODevice::WriteOnly))
        echec(fichier, raisonOuverture.apres(sortie));
    QByteArray octets("\xEF\xBB\xBF");
    for (const QString& l : LignesTexteSuivi(lignes))
        octets.append(l.toUtf8()).append("\r\n");
    const RaisonSysteme raisonEcriture;
    if (sortie.write(octets) != octets.size())
        echec(fichier, raisonEcriture.apres(sortie));
    const RaisonSysteme raisonVidage;
    if (!sortie.flush())
        echec(fichier, raisonVidage.apres(sortie));
    const RaisonSysteme raisonValidation;
    if (!sortie.commit())
        echec(fichier, raisonValidation.apres(sortie));
}

} // namespace tarvo::suivi
