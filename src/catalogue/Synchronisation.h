#pragma once

#include "db/Base.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace tarvo {
struct Contexte;
class ErreurTarvo;
} // namespace tarvo

namespace tarvo::catalogue {

// Keeps Tarvo's Article table in step with the Sage articles of V_ARTICLE
// that carry a bar code. The routines without boxes raise ErreurTarvo;
// SynchroArticle is the command as the person meets it.

struct MiseAJourArticles {
    qint64 misAJour = 0;
    qint64 ajoutes = 0;
};

struct ArticleObsolete {
    QString codeBarre;
    QString libelle;
};

struct BilanSuppression {
    qint64 supprimes = 0;
    // Refused by the database because another table still refers to them.
    qint64 encoreUtilises = 0;
};

struct BilanSynchro {
    MiseAJourArticles miseAJour;
    qint64 obsoletes = 0;
    bool suppressionDemandee = false;
    BilanSuppression suppression;
};

// Refreshes the articles Sage still has, then adds the new ones, in one
// transaction: a failure leaves Article as it was. Shows the status of each
// step.
MiseAJourArticles MettreAJourArticles(Contexte& ctx, db::Base& base);

// The articles Sage no longer has, by bar code.
QList<ArticleObsolete> ChercherArticlesObsoletes(const db::Base& base);

// Deletes the articles one by one, each in its own statement, so that an
// article still referred to by another table is skipped and counted while
// the others go. Moves the progress bar. Any other failure stops the walk;
// the articles already deleted stay deleted.
BilanSuppression SupprimerArticles(Contexte& ctx, const db::Base& base,
                                   const QList<ArticleObsolete>& articles);

// True when the database refused a deletion because another table still
// refers to the row: the engine's own foreign-key failure.
bool RefusParReference(const ErreurTarvo& erreur, db::Moteur moteur);

// What a run did, one "Articles …" line each: updated, added, deleted, and
// kept because still used.
QStringList LignesBilanSynchro(const BilanSynchro& bilan);
// The obsolete articles neither deleted nor found still used: those the
// person chose to keep.
qint64 ObsoletesGardes(const BilanSynchro& bilan);

// "Synchroniser le fichier article": the update and the insert, then, when
// `proposerSuppression`, the question on the obsolete articles, their
// deletion and the "Suppression incomplète" box. A failure shows the
// detailed box titled "Erreur" and gives an empty optional. The status text
// is back to idle at the end either way.
std::optional<BilanSynchro> SynchroArticle(Contexte& ctx, bool proposerSuppression);

} // namespace tarvo::catalogue
