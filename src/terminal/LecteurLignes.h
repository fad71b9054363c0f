#pragma once

#include <QByteArray>
#include <QCryptographicHash>
#include <QFile>

namespace tarvo::terminal {

// Reads a terminal data file one line at a time through a fixed buffer, so
// that memory does not grow with the file. A line ends at CR LF, at a CR or an
// LF alone, or at the end of the file: files copied through other systems
// keep their lines whatever their line ends became.
class LecteurLignes {
public:
    // Raises ErreurTarvo with `source` when the file cannot be opened.
    LecteurLignes(const QString& chemin, const QString& source);

    qint64 taille() const { return taille_; }
    // When the file was last written, in milliseconds since 1970 UTC, as it
    // stood when it was opened.
    qint64 modification() const { return modification_; }
    // The next line, without its end, in `ligne`; false at the end of the file.
    bool suivante(QByteArray& ligne);
    void fermer() { fichier_.close(); }
    // How many bytes were read: the whole file's once suivante() has returned
    // false, bytes appended since the opening included.
    qint64 octetsLus() const { return octetsLus_; }
    // SHA-256 of the bytes read so far, in hexadecimal: the whole file's once
    // suivante() has returned false.
    QString empreinte() const { return QString::fromLatin1(empreinte_.result().toHex()); }

private:
    bool remplir();

    QFile fichier_;
    QString source_;
    qint64 taille_ = 0;
    qint64 modification_ = 0;
    qint64 octetsLus_ = 0;
    QByteArray tampon_;
    qsizetype position_ = 0;
    bool apresCR_ = false;
    QCryptographicHash empreinte_{QCryptographicHash::Sha256};
};

} // namespace tarvo::terminal
