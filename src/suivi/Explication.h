#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

namespace tarvo::db {
class Base;
}

// Where a prepared quantity comes from: the terminal entries behind it,
// replayed by the integration's own rule.
namespace tarvo::suivi {

// What became of one journaled entry, for the bar code explained.
enum class Effet {
    // It counts in the prepared quantity: an article put in, or part of it
    // taken out of a parcel that still holds some.
    Compte,
    // No effect: the packing line had already received an entry at the same
    // moment or later (a later entry for the same parcel replaced it).
    Remplacee,
    // It counted until a withdrawal took the whole article out of the parcel;
    // or it is that withdrawal.
    Retiree,
    // It counted until its parcel, or every parcel, was deleted; or it is
    // that deletion.
    ColisSupprime,
    // No effect: it takes out of a parcel or a line that did not exist.
    SansObjet,
};

// "Compte", "Remplacée par une saisie plus récente du même colis",
// "Retirée par une saisie de retrait", "Colis supprimé", "Sans objet".
QString texteEffet(Effet effet);

struct LigneExpliquee {
    QDateTime dateSaisie;
    // The parcel as the journal holds it (a number, or a removal's text).
    QString colis;
    // The line type ({EXPXA}…) and what it is: "Ajout", "Retrait",
    // "Retrait du colis", "Retrait de tous les colis".
    QString codeType;
    QString typeSaisie;
    // The entry's quantity as entered (positive), and what it adds to the
    // prepared quantity now: + for an article put in that counts, − for a
    // partial withdrawal that counts, 0 otherwise.
    qint64 quantite = 0;
    qint64 contribution = 0;
    QDateTime dateIntegration;
    // Empty when no integrated file is known for that run.
    QString archive;
    Effet effet = Effet::Compte;
};

struct Explication {
    // In the order the runs applied them: the entries of the bar code, and
    // the deletions of parcels that took it away.
    QList<LigneExpliquee> lignes;
    // The sum of the contributions: the quantity the replay prepares.
    qint64 quantitePreparee = 0;
};

// Replays the journal of shipment `noExp` by the integration's rule (an
// entry changes a packing line only when it is more recent than the line's
// last change; a withdrawal down to nothing removes the line; deleting a
// parcel removes its lines) and explains the quantity of `codeBarres`. The
// shipment is taken as open when its entries were integrated. Raises
// ErreurTarvo on a database failure.
Explication Expliquer(const db::Base& base, qint32 noExp, const QString& codeBarres);

// One entry on one line, fields separated by ";": entry moment, parcel,
// type with its code, signed quantity, run moment, archive, effect.
QString TexteLigneExpliquee(const LigneExpliquee& ligne);

} // namespace tarvo::suivi
