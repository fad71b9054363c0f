#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace tarvo::db {

// The named parameters (:noExpedition) of a statement text. A name may occur
// several times: every occurrence takes the same value.
struct ParametresNommes {
    // Each distinct name once, without its colon, in order of first use.
    QStringList noms;
    // For each occurrence in the text, the rank of its name in `noms`.
    QList<int> occurrences;
    // The text with every occurrence replaced by '?', for drivers that bind
    // by position only.
    QString textePositionnel;

    // Quoted texts, bracketed or double-quoted names and comments are skipped,
    // so that a ':' inside them is no parameter. Raises ErreurTarvo on a '?'
    // in the text: positional parameters are not used.
    static ParametresNommes analyser(const QString& sql);

    // The rank of a name in `noms`, or -1.
    int rang(QStringView nom) const;
};

} // namespace tarvo::db
