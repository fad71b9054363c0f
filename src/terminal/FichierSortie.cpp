#include "FichierSortie.h"

#include "base/Erreur.h"
#include "base/FichierRegulier.h"

namespace tarvo::terminal {
namespace {

constexpr qsizetype TailleBloc = 1 << 20;

}

FichierSortie::FichierSortie(const QString& chemin, const QString& cleIni, const QString& source)
    : fichier_(chemin), source_(source) {
    if (chemin.isEmpty())
        throw ErreurTarvo(NumeroErreur::FichierIllisible, source_,
                          QStringLiteral("Aucun chemin de fichier n'est indiqué (clé ") + cleIni +
                              QStringLiteral(" de la section [SCANPAL2])."));
    // The terminal folder is shared: a link planted under the name would
    // have the file written wherever it points.
    fichiers::exigerOrdinaireOuAbsent(chemin, source_);
    if (!fichier_.open(QIODevice::WriteOnly))
        echec(QStringLiteral("créer"), fichier_.errorString());
    tampon_.reserve(TailleBloc + 256);
}

void FichierSortie::ecrireLigne(QByteArrayView ligne) {
    tampon_.append(ligne);
    tampon_.append("\r\n", 2);
    if (tampon_.size() >= TailleBloc)
        vider();
}

void FichierSortie::vider() {
    if (fichier_.write(tampon_) != tampon_.size())
        abandonner(QStringLiteral("écrire"));
    tampon_.resize(0);
}

void FichierSortie::valider() {
    vider();
    // The last bytes may wait in the device's buffer: on a full disk only
    // this flush fails, and the commit must not put an incomplete file in
    // place of the previous one.
    if (!fichier_.flush())
        abandonner(QStringLiteral("écrire"));
    if (!fichier_.commit())
        echec(QStringLiteral("enregistrer"), fichier_.errorString());
}

void FichierSortie::abandonner(const QString& action) {
    const QString raison = fichier_.errorString();
    fichier_.cancelWriting();
    echec(action, raison);
}

void FichierSortie::echec(const QString& action, const QString& raison) const {
    throw ErreurTarvo(NumeroErreur::FichierIllisible, source_,
                      QStringLiteral("Impossible de %1 le fichier %2 : %3")
                          .arg(action, fichier_.fileName(), raison));
}

} // namespace tarvo::terminal
