#pragma once

#include "db/Connexion.h"

namespace tarvo {

struct Contexte;

// Reads [DB] of TARVOX.ini into connection settings for the given login.
ParametresConnexion ParametresDepuisIni(Contexte& ctx, const QString& utilisateur,
                                        const QString& motDePasse);

// Opens Cnx; on failure shows the "Problème de connexion" box and returns false.
bool ConnexionBase(Contexte& ctx, const QString& utilisateur, const QString& motDePasse);

// (Re)opens ConxReport on the same database with the same login as Cnx: a
// connection of its own. Raises ErreurTarvo on failure.
void init_dataenv_connection(Contexte& ctx);

} // namespace tarvo
