#pragma once

#include <QString>
#include <optional>

namespace tarvo {

// How a core routine talks to the person in front of the program. The desktop
// program shows Qt dialogs, tarvoctl prints to standard error, tests record.
class Prompts {
public:
    enum class Icone { Aucune, Critique, Exclamation, Information, Question };
    enum class Reponse { Oui, Non, Annuler };

    virtual ~Prompts();

    // An empty title means the program's default title.
    virtual void message(Icone icone, const QString& titre, const QString& texte) = 0;
    virtual bool question(Icone icone, const QString& titre, const QString& texte,
                          bool ouiParDefaut) = 0;
    // Yes, no or cancel, "Oui" the default button; closing the box cancels.
    virtual Reponse questionAnnulable(Icone icone, const QString& titre, const QString& texte) = 0;
    // Empty optional when the person cancels.
    virtual std::optional<QString> saisie(const QString& titre, const QString& texte,
                                          const QString& defaut) = 0;
    // Empty text when the person cancels.
    virtual QString choisirFichier(const QString& titre, const QString& filtre) = 0;

    void critique(const QString& titre, const QString& texte) {
        message(Icone::Critique, titre, texte);
    }
    void exclamation(const QString& titre, const QString& texte) {
        message(Icone::Exclamation, titre, texte);
    }
    void information(const QString& titre, const QString& texte) {
        message(Icone::Information, titre, texte);
    }
};

// The program's default title, used by boxes that have none of their own.
QString titreParDefaut();

} // namespace tarvo
