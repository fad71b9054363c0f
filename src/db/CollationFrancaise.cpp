#include "CollationFrancaise.h"

#include "OrdreFrancais.h"
#include "base/Erreur.h"

#include <mutex>
#include <sqlite3.h>

namespace tarvo::db {
namespace {

// SQLite runs it on each connection as it opens, before its first statement.
int pointEntree(sqlite3* base, char** message, const sqlite3_api_routines*) {
    return ordre::Installer(base, message);
}

} // namespace

QString VersionOrdreFrancais() {
    if (!ordre::EchecIcu().empty())
        throw ErreurTarvo(NumeroErreur::Base, QStringLiteral("SQLite"),
                          QStringLiteral("L'ordre alphabétique français est indisponible (ICU : ") +
                              QString::fromStdString(ordre::EchecIcu()) + u')');
    return QString::fromStdString(ordre::Version());
}

void InstallerFrancais() {
    static std::once_flag fait;
    static int code = SQLITE_OK;
    std::call_once(
        fait, [] { code = sqlite3_auto_extension(reinterpret_cast<void (*)()>(&pointEntree)); });
    if (code != SQLITE_OK)
        throw ErreurTarvo(
            NumeroErreur::Base, QStringLiteral("SQLite"),
            QStringLiteral("Impossible d'installer l'ordre alphabétique français : ") +
                QString::fromUtf8(sqlite3_errstr(code)));
}

} // namespace tarvo::db
