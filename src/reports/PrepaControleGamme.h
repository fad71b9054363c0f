#pragma once

#include <QString>
#include <functional>

namespace tarvo {
struct Contexte;
}

namespace tarvo::db {
class Base;
class Requete;
class TexteSql;
} // namespace tarvo::db

namespace tarvo::editions {

// Runs one statement on the application connection with its values. A
// failure is logged in erreurs.txt and shown (TraceErreur) under `texte`,
// the statement as people read it, and false is returned: the caller must
// not go on as if the statement had run.
bool exec_command(Contexte& ctx, const db::Base& base, const db::TexteSql& sql,
                  const QString& texte, const std::function<void(db::Requete&)>& lier);

// Prepares the range control rows of shipment `noExp` for the report
// connection numbered `spid`: the database procedure on SQL Server, the
// same rows written by prepaEtatControleQteGamme_old on the embedded
// database, which has no procedures. False when a statement failed (already
// shown); raises ErreurTarvo on any other failure.
bool prepaEtatControleQteGamme(Contexte& ctx, qint32 noExp, qint32 spid);

// Removes the rows prepared for `spid` once its report has read them, on the
// embedded database only: there every report connection gets a number of
// its own, never given again, so no later preparation would replace them.
// On SQL Server a process number comes back, and the next preparation under
// it replaces its rows. A failure is logged and shown by exec_command.
void finPreparation(Contexte& ctx, qint32 spid);

// Replaces the rows of `spid` by the shipment's rows of the view
// controle_qte_gamme, in report order, with a subtotal row "S/T" after each
// article managed in ranges; in one transaction on `base`, so a failure
// leaves the previous rows rather than half a report. Same results as
// prepaEtatControleQteGamme.
bool prepaEtatControleQteGamme_old(Contexte& ctx, db::Base& base, qint32 noExp, qint32 spid);

} // namespace tarvo::editions
