#pragma once

#include "base/Prompts.h"

#include <QStringList>
#include <cstdio>

namespace banc {

// The boxes of a benchmark's run: every message on standard error but
// those titled as `muets` (the expected end of a run), every question
// answered yes, every input answered `valeur`.
class PromptsBanc : public tarvo::Prompts {
public:
    explicit PromptsBanc(QStringList muets = {}) : muets_(std::move(muets)) {}

    void message(Icone, const QString& titre, const QString& texte) override {
        if (!muets_.contains(titre))
            std::fprintf(stderr, "%s\n%s\n", qPrintable(titre), qPrintable(texte));
    }
    bool question(Icone, const QString&, const QString&, bool) override { return true; }
    Reponse questionAnnulable(Icone, const QString&, const QString&) override {
        return Reponse::Oui;
    }
    std::optional<QString> saisie(const QString&, const QString&, const QString&) override {
        return valeur;
    }
    QString choisirFichier(const QString&, const QString&) override { return {}; }

    std::optional<QString> valeur;

private:
    QStringList muets_;
};

} // namespace banc
