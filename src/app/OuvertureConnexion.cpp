#include "OuvertureConnexion.h"

#include "Contexte.h"
#include "base/FormesMessages.h"
#include "base/Ini.h"
#include "db/Schema.h"

#include <QDir>

namespace tarvo {
namespace {

const QString SourceConnexion = QStringLiteral("Connexion");
const QString PiloteOdbcParDefaut = QStringLiteral("ODBC Driver 18 for SQL Server");

} // namespace

ParametresConnexion ParametresDepuisIni(Contexte& ctx, const QString& utilisateur,
                                        const QString& motDePasse) {
    const QString section = QStringLiteral("[DB]");
    ParametresConnexion p;
    const QString fournisseur = LireIni(ctx, QStringLiteral("PROVIDER"), section);
    p.moteur = fournisseur.compare(QStringLiteral("SQLITE"), Qt::CaseInsensitive) == 0
                   ? db::Moteur::SQLite
                   : db::Moteur::SqlServer;
    p.serveur = LireIni(ctx, QStringLiteral("SERVERNAME"), section);
    p.base = LireIni(ctx, QStringLiteral("DBNAME"), section);
    if (p.moteur == db::Moteur::SQLite && !p.base.isEmpty())
        p.base = QDir::cleanPath(QDir(ctx.dossierProgramme).absoluteFilePath(p.base));
    p.piloteOdbc = LireIni(ctx, QStringLiteral("ODBCDRIVER"), section);
    if (p.piloteOdbc.isEmpty())
        p.piloteOdbc = PiloteOdbcParDefaut;
    p.chiffrement = LireIni(ctx, QStringLiteral("ENCRYPT"), section);
    p.confianceCertificat = LireIni(ctx, QStringLiteral("TRUSTSERVERCERTIFICATE"), section);
    p.integre = ctx.modeSecurite == QStringLiteral("INTEG");
    p.utilisateur = utilisateur;
    p.motDePasse = motDePasse;
    return p;
}

bool ConnexionBase(Contexte& ctx, const QString& utilisateur, const QString& motDePasse) {
    ctx.cnx = std::make_unique<Connexion>(QStringLiteral("Cnx"));
    Erreur erreur;
    bool ouverte = false;
    try {
        const ParametresConnexion p = ParametresDepuisIni(ctx, utilisateur, motDePasse);
        if (p.moteur == db::Moteur::SQLite && !p.integre) {
            erreur = {NumeroErreur::Base, SourceConnexion,
                      QStringLiteral("La base embarquée (PROVIDER=SQLITE) n'a pas de comptes "
                                     "utilisateurs : aucun mot de passe ne peut y être vérifié. "
                                     "Indiquez SECURITYMODE=INTEG dans la section [DB] de ") +
                          NomFichierIni + u'.'};
        } else {
            ctx.cnx->ouvrir(p);
            db::MettreAJourSchema(*ctx.cnx, ctx.feedback);
            ouverte = true;
        }
    } catch (const ErreurTarvo& e) {
        // A schema refused leaves no connection half usable.
        ctx.cnx->fermer();
        erreur = e.erreur();
    }
    if (!ouverte)
        afficherErreurDetaillee(ctx, QStringLiteral("Problème de connexion"), erreur);
    return ouverte;
}

void init_dataenv_connection(Contexte& ctx) {
    if (!ctx.cnx || !ctx.cnx->estOuverte())
        throw ErreurTarvo(NumeroErreur::Base, SourceConnexion,
                          QStringLiteral("La connexion principale n'est pas ouverte."));
    ctx.conxReport = std::make_unique<Connexion>(QStringLiteral("ConxReport"));
    ctx.conxReport->ouvrir(ctx.cnx->parametres());
}

} // namespace tarvo
