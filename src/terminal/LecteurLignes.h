#pragma once

#include <QByteArray>
#include <QCryptographicHash>
#include <QFile>
#include <functional>

namespace tarvo::terminal {

// Reads a terminal data file one line at a time through a fixed buffer, so
// that memory does not grow with the file. A line ends at CR LF, at a CR or an
// LF alone, or at the end of the file: files copied through other systems
// keep their lines whatever their line ends became.
class LecteurLignes {
public:
    // A terminal line is under a hundred bytes: a longer one is no terminal
    // line, and is refused before it is held whole.
    static constexpr qsizetype LongueurMaximale = 4096;

    // Asked at the end of the bytes written so far, with how many were read
    // and whether they end inside a line (no line end yet): true to read
    // again (a writer may still add some), false when the file is complete.
    using Suite = std::function<bool(qint64 octetsLus, bool ligneEntamee)>;

    // Opens a regular file reached without a link. Raises ErreurTarvo with
    // `source` when the file cannot be opened or is no such file.
    LecteurLignes(const QString& chemin, const QString& source, Suite suite = {});

    qint64 taille() const { return taille_; }
    // When the file was last written, in milliseconds since 1970 UTC, as it
    // stands now: read once the file is complete, it names that very file.
    qint64 modification();
    // The next line, without its end, in `ligne`; false at the end of the
    // file. Raises ErreurTarvo for a line over LongueurMaximale.
    bool suivante(QByteArray& ligne);
    // Whether the line suivante() gave last ran to the end of the file
    // without a line end: a terminal may still be writing it.
    bool derniereSansFin() const { return sansFin_; }
    void fermer() { fichier_.close(); }
    QFile& fichier() { return fichier_; }
    // How many bytes were read: the whole file's once suivante() has returned
    // false, bytes appended since the opening included.
    qint64 octetsLus() const { return octetsLus_; }
    // SHA-256 of the bytes read so far, in hexadecimal: the whole file's once
    // suivante() has returned false.
    QString empreinte() const { return QString::fromLatin1(empreinte_.result().toHex()); }

private:
    bool remplir(bool ligneEntamee);

    QFile fichier_;
    QString source_;
    Suite suite_;
    qint64 taille_ = 0;
    qint64 octetsLus_ = 0;
    QByteArray tampon_;
    qsizetype position_ = 0;
    bool apresCR_ = false;
    bool sansFin_ = false;
    QCryptographicHash empreinte_{QCryptographicHash::Sha256};
};

} // namespace tarvo::terminal
