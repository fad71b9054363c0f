#include "Contexte.h"

#include "Connexion.h"

#include <QDir>

namespace tarvo {

Contexte::Contexte(QString dossier, Prompts& p, Feedback& f, const Clock& h)
    : dossierProgramme(std::move(dossier)), prompts(p), feedback(f), horloge(h) {}

Contexte::~Contexte() = default;

QString Contexte::chemin(const QString& nomFichier) const {
    return QDir(dossierProgramme).filePath(nomFichier);
}

} // namespace tarvo
