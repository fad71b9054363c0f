#include "CommandesCatalogue.h"

#include "app/Contexte.h"
#include "base/Erreur.h"
#include "base/FormesMessages.h"
#include "catalogue/Societe.h"
#include "catalogue/Synchronisation.h"
#include "db/Connexion.h"

#include <cerrno>
#include <cstdio>

namespace tarvo::ctl {
namespace {

using namespace tarvo::catalogue;

// A script reads the answer on standard output: one lost on a full or closed
// output is a failure.
bool repondre(Contexte& ctx, const QString& texte) {
    const QByteArray octets = texte.toUtf8();
    const auto taille = static_cast<std::size_t>(octets.size());
    if (std::fwrite(octets.constData(), 1, taille, stdout) == taille && std::fflush(stdout) == 0)
        return true;
    afficherErreurDetaillee(ctx, QStringLiteral("Erreur"),
                            Erreur{NumeroErreur::FichierIllisible, QStringLiteral("tarvoctl"),
                                   QStringLiteral("Écriture impossible sur la sortie standard : ") +
                                       qt_error_string(errno)});
    return false;
}

int synchroniserArticles(Contexte& ctx, const QStringList& arguments) {
    if (!arguments.isEmpty())
        throw ErreurUsage(QStringLiteral("synchroniser-articles n'attend pas d'argument."));
    const std::optional<BilanSynchro> bilan = SynchroArticle(ctx, true);
    if (!bilan)
        return 1;
    const qint64 gardes = ObsoletesGardes(*bilan);
    const QString texte =
        LignesBilanSynchro(*bilan).join(u'\n') + u'\n' +
        (gardes > 0 ? QStringLiteral("Articles obsolètes gardés sans --oui : %1\n").arg(gardes)
                    : QString());
    return repondre(ctx, texte) ? 0 : 1;
}

// One "Caption: value" line per field; the logo by its size.
QString texteFiche(const FicheSociete& fiche) {
    QString texte;
    const QStringList& legendes = LegendesSociete();
    for (int i = 0; i < ColonneLogo; ++i)
        texte += legendes.at(i) + u' ' + fiche.champs.at(i) + u'\n';
    texte += legendes.at(ColonneLogo) + u' ' +
             (fiche.logo.isEmpty() ? QStringLiteral("aucun")
                                   : QStringLiteral("%1 octets").arg(fiche.logo.size())) +
             u'\n';
    return texte;
}

int societe(Contexte& ctx, const QStringList& arguments) {
    QStringList reste = arguments;
    const std::optional<QString> logo = extraireValeur(reste, QStringLiteral("--logo"));
    if (!reste.isEmpty())
        throw ErreurUsage(QStringLiteral("societe n'attend que --logo FICHIER."));
    if (logo && !ChargerLogo(ctx, *logo))
        return 1;
    std::optional<FicheSociete> fiche;
    try {
        fiche = LireSociete(db::Base(ctx.cnx.get()));
    } catch (const ErreurTarvo& e) {
        afficherErreurDetaillee(ctx, QStringLiteral("Erreur"), e.erreur());
        return 1;
    }
    if (!fiche) {
        ctx.prompts.information(QStringLiteral("Informations société"),
                                QStringLiteral("Aucune information société n'est enregistrée."));
        return 0;
    }
    return repondre(ctx, texteFiche(*fiche)) ? 0 : 1;
}

} // namespace

QList<Commande> commandesCatalogue() {
    return {
        {QStringLiteral("synchroniser-articles"), QString(),
         QStringLiteral("met la table Article en accord avec les articles SAGE ; les articles "
                        "obsolètes ne sont supprimés qu'avec --oui"),
         Prealable::Base, synchroniserArticles},
        {QStringLiteral("societe"), QStringLiteral("[--logo FICHIER]"),
         QStringLiteral("affiche les informations société ; --logo remplace d'abord le logo par "
                        "l'image FICHIER (GIF, BMP, ICO, PNG ou JPEG)"),
         Prealable::Base, societe},
    };
}

} // namespace tarvo::ctl
