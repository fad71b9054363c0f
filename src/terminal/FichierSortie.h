#pragma once

#include <QByteArray>
#include <QSaveFile>

namespace tarvo::terminal {

// A terminal file written completely beside its final place and only then put
// in place of the previous one: a terminal never loads half a file, and a run
// that fails leaves the previous file as it was. Lines are gathered in memory
// and written by blocks of 1 MiB. Failures raise ErreurTarvo with `source`.
class FichierSortie {
public:
    FichierSortie(const QString& chemin, const QString& cleIni, const QString& source);

    // One line, without its CR LF.
    void ecrireLigne(QByteArrayView ligne);
    // Writes the rest and replaces the previous file.
    void valider();

private:
    void vider();
    // Drops what was written, the previous file staying in place, and raises.
    [[noreturn]] void abandonner(const QString& action);
    [[noreturn]] void echec(const QString& action, const QString& raison) const;

    QSaveFile fichier_;
    QString source_;
    QByteArray tampon_;
};

} // namespace tarvo::terminal
