#include "LecteurLignes.h"

#include "app/Erreur.h"

#include <QDateTime>

namespace tarvo::terminal {
namespace {

constexpr qsizetype TailleTampon = 1 << 16;

}

LecteurLignes::LecteurLignes(const QString& chemin, const QString& source)
    : fichier_(chemin), source_(source) {
    if (!fichier_.open(QIODevice::ReadOnly))
        throw ErreurTarvo(NumeroErreur::FichierIllisible, source_,
                          QStringLiteral("Impossible d'ouvrir le fichier %1 : %2")
                              .arg(chemin, fichier_.errorString()));
    taille_ = fichier_.size();
    modification_ = fichier_.fileTime(QFileDevice::FileModificationTime).toMSecsSinceEpoch();
}

bool LecteurLignes::remplir() {
    tampon_.resize(TailleTampon);
    const qint64 lus = fichier_.read(tampon_.data(), TailleTampon);
    if (lus < 0)
        throw ErreurTarvo(NumeroErreur::FichierIllisible, source_,
                          QStringLiteral("Lecture impossible du fichier %1 : %2")
                              .arg(fichier_.fileName(), fichier_.errorString()));
    tampon_.resize(lus);
    empreinte_.addData(tampon_);
    position_ = 0;
    return lus > 0;
}

bool LecteurLignes::suivante(QByteArray& ligne) {
    ligne.resize(0);
    bool lu = false;
    for (;;) {
        if (position_ >= tampon_.size() && !remplir())
            return lu;
        if (apresCR_) {
            apresCR_ = false;
            if (tampon_[position_] == '\n') {
                ++position_;
                continue;
            }
        }
        const qsizetype cr = tampon_.indexOf('\r', position_);
        if (cr < 0) {
            ligne.append(QByteArrayView(tampon_).sliced(position_));
            position_ = tampon_.size();
            lu = true;
            continue;
        }
        ligne.append(QByteArrayView(tampon_).sliced(position_, cr - position_));
        position_ = cr + 1;
        apresCR_ = true;
        return true;
    }
}

} // namespace tarvo::terminal
