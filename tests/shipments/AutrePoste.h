#pragma once

#include "PromptsScriptes.h"
#include "app/Contexte.h"
#include "db/Connexion.h"

#include <memory>

namespace tarvo::test {

// Another workstation on the database of a test: a connection of its own to
// the same file, with its own boxes. Usable only in the thread that builds it,
// as every database connection.
class AutrePoste {
public:
    AutrePoste(const QString& dossierProgramme, const ParametresConnexion& parametres);
    ~AutrePoste();

    PromptsScriptes prompts;
    FeedbackEnregistre feedback;
    HorlogeFixe horloge;
    std::unique_ptr<Contexte> ctx;
};

} // namespace tarvo::test
