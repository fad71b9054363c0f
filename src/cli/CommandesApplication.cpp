#include "CommandesApplication.h"

#include "app/Contexte.h"
#include "app/OuvertureConnexion.h"
#include "base/Ini.h"
#include "db/Schema.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>

namespace tarvo::ctl {
namespace {

int lireIni(Contexte& ctx, const QStringList& arguments) {
    if (arguments.size() < 2 || arguments.size() > 3)
        throw ErreurUsage(QStringLiteral("lire-ini attend SECTION CLE [FICHIER]."));
    const QString fichier =
        arguments.size() == 3 ? QFileInfo(arguments.at(2)).absoluteFilePath() : QString();
    const QString valeur = LireIni(ctx, arguments.at(1), arguments.at(0), fichier);
    QTextStream(stdout) << valeur << '\n';
    return 0;
}

int initBase(Contexte& ctx, const QStringList& arguments) {
    QStringList reste = arguments;
    const bool demo = extraireDrapeau(reste, QStringLiteral("--demo"));
    if (!reste.isEmpty())
        throw ErreurUsage(QStringLiteral("init-base n'accepte que l'option --demo."));
    const ParametresConnexion p = ParametresDepuisIni(ctx, QString(), QString());
    const QString titre = QStringLiteral("Création de la base");
    if (p.moteur != db::Moteur::SQLite || p.base.isEmpty()) {
        ctx.prompts.critique(titre, QStringLiteral("init-base ne crée que la base embarquée : "
                                                   "indiquez PROVIDER=SQLITE et DBNAME dans la "
                                                   "section [DB] de ") +
                                        NomFichierIni + u'.');
        return 1;
    }
    QDir().mkpath(QFileInfo(p.base).absolutePath());
    Connexion cnx(QStringLiteral("InitBase"));
    cnx.ouvrir(p, true);
    if (db::BaseContientDesTables(cnx)) {
        ctx.prompts.critique(titre, QStringLiteral("La base ") + p.base +
                                        QStringLiteral(" contient déjà des tables : elle n'a pas "
                                                       "été modifiée."));
        return 1;
    }
    db::CreerBaseEmbarquee(cnx, demo);
    QTextStream(stdout) << p.base << '\n';
    return 0;
}

int schemaSqlServer(Contexte&, const QStringList& arguments) {
    QStringList reste = arguments;
    const bool miseAJour = extraireDrapeau(reste, QStringLiteral("--mise-a-jour"));
    if (!reste.isEmpty())
        throw ErreurUsage(QStringLiteral("schema-sqlserver n'accepte que l'option --mise-a-jour."));
    QTextStream(stdout) << (miseAJour ? db::ScriptMiseAJourSqlServer()
                                      : db::ScriptSchemaSqlServer());
    return 0;
}

} // namespace

QList<Commande> commandesApplication() {
    return {
        {QStringLiteral("lire-ini"), QStringLiteral("SECTION CLE [FICHIER]"),
         QStringLiteral("affiche la valeur d'une clé du fichier de configuration"),
         Prealable::Aucun, lireIni},
        {QStringLiteral("init-base"), QStringLiteral("[--demo]"),
         QStringLiteral("crée la base embarquée nommée par TARVOX.ini"), Prealable::FichierIni,
         initBase},
        {QStringLiteral("schema-sqlserver"), QStringLiteral("[--mise-a-jour]"),
         QStringLiteral("affiche le script d'installation SQL Server, ou celui qui met à jour "
                        "une base installée par une version précédente"),
         Prealable::Aucun, schemaSqlServer},
    };
}

} // namespace tarvo::ctl
