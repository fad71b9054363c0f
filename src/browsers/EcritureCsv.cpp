#include "EcritureCsv.h"

#include "base/Erreur.h"
#include "base/FichierRegulier.h"

#include <QFileInfo>

namespace tarvo::navigateurs {

EcritureCsv::EcritureCsv(const QString& fichier, QString source)
    : fichier_(fichier), source_(std::move(source)), sortie_(fichier) {
    // The file replaces what the name holds, so the name must hold a regular
    // file or nothing: through a link it would write wherever the link points.
    if (QFileInfo(fichier).isDir() && !QFileInfo(fichier).isSymLink())
        throw ErreurTarvo(NumeroErreur::FichierIllisible, source_,
                          QStringLiteral("%1 est un dossier : indiquez le nom du fichier CSV à "
                                         "écrire.")
                              .arg(fichier));
    fichiers::exigerOrdinaireOuAbsent(fichier, source_);
    const RaisonSysteme raison;
    if (!sortie_.open(QIODevice::WriteOnly))
        echec(raison.apres(sortie_));
    tampon_.reserve(Seuil + 4096);
    tampon_.append("\xEF\xBB\xBF");
}

EcritureCsv::~EcritureCsv() {
    if (!fini_)
        sortie_.cancelWriting();
}

void EcritureCsv::echec(const QString& detail) const {
    throw ErreurTarvo(NumeroErreur::FichierIllisible, source_,
                      QStringLiteral("Écriture impossible de %1 : %2").arg(fichier_, detail));
}

void EcritureCsv::ligne(const QStringList& champs) {
    tampon_.append(champs.join(u';').toUtf8()).append("\r\n");
    if (tampon_.size() >= Seuil)
        vider();
}

void EcritureCsv::terminer() {
    vider();
    // The last bytes may wait in the device's buffer: on a full disk only
    // this flush fails.
    const RaisonSysteme raisonVidage;
    if (!sortie_.flush())
        echec(raisonVidage.apres(sortie_));
    fini_ = true;
    const RaisonSysteme raisonValidation;
    if (!sortie_.commit())
        echec(raisonValidation.apres(sortie_));
}

void EcritureCsv::vider() {
    const RaisonSysteme raison;
    if (sortie_.write(tampon_) != tampon_.size())
        echec(raison.apres(sortie_));
    tampon_.clear();
}

} // namespace tarvo::navigateurs
