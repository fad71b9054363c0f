#include "ParametresNommes.h"

#include "base/Erreur.h"

namespace tarvo::db {
namespace {

bool debutNom(QChar c) {
    return c.isLetter() || c == u'_';
}

bool suiteNom(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

// The index just after a quoted part that opens at `i` and closes with `fin`
// (a doubled `fin` stands for itself).
qsizetype apresCitation(const QString& sql, qsizetype i, QChar fin) {
    for (qsizetype j = i + 1; j < sql.size(); ++j) {
        if (sql[j] != fin)
            continue;
        if (j + 1 < sql.size() && sql[j + 1] == fin && fin != u']') {
            ++j;
            continue;
        }
        return j + 1;
    }
    return sql.size();
}

} // namespace

ParametresNommes ParametresNommes::analyser(const QString& sql) {
    ParametresNommes p;
    p.textePositionnel.reserve(sql.size());
    qsizetype i = 0;
    while (i < sql.size()) {
        const QChar c = sql[i];
        qsizetype fin = i + 1;
        if (c == u'\'' || c == u'"')
            fin = apresCitation(sql, i, c);
        else if (c == u'[')
            fin = apresCitation(sql, i, u']');
        else if (c == u'-' && i + 1 < sql.size() && sql[i + 1] == u'-') {
            fin = sql.indexOf(u'\n', i);
            fin = fin < 0 ? sql.size() : fin;
        } else if (c == u'?') {
            throw ErreurTarvo(NumeroErreur::Base, QStringLiteral("SQL"),
                              QStringLiteral("Paramètre positionnel '?' dans : ") + sql);
        } else if (c == u':' && i + 1 < sql.size() && debutNom(sql[i + 1])) {
            fin = i + 2;
            while (fin < sql.size() && suiteNom(sql[fin]))
                ++fin;
            const QString nom = sql.mid(i + 1, fin - i - 1);
            int rang = static_cast<int>(p.noms.indexOf(nom));
            if (rang < 0) {
                rang = static_cast<int>(p.noms.size());
                p.noms.append(nom);
            }
            p.occurrences.append(rang);
            p.textePositionnel.append(u'?');
            i = fin;
            continue;
        }
        p.textePositionnel.append(QStringView(sql).mid(i, fin - i));
        i = fin;
    }
    return p;
}

int ParametresNommes::rang(QStringView nom) const {
    if (nom.startsWith(u':'))
        nom = nom.mid(1);
    for (qsizetype i = 0; i < noms.size(); ++i) {
        if (noms.at(i) == nom)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace tarvo::db
