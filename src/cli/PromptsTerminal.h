#pragma once

#include "base/Prompts.h"

#include <cstdio>

namespace tarvo::ctl {

// Every box goes to standard error: its title on one line, its text on the
// following lines, then an empty line. Questions are answered yes with --oui,
// asked on the terminal when standard input is one, and answered no otherwise.
class PromptsTerminal : public Prompts {
public:
    PromptsTerminal(bool ouiATout, std::FILE* sortie = stderr, std::FILE* entree = stdin);

    void message(Icone icone, const QString& titre, const QString& texte) override;
    bool question(Icone icone, const QString& titre, const QString& texte,
                  bool ouiParDefaut) override;
    // "Oui" with --oui; "Annuler" when nobody can answer.
    Reponse questionAnnulable(Icone icone, const QString& titre, const QString& texte) override;
    std::optional<QString> saisie(const QString& titre, const QString& texte,
                                  const QString& defaut) override;
    QString choisirFichier(const QString& titre, const QString& filtre) override;

private:
    void ecrireBoite(const QString& titre, const QString& texte);
    bool entreeInteractive() const;
    std::optional<QString> lireLigne();

    bool ouiATout_;
    std::FILE* sortie_;
    std::FILE* entree_;
};

} // namespace tarvo::ctl
