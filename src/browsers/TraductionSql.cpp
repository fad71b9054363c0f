#include "TraductionSql.h"

#include "SqlNavigateurs.h"

#include <QDateTime>

namespace tarvo::navigateurs {
namespace {

QString colonne(const Champ& champ) {
    return u'[' + champ.nom + u']';
}

QString parametre(SqlLie& lie, const QVariant& valeur) {
    const QString nom = QStringLiteral(":v") + QString::number(lie.valeurs.size());
    lie.valeurs.append({nom, valeur});
    return nom;
}

// What a bound value becomes on both engines: a whole day is its first
// moment; the data layer stores moments as the same text as the columns.
QVariant valeurLiee(const QVariant& valeur) {
    if (valeur.typeId() == QMetaType::QDate)
        return QDateTime(valeur.toDate(), QTime(0, 0));
    return valeur;
}

QString clause(const Critere& critere, SqlLie& lie) {
    const QString f = colonne(critere.champ);
    const QVariant& v = critere.valeur;
    const bool jour = v.typeId() == QMetaType::QDate;
    switch (critere.operateur) {
    case Operateur::Egal:
        if (v.isNull())
            return f + QStringLiteral(" IS NULL");
        if (jour)
            return u'(' + f + QStringLiteral(" >= ") + parametre(lie, valeurLiee(v)) +
                   QStringLiteral(" AND ") + f + QStringLiteral(" < ") +
                   parametre(lie, QDateTime(v.toDate().addDays(1), QTime(0, 0))) + u')';
        return f + QStringLiteral(" = ") + parametre(lie, v);
    case Operateur::Different:
        if (v.isNull())
            return f + QStringLiteral(" IS NOT NULL");
        if (jour)
            return u'(' + f + QStringLiteral(" IS NULL OR ") + f + QStringLiteral(" < ") +
                   parametre(lie, valeurLiee(v)) + QStringLiteral(" OR ") + f +
                   QStringLiteral(" >= ") +
                   parametre(lie, QDateTime(v.toDate().addDays(1), QTime(0, 0))) + u')';
        return u'(' + f + QStringLiteral(" IS NULL OR ") + f + QStringLiteral(" <> ") +
               parametre(lie, v) + u')';
    case Operateur::Comme:
        return f + QStringLiteral(" LIKE ") + parametre(lie, MotifLike(v.toString(), true)) +
               QStringLiteral(" ESCAPE '\\'");
    case Operateur::Contient:
        return f + QStringLiteral(" LIKE ") +
               parametre(lie, u'%' + MotifLike(v.toString(), false) + u'%') +
               QStringLiteral(" ESCAPE '\\'");
    }
    return {};
}

} // namespace

QString MotifLike(const QString& texte, bool jokers) {
    QString motif;
    motif.reserve(texte.size() + 4);
    for (const QChar c : texte) {
        if (c == u'\\' || c == u'_' || c == u'[' || (c == u'%' && !jokers))
            motif.append(u'\\');
        motif.append(c);
    }
    return motif;
}

TraductionSql::TraductionSql(const TableNavigable& table, db::Moteur moteur, QVariant borne)
    : table_(table), moteur_(moteur), borne_(std::move(borne)), nom_(table.nom->pour(moteur)),
      cle_(table.cle->pour(moteur)) {}

SqlLie TraductionSql::derniereCle() const {
    return {QStringLiteral("SELECT MAX(") + cle_ + QStringLiteral(") FROM ") + nom_, {}};
}

QStringList TraductionSql::conditions(const Vue& vue, const Critere* supplement,
                                      SqlLie& lie) const {
    QStringList clauses;
    if (table_.instantane && !borne_.isNull())
        clauses << cle_ + QStringLiteral(" <= ") + parametre(lie, borne_);
    for (const Critere& critere : vue.filtre)
        clauses << clause(critere, lie);
    if (supplement != nullptr)
        clauses << clause(*supplement, lie);
    return clauses;
}

QString TraductionSql::clauseWhere(const QStringList& clauses) {
    return clauses.isEmpty() ? QString()
                             : QStringLiteral(" WHERE ") + clauses.join(QStringLiteral(" AND "));
}

QString TraductionSql::ordre(const Vue& vue) const {
    if (!vue.tri)
        return QStringLiteral(" ORDER BY ") + cle_;
    const QString sens = vue.tri->descendant ? QStringLiteral(" DESC") : QStringLiteral(" ASC");
    const QString f = colonne(vue.tri->champ);
    // The server refuses a column named twice in an order.
    if (f == cle_)
        return QStringLiteral(" ORDER BY ") + f + sens;
    return QStringLiteral(" ORDER BY ") + f + sens + QStringLiteral(", ") + cle_ + sens;
}

SqlLie TraductionSql::comptage(const Vue& vue) const {
    SqlLie lie;
    lie.texte =
        QStringLiteral("SELECT COUNT(*) FROM ") + nom_ + clauseWhere(conditions(vue, nullptr, lie));
    return lie;
}

QString TraductionSql::selection() const {
    QStringList colonnes{cle_};
    for (const Champ& champ : table_.champs)
        colonnes << colonne(champ);
    return QStringLiteral("SELECT ") + colonnes.join(QStringLiteral(", ")) +
           QStringLiteral(" FROM ") + nom_;
}

SqlLie TraductionSql::lignes(const Vue& vue) const {
    SqlLie lie;
    lie.texte = selection() + clauseWhere(conditions(vue, nullptr, lie)) + ordre(vue);
    return lie;
}

SqlLie TraductionSql::page(const Vue& vue, qint64 debut, int nombre) const {
    SqlLie lie = lignes(vue);
    lie.texte += sql::Page.pour(moteur_);
    lie.valeurs.append({QStringLiteral(":debut"), debut});
    lie.valeurs.append({QStringLiteral(":nombre"), nombre});
    return lie;
}

SqlLie TraductionSql::premiere(const Vue& vue, const Critere& critere) const {
    SqlLie lie;
    const QString tri = vue.tri ? colonne(vue.tri->champ) : cle_;
    lie.texte = QStringLiteral("SELECT ") + tri + QStringLiteral(", ") + cle_ +
                QStringLiteral(" FROM ") + nom_;
    lie.texte +=
        clauseWhere(conditions(vue, &critere, lie)) + ordre(vue) + sql::PremiereLigne.pour(moteur_);
    return lie;
}

QString TraductionSql::position(const Vue& vue, const QVariant& valeurTri, const QVariant& cle,
                                bool avant, SqlLie& lie) const {
    const QString r = parametre(lie, cle);
    if (!vue.tri)
        return cle_ + (avant ? QStringLiteral(" < ") : QStringLiteral(" > ")) + r;
    const QString f = colonne(vue.tri->champ);
    // In (column, key) order with empty values first, as both engines sort
    // them ascending; a descending view reads that order backwards.
    const bool plusGrands = avant == vue.tri->descendant;
    if (valeurTri.isNull())
        return plusGrands ? u'(' + f + QStringLiteral(" IS NOT NULL OR ") + cle_ +
                                QStringLiteral(" > ") + r + u')'
                          : u'(' + f + QStringLiteral(" IS NULL AND ") + cle_ +
                                QStringLiteral(" < ") + r + u')';
    // The empty values on the smaller side are the caller's: an OR with them
    // would keep the engine from searching its index.
    const QString x = parametre(lie, valeurTri);
    return (plusGrands ? sql::Suivant : sql::Precedent).pour(moteur_).arg(f, cle_, x, r);
}

bool TraductionSql::videsEnPlus(const Vue& vue, const QVariant& valeurTri, bool avant) {
    return vue.tri && !valeurTri.isNull() && avant != vue.tri->descendant;
}

bool TraductionSql::videsApres(const Vue& vue, const QVariant& valeurTri) {
    return videsEnPlus(vue, valeurTri, false);
}

QString TraductionSql::vides(const Vue& vue) const {
    return colonne(vue.tri->champ) + QStringLiteral(" IS NULL");
}

SqlLie TraductionSql::rangAvant(const Vue& vue, const QVariant& valeurTri,
                                const QVariant& cle) const {
    SqlLie lie;
    QStringList clauses = conditions(vue, nullptr, lie);
    clauses << position(vue, valeurTri, cle, true, lie);
    const QString avant = QStringLiteral("SELECT COUNT(*) FROM ") + nom_ + clauseWhere(clauses);
    if (!videsEnPlus(vue, valeurTri, true)) {
        lie.texte = avant;
        return lie;
    }
    QStringList videsAvant = conditions(vue, nullptr, lie);
    videsAvant << vides(vue);
    lie.texte = QStringLiteral("SELECT (") + avant + QStringLiteral(") + (SELECT COUNT(*) FROM ") +
                nom_ + clauseWhere(videsAvant) + u')';
    return lie;
}

SqlLie TraductionSql::pageApres(const Vue& vue, const QVariant& valeurTri, const QVariant& cle,
                                int nombre) const {
    SqlLie lie;
    QStringList clauses = conditions(vue, nullptr, lie);
    clauses << position(vue, valeurTri, cle, false, lie);
    lie.texte = selection() + clauseWhere(clauses) + ordre(vue) + sql::Page.pour(moteur_);
    lie.valeurs.append({QStringLiteral(":debut"), qint64{0}});
    lie.valeurs.append({QStringLiteral(":nombre"), nombre});
    return lie;
}

SqlLie TraductionSql::pageVides(const Vue& vue, int nombre) const {
    SqlLie lie;
    QStringList clauses = conditions(vue, nullptr, lie);
    clauses << vides(vue);
    lie.texte = selection() + clauseWhere(clauses) + ordre(vue) + sql::Page.pour(moteur_);
    lie.valeurs.append({QStringLiteral(":debut"), qint64{0}});
    lie.valeurs.append({QStringLiteral(":nombre"), nombre});
    return lie;
}

} // namespace tarvo::navigateurs
