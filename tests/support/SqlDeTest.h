#pragma once

#include "base/Erreur.h"
#include "db/Requete.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <optional>

namespace tarvo {
class Connexion;
}

namespace tarvo::test {

// A test's own statements, run on a connection of the program through
// db::Base, the way the program runs its catalogues: the embedded database
// through its own handle, the ODBC path through QtSql. Each '?' outside
// quotes and brackets takes the next of `valeurs`, the way the tests write
// their rows. A refused statement is fatal to the test program, with its
// text, except through refus().

// The statement prepared, its values bound; raises ErreurTarvo.
db::Requete preparer(Connexion& cnx, const QString& texte, const QVariantList& valeurs = {});

void sql(Connexion& cnx, const QString& texte, const QVariantList& valeurs = {});
// A text of several statements without values.
void script(Connexion& cnx, const QString& texte);
// The first column of the first row; invalid when there is no row.
QVariant valeur(Connexion& cnx, const QString& texte, const QVariantList& valeurs = {});
qint64 nombre(Connexion& cnx, const QString& texte, const QVariantList& valeurs = {});
// Every row, each as its list of values.
QList<QVariantList> rangees(Connexion& cnx, const QString& texte, const QVariantList& valeurs = {});
// Every row, each as its columns joined by "|", NULL as "∅", moments and
// decimals written alike on every engine.
QStringList lignes(Connexion& cnx, const QString& texte, const QVariantList& valeurs = {});
// The error of a statement the database refuses; none when it runs.
std::optional<ErreurTarvo> refus(Connexion& cnx, const QString& texte,
                                 const QVariantList& valeurs = {});

// A query read row by row, run as it is made: a statement without rows has
// run once it is made. A refusal is kept in erreur() rather than fatal, for
// a test to report with its own check.
class Lecture {
public:
    Lecture(Connexion& cnx, const QString& texte, const QVariantList& valeurs = {});

    // Empty when the statement ran.
    const QString& erreur() const { return erreur_; }
    // Moves to the next row, the first on the first call; false after the last.
    bool suivante();
    int nombreColonnes() const;
    QVariant valeur(int colonne) const;
    QVariant valeur(const QString& colonne) const;

private:
    std::optional<db::Requete> requete_;
    QString erreur_;
    bool premiere_ = false;
    bool lue_ = false;
    bool fini_ = false;
};

} // namespace tarvo::test
