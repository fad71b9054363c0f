#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace tarvo::terminal {

// Error numbers of the failures the line readings raise themselves.
namespace NumeroErreurLigne {
constexpr qint64 ArgumentIncorrect = 5;
constexpr qint64 Depassement = 6;
constexpr qint64 TypeIncompatible = 13;
} // namespace NumeroErreurLigne

// Reading of the fields of one terminal line (Windows-1252 bytes). Columns are
// counted from 1 as in the line layouts. Failures raise ErreurTarvo with
// `source`, the name of the line routine. A number is its field's leading
// number, as the terminals and older files rely on; a field read only in
// part ("2-5" read 2, "1.6" taken as 2) adds a warning to `avertissements`.
class LectureChamps {
public:
    LectureChamps(QByteArrayView ligne, QString source, QStringList* avertissements = nullptr)
        : ligne_(ligne), source_(std::move(source)), avertissements_(avertissements) {}

    QByteArrayView ligne() const { return ligne_; }

    // `longueur` bytes from column `colonne`, fewer when the line ends sooner.
    QByteArrayView champ(qsizetype colonne, qsizetype longueur) const;
    // From `colonne` up to the first "," at or after it; `suite` receives the
    // column after that ",". A missing "," is a failure.
    QByteArrayView jusquAVirgule(qsizetype colonne, qsizetype* suite = nullptr) const;

    qint32 entier32(QByteArrayView champ, const QString& nom) const;
    qint16 entier16(QByteArrayView champ, const QString& nom) const;
    // A 32-bit floating-point value, given as the double nearest to its
    // shortest decimal form (12.3 stays 12.3 in the database).
    double reel32(QByteArrayView champ, const QString& nom) const;
    // The entry moment from a date field and a time field, as the text
    // yyyy-MM-dd HH:mm:ss.
    QString moment(QByteArrayView date, QByteArrayView heure) const;

    static QString texte(QByteArrayView champ);

    // Adds a warning about the line.
    void avertir(const QString& texte) const;

private:
    [[noreturn]] void echec(qint64 numero, const QString& description) const;
    double nombre(QByteArrayView champ, const QString& nom, bool& enPartie) const;
    void lueEnPartie(QByteArrayView champ, const QString& nom, double valeur) const;

    QByteArrayView ligne_;
    QString source_;
    QStringList* avertissements_;
};

// The leading number of a text: spaces, tabs and line feeds are skipped
// wherever they stand; an optional sign, digits, one decimal point and an
// exponent are taken up to the first other character. No digit reads as 0.
// False when the value is beyond the range of a double. `fin`, when given,
// receives the position after the last character taken.
bool nombreEnTete(QByteArrayView texte, double& valeur, qsizetype* fin = nullptr);

} // namespace tarvo::terminal
