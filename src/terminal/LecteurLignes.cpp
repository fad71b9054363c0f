#include "LecteurLignes.h"

#include "base/Erreur.h"
#include "base/FichierRegulier.h"

#include <algorithm>

namespace tarvo::terminal {
namespace {

constexpr qsizetype TailleTampon = 1 << 16;

}

LecteurLignes::LecteurLignes(const QString& chemin, const QString& source, Suite suite)
    : source_(source), suite_(std::move(suite)) {
    fichier_.setFileName(chemin);
    fichiers::ouvrirEnLecture(fichier_, chemin, source_);
    taille_ = fichier_.size();
}

qint64 LecteurLignes::modification() {
    // Asked of the system now: a time kept from the opening would miss what
    // a writer added since.
    return fichiers::etat(fichier_).modificationNs / 1000000;
}

bool LecteurLignes::remplir(bool ligneEntamee) {
    tampon_.resize(TailleTampon);
    qint64 lus = 0;
    do {
        lus = fichier_.read(tampon_.data(), TailleTampon);
        if (lus < 0)
            throw ErreurTarvo(NumeroErreur::FichierIllisible, source_,
                              QStringLiteral("Lecture impossible du fichier %1 : %2")
                                  .arg(fichier_.fileName(), fichier_.errorString()));
    } while (lus == 0 && suite_ && suite_(octetsLus_, ligneEntamee));
    tampon_.resize(lus);
    octetsLus_ += lus;
    empreinte_.addData(tampon_);
    position_ = 0;
    return lus > 0;
}

bool LecteurLignes::suivante(QByteArray& ligne) {
    ligne.resize(0);
    bool lu = false;
    sansFin_ = false;
    for (;;) {
        if (position_ >= tampon_.size() && !remplir(lu)) {
            sansFin_ = lu;
            return lu;
        }
        if (apresCR_) {
            apresCR_ = false;
            if (tampon_[position_] == '\n') {
                ++position_;
                continue;
            }
        }
        const char* debut = tampon_.constData() + position_;
        const char* finTampon = tampon_.constData() + tampon_.size();
        const char* fin =
            std::find_if(debut, finTampon, [](char c) { return c == '\r' || c == '\n'; });
        if (ligne.size() + (fin - debut) > LongueurMaximale)
            throw ErreurTarvo(NumeroErreur::DonneeInvalide, source_,
                              QStringLiteral("La ligne dépasse %1 octets : ce n'est pas une "
                                             "ligne de terminal (fichier %2).")
                                  .arg(LongueurMaximale)
                                  .arg(fichier_.fileName()));
        ligne.append(QByteArrayView(debut, fin));
        position_ = fin - tampon_.constData();
        if (fin == finTampon) {
            lu = true;
            continue;
        }
        ++position_;
        // A CR may be the first half of a CR LF that the next block completes.
        apresCR_ = *fin == '\r';
        return true;
    }
}

} // namespace tarvo::terminal
