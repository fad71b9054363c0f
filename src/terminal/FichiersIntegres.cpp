#include "FichiersIntegres.h"

#include "SqlTerminal.h"

namespace tarvo::terminal {
namespace {

db::Requete identifier(const db::Base& base, const db::TexteSql& sql, const IdentiteFichier& f) {
    db::Requete r = base.preparer(sql);
    r.lier(u":empreinte", f.empreinte).lier(u":modification", f.modification);
    return r;
}

} // namespace

QString cheminTravail(const QString& cheminData) {
    return cheminData + QStringLiteral(".en-cours");
}

std::optional<QString> archiveFichierIntegre(const db::Base& base, const IdentiteFichier& f) {
    db::Requete requete = identifier(base, sql::ArchiveFichierIntegre, f);
    if (!requete.suivante())
        return std::nullopt;
    QString archive = requete.texte(0);
    requete.terminer();
    return archive;
}

void noterFichierIntegre(const db::Base& base, const IdentiteFichier& f,
                         const QString& dateIntegration, const QString& archive) {
    identifier(base, sql::NoterFichierIntegre, f)
        .lierMoment(u":dateIntegration", dateIntegration)
        .lier(u":archive", archive)
        .executer();
}

} // namespace tarvo::terminal
