#pragma once

#include "suivi/LignesExpedition.h"

#include <QList>
#include <QString>
#include <optional>

namespace tarvo {
class Clock;
}
namespace tarvo::db {
class Base;
}

namespace tarvo::colisage {

// An article the bench put into a parcel, which « ANNULER » takes out again.
struct ArticleColise {
    qint16 colis = 0;
    QString codeBarres;
    qint16 quantite = 0;
};

// Where a packer stands: the open shipment, the current parcel and the
// articles packed since the shipment was opened, the last one first to undo.
struct PosteColisage {
    qint32 expedition = 0;
    QString libelle;
    qint16 colis = 0;
    QList<ArticleColise> annulables;
};

enum class Verdict {
    Accepte,
    HorsCommande,
    // Asked before it is accepted: the same scan again with `forcer`.
    QuantiteDepassee,
    CodeInconnu,
    ExpeditionCloturee,
    ExpeditionInconnue,
    // Unreadable, nothing to undo, no shipment open…
    Refuse,
};

struct Reponse {
    Verdict verdict = Verdict::Refuse;
    QString message;
    // The shipment's lines as the scan left them, when it read them: what
    // the bench shows next without reading them again.
    std::optional<QList<suivi::LigneArticle>> lignes;
    bool acceptee() const { return verdict == Verdict::Accepte; }
};

// One article line of the current parcel.
struct ContenuColis {
    QString codeBarres;
    QString designation;
    qint64 quantite = 0;
};

// What the bench shows: the shipment's lines with the range control's
// figures, and the current parcel.
struct VuePoste {
    QList<suivi::LigneArticle> lignes;
    QList<ContenuColis> contenu;
    std::optional<double> poids;
};

// The answer a packer sees for `ligne` (see LireScan): an article into the
// current parcel, a weight for it, another parcel or shipment, or the last
// article taken out again. Each entry is one short transaction of its own
// and goes through the terminals' entry routines, journaled with the type a
// terminal would give it, dated now or, when the row it changes already
// carries that moment, one second after its last change, so that quick
// scans all count. `forcer` accepts an article beyond the ordered quantity.
// Raises ErreurTarvo on a database failure, nothing then being written.
Reponse Scanner(db::Base& base, const Clock& horloge, PosteColisage& poste, const QString& ligne,
                bool forcer = false);

// Reads what the bench shows for `poste` after `reponse` (its lines are not
// read again when the scan brought them); empty when no shipment is open.
VuePoste LireVuePoste(const db::Base& base, const PosteColisage& poste,
                      const Reponse& reponse = {});

// Runs a scan's reads once, on a shipment number no shipment bears: a
// server readies a session's statements on their first use, which should
// not be the wait of the packer's first scan. Writes nothing.
void PreparerSeance(const db::Base& base);

} // namespace tarvo::colisage
