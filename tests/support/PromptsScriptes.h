#pragma once

#include "base/Clock.h"
#include "base/Feedback.h"
#include "base/Prompts.h"

#include <QList>
#include <QQueue>
#include <QStringList>
#include <functional>

namespace tarvo::test {

// Records every box a routine shows and answers questions from a script.
class PromptsScriptes : public Prompts {
public:
    struct Boite {
        Icone icone;
        QString titre;
        QString texte;
        bool estQuestion = false;
        bool ouiParDefaut = false;
    };

    void message(Icone icone, const QString& titre, const QString& texte) override;
    bool question(Icone icone, const QString& titre, const QString& texte,
                  bool ouiParDefaut) override;
    Reponse questionAnnulable(Icone icone, const QString& titre, const QString& texte) override;
    std::optional<QString> saisie(const QString& titre, const QString& texte,
                                  const QString& defaut) override;
    QString choisirFichier(const QString& titre, const QString& filtre) override;

    // Answers given in order; a question with no answer left fails the test.
    QQueue<bool> reponses;
    QQueue<Reponse> choix;
    QQueue<std::optional<QString>> saisies;
    QQueue<QString> fichiers;
    QList<Boite> boites;

    void vider() { boites.clear(); }
    // Each box shown, as "title|text", in order: one comparison checks how
    // many boxes there were and what each of them said.
    QStringList titresEtTextes() const;
};

class FeedbackEnregistre : public Feedback {
public:
    void statut(const QString& texte) override {
        statuts << texte;
        if (aChaqueStatut)
            aChaqueStatut(texte);
    }
    void progression(int pourcentage) override { progressions << pourcentage; }
    QStringList statuts;
    QList<int> progressions;
    // Hears each status as it is shown, on the thread that shows it: a test
    // acts at the moment a routine says where it stands.
    std::function<void(const QString&)> aChaqueStatut;
};

class HorlogeFixe : public Clock {
public:
    explicit HorlogeFixe(QDateTime moment) : moment_(std::move(moment)) {}
    QDateTime maintenant() const override { return moment_; }
    void regler(QDateTime moment) { moment_ = std::move(moment); }

private:
    QDateTime moment_;
};

} // namespace tarvo::test
