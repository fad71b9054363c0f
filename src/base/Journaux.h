#pragma once

#include "Erreur.h"

#include <QDateTime>
#include <QList>
#include <QString>

namespace tarvo {

struct Environnement;

inline const QString FichierErreurs = QStringLiteral("erreurs.txt");
inline const QString FichierDebug = QStringLiteral("debug.txt");

// A log that has reached this size before a write is renamed to its previous
// file (nomJournalPrecedent), replacing the one before, and a new log starts:
// the two together never hold much more than twice this.
constexpr qint64 TailleMaxJournal = 4 * 1024 * 1024;
// erreurs.txt → erreurs.ancien.txt.
QString nomJournalPrecedent(const QString& nomFichier);

// Appends one dated line to a file of the program folder (Windows-1252, CR LF),
// opening and closing it for this one write. Raises ErreurTarvo when the file
// cannot be written.
void EcrireLog(Environnement& ctx, const QString& nomFichier, const QString& texte);
void TraceDebug(Environnement& ctx, const QString& texte);
// Logs the line to erreurs.txt and shows it in a plain box.
void TraceErreur(Environnement& ctx, const QString& message, qint32 numero,
                 const QString& description);

// One error held by the report connection when a report fails.
struct ErreurFournisseur {
    qint64 numero = 0;
    QString source;
    qint64 erreurNative = 0;
    QString description;
    QString etatSql;
};

// What trace_erreur_etat reports about a failed report.
struct EchecEtat {
    Erreur erreur;
    qint64 derniereErreurSysteme = 0;
    QList<ErreurFournisseur> erreursConnexion;
    QString texteCommande;
};

// Report failure diagnostic: the box, then the block in erreurs.txt.
void trace_erreur_etat(Environnement& ctx, const QString& nomEtat, const QString& nomCommande,
                       const EchecEtat& echec);

// The date and time as the logs write them.
QString horodatageJournal(const QDateTime& moment);

} // namespace tarvo
