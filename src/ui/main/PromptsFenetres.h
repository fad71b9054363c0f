#pragma once

#include "base/Prompts.h"

class QWidget;

namespace tarvo::ui {

// The boxes of the desktop program: Qt dialogs owned by the given window.
class PromptsFenetres : public Prompts {
public:
    explicit PromptsFenetres(QWidget* proprietaire = nullptr) : proprietaire_(proprietaire) {}
    void setProprietaire(QWidget* proprietaire) { proprietaire_ = proprietaire; }

    void message(Icone icone, const QString& titre, const QString& texte) override;
    bool question(Icone icone, const QString& titre, const QString& texte,
                  bool ouiParDefaut) override;
    Reponse questionAnnulable(Icone icone, const QString& titre, const QString& texte) override;
    std::optional<QString> saisie(const QString& titre, const QString& texte,
                                  const QString& defaut) override;
    QString choisirFichier(const QString& titre, const QString& filtre) override;

private:
    QWidget* proprietaire_;
};

} // namespace tarvo::ui
