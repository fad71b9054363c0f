#include "AccesDonnees.h"

#include "AccesQtSql.h"
#include "AccesSQLite.h"
#include "app/Connexion.h"
#include "app/Erreur.h"

namespace tarvo::terminal {

std::unique_ptr<AccesDonnees> ouvrirAcces(Connexion* cnx) {
    if (!cnx || !cnx->estOuverte())
        throw ErreurTarvo(NumeroErreur::Base, QStringLiteral("Connexion"),
                          QStringLiteral("La connexion à la base de données n'est pas ouverte."));
    if (cnx->moteur() == db::Moteur::SQLite) {
        if (sqlite3* base = poigneeSQLite(*cnx))
            return std::make_unique<AccesSQLite>(base);
    }
    return std::make_unique<AccesQtSql>(cnx->base(), cnx->moteur());
}

} // namespace tarvo::terminal
