#pragma once

#include "BaseDeTest.h"
#include "db/TexteSql.h"

#include <QByteArray>
#include <QDateTime>
#include <QVariantList>
#include <initializer_list>
#include <utility>

namespace tarvo::test {

// The rows of a query (see lignes()) with the text of the engine the test
// connection runs on.
QStringList lignes(const BaseDeTest& t, const db::TexteSql& requete);

void ajouterExpedition(Connexion& db, qint64 numero, const QVariant& libelle1,
                       const QVariant& libelle2, int colis, bool cloturee = false);
void ajouterArticle(Connexion& db, const QString& code, const QVariant& libelle);

// A terminal line: spaces, each field text at its 1-based column, then the
// type code after a comma.
QByteArray ligneTerminal(std::initializer_list<std::pair<int, QByteArray>> champs,
                         const QByteArray& code);

// The five line layouts, as the terminals write them.
QByteArray ligneXA(int exp, int colis, const QByteArray& date, const QByteArray& heure,
                   const QByteArray& code, int quantite);
QByteArray ligneFA(int exp, int colis, const QByteArray& date, const QByteArray& heure,
                   const QByteArray& code, int quantite);
QByteArray ligneFP(int exp, int colis, const QByteArray& date, const QByteArray& heure,
                   const QByteArray& poids);
QByteArray ligneXP(int exp, int colis, const QByteArray& date, const QByteArray& heure,
                   const QByteArray& poids);
QByteArray ligneSA(int exp, const QByteArray& colis, const QByteArray& date,
                   const QByteArray& heure, const QByteArray& code, int quantite);

// Lines joined with CR LF, the last one too.
QByteArray fichier(const QList<QByteArray>& lignes);

// Writes the terminals' data file of `t` with these lines, modified at
// `modification`: a file written anew within the file system's clock
// resolution still reads as another file.
void ecrireData(const BaseDeTest& t, const QList<QByteArray>& lignes,
                const QDateTime& modification);

} // namespace tarvo::test
