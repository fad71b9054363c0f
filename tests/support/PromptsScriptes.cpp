#include "PromptsScriptes.h"

#include <QTest>

namespace tarvo::test {

void PromptsScriptes::message(Icone icone, const QString& titre, const QString& texte) {
    boites.append({icone, titre, texte});
}

bool PromptsScriptes::question(Icone icone, const QString& titre, const QString& texte,
                               bool ouiParDefaut) {
    boites.append({icone, titre, texte, true, ouiParDefaut});
    if (reponses.isEmpty()) {
        qWarning("Question sans réponse préparée : %s", qPrintable(texte));
        return false;
    }
    return reponses.dequeue();
}

Prompts::Reponse PromptsScriptes::questionAnnulable(Icone icone, const QString& titre,
                                                    const QString& texte) {
    boites.append({icone, titre, texte, true, true});
    if (choix.isEmpty()) {
        qWarning("Question sans réponse préparée : %s", qPrintable(texte));
        return Reponse::Annuler;
    }
    return choix.dequeue();
}

std::optional<QString> PromptsScriptes::saisie(const QString& titre, const QString& texte,
                                               const QString&) {
    boites.append({Icone::Question, titre, texte, true});
    return saisies.isEmpty() ? std::nullopt : saisies.dequeue();
}

QString PromptsScriptes::choisirFichier(const QString& titre, const QString&) {
    boites.append({Icone::Question, titre, QString(), true});
    return fichiers.isEmpty() ? QString() : fichiers.dequeue();
}

QStringList PromptsScriptes::titresEtTextes() const {
    QStringList textes;
    for (const Boite& b : boites)
        textes << b.titre + u'|' + b.texte;
    return textes;
}

} // namespace tarvo::test
