#include "Schema.h"

#include "Base.h"
#include "Transaction.h"
#include "app/Connexion.h"
#include "app/Erreur.h"

#include <QFile>

// Resources of a static library are registered by hand, outside any namespace.
static void enregistrerScripts() {
    Q_INIT_RESOURCE(sql);
}

namespace tarvo {
namespace {

const QString SourceSchema = QStringLiteral("Schéma");

QString lireRessource(const QString& nom) {
    static const bool enregistres = (enregistrerScripts(), true);
    Q_UNUSED(enregistres);
    QFile f(QStringLiteral(":/tarvo/sql/") + nom);
    if (!f.open(QIODevice::ReadOnly))
        throw ErreurTarvo(NumeroErreur::FichierIntrouvable, SourceSchema,
                          QStringLiteral("Script introuvable : ") + nom);
    return QString::fromUtf8(f.readAll());
}

} // namespace

QString ScriptSchemaSQLite() {
    return lireRessource(QStringLiteral("schema_sqlite.sql"));
}
QString ScriptDemoSQLite() {
    return lireRessource(QStringLiteral("demo_sqlite.sql"));
}
QString ScriptSchemaSqlServer() {
    return lireRessource(QStringLiteral("schema_sqlserver.sql"));
}

bool BaseContientDesTables(Connexion& cnx) {
    return !cnx.base().tables().isEmpty();
}

void ExecuterScriptSQLite(Connexion& cnx, const QString& script) {
    db::Base base(&cnx);
    if (base.moteur() != db::Moteur::SQLite)
        throw ErreurTarvo(NumeroErreur::Base, SourceSchema,
                          QStringLiteral("La connexion n'est pas une base SQLite ouverte."));
    db::Transaction transaction(base);
    base.executerScript(db::TexteSql(script));
    transaction.valider();
}

void CreerBaseEmbarquee(Connexion& cnx, bool avecDemo) {
    QString script = ScriptSchemaSQLite();
    if (avecDemo)
        script += u'\n' + ScriptDemoSQLite();
    ExecuterScriptSQLite(cnx, script);
}

} // namespace tarvo
