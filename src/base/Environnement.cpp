#include "Environnement.h"

#include <QDir>

namespace tarvo {

Environnement::Environnement(QString dossier, Prompts& p, Feedback& f, const Clock& h)
    : dossierProgramme(std::move(dossier)), prompts(p), feedback(f), horloge(h) {}

QString Environnement::chemin(const QString& nomFichier) const {
    return QDir(dossierProgramme).filePath(nomFichier);
}

} // namespace tarvo
