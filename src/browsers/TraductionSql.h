#pragma once

#include "Tables.h"
#include "db/Dialecte.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <utility>

namespace tarvo::navigateurs {

// A statement and the values of its named parameters.
struct SqlLie {
    QString texte;
    QList<std::pair<QString, QVariant>> valeurs;
};

// Turns a browser's view (filter and sort as data) into the statements that
// run where the data is. The rows of a query are: the row's key, then the
// table's columns in grid order. The order is always total: the sort column,
// then the key in the same direction, so that a page follows the previous
// one and a row's position can be counted.
class TraductionSql {
public:
    // `borne`: the greatest key a snapshot table shows; null for every row.
    TraductionSql(const TableNavigable& table, db::Moteur moteur, QVariant borne = {});

    // The greatest key the table holds now.
    SqlLie derniereCle() const;
    SqlLie comptage(const Vue& vue) const;
    SqlLie lignes(const Vue& vue) const;
    SqlLie page(const Vue& vue, qint64 debut, int nombre) const;
    // The first row, in the view's order, that meets `critere` too: its
    // sort column's value (its key without a sort), then its key.
    SqlLie premiere(const Vue& vue, const Critere& critere) const;
    // How many rows of the view come before the row whose sort value and key
    // are given.
    SqlLie rangAvant(const Vue& vue, const QVariant& valeurTri, const QVariant& cle) const;

    // The `nombre` rows that follow, in the view's order, the row whose sort
    // value and key are given: the next page without walking the previous
    // ones.
    // Without the empty values of the sort column when they come after
    // (videsApres): those are read from the start with pageVides.
    SqlLie pageApres(const Vue& vue, const QVariant& valeurTri, const QVariant& cle,
                     int nombre) const;
    SqlLie pageVides(const Vue& vue, int nombre) const;
    static bool videsApres(const Vue& vue, const QVariant& valeurTri);

private:
    QString selection() const;
    // The rows before (or after) one row in the view's order.
    QString position(const Vue& vue, const QVariant& valeurTri, const QVariant& cle, bool avant,
                     SqlLie& lie) const;
    static bool videsEnPlus(const Vue& vue, const QVariant& valeurTri, bool avant);
    QString vides(const Vue& vue) const;
    QStringList conditions(const Vue& vue, const Critere* supplement, SqlLie& lie) const;
    static QString clauseWhere(const QStringList& clauses);
    QString ordre(const Vue& vue) const;

    const TableNavigable& table_;
    db::Moteur moteur_;
    QVariant borne_;
    QString nom_;
    QString cle_;
};

// The LIKE pattern that finds `texte` as written: its "\", "_" and "[" are
// escaped, and its "%" too unless `jokers` keeps them as wildcards.
QString MotifLike(const QString& texte, bool jokers);

} // namespace tarvo::navigateurs
