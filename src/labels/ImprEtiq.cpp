#include "ImprEtiq.h"

#include "EtiquettesArticle.h"
#include "EtiquettesColis.h"
#include "Imprimante.h"
#include "app/Contexte.h"
#include "base/FormesMessages.h"

#include <functional>
#include <optional>

namespace tarvo::etiquettes {
namespace {

const QString TitreQuestion = QStringLiteral("Etiquette code barres article");

bool confirmer(Contexte& ctx, int nombre, const QString& texteNombre) {
    return nombre <= NombreSansQuestion ||
           ctx.prompts.question(Prompts::Icone::Question, TitreQuestion,
                                QStringLiteral("Voulez-vous imprimer ") + texteNombre +
                                    QStringLiteral(" etiquettes ?"),
                                true);
}

} // namespace

void signalerErreur(Contexte& ctx, const ErreurTarvo& erreur) {
    afficherErreurDetaillee(ctx, QStringLiteral("Erreur"), erreur.erreur());
}

std::optional<QString> ImprimanteEtiquettes(Contexte& ctx, PrinterSystem& systeme,
                                            const QString& cle) {
    const ImprimanteConfiguree imprimante = TrouverImprimante(ctx, systeme, cle);
    if (!imprimante.nom) {
        ctx.prompts.exclamation(QStringLiteral("Impression impossible"),
                                QStringLiteral("L'imprimante [") + imprimante.configure +
                                    QStringLiteral("] n'est pas définie sur ce poste"));
        return std::nullopt;
    }
    ctx.afficheStatut(*imprimante.nom + QStringLiteral(": ") + imprimante.identification);
    return imprimante.nom;
}

namespace {

// What both article-label routines share: the printer, the margin checked
// before any question, the count (`texteNombre`, empty when cancelled) and
// its confirmation, then the jobs.
bool imprimerArticle(Contexte& ctx, PrinterSystem& systeme, const ArticleEtiquette& article,
                     VarianteArticle variante,
                     const std::function<std::optional<QString>()>& texteNombre) {
    try {
        const std::optional<QString> imprimante =
            ImprimanteEtiquettes(ctx, systeme, QStringLiteral("NomImprimanteArt"));
        if (!imprimante)
            return false;
        const EtiquettesArticle etiquettes(ctx);
        const std::optional<QString> texte = texteNombre();
        const int nombre = texte ? NombreEtiquettes(*texte) : 0;
        if (nombre == 0 || !confirmer(ctx, nombre, *texte))
            return false;
        etiquettes.envoyer(systeme, *imprimante, variante, article, nombre);
        return true;
    } catch (const ErreurTarvo& e) {
        signalerErreur(ctx, e);
        return false;
    }
}

} // namespace

bool ImprEtiqArticle(Contexte& ctx, PrinterSystem& systeme, const ArticleEtiquette& article) {
    return imprimerArticle(
        ctx, systeme, article, VarianteArticle::Navigateur, [&ctx]() -> std::optional<QString> {
            const std::optional<QString> reponse =
                ctx.prompts.saisie(TitreQuestion,
                                   QStringLiteral("Entrez le nombre d'étiquette code barres "
                                                  "article que vous souhaitez imprimer :"),
                                   QStringLiteral("1"));
            if (!reponse)
                return std::nullopt;
            return QString::number(NombreEtiquettes(*reponse));
        });
}

bool ImprEtiqArticle(Contexte& ctx, PrinterSystem& systeme, const ArticleEtiquette& article,
                     const QString& texteNombre) {
    return imprimerArticle(ctx, systeme, article, VarianteArticle::Fenetre,
                           [&texteNombre] { return std::optional<QString>(texteNombre); });
}

bool ColisTheoriquesDefinis(Contexte& ctx, const ExpeditionEtiquettes& expedition) {
    if (expedition.nbColisTheorique >= 1)
        return true;
    ctx.prompts.exclamation(
        QStringLiteral("Nombre de colis théorique incorrect"),
        QStringLiteral("Vous devez définir un nombre de colis théorique différent de zéro."));
    return false;
}

int ImprEtiqExp(Contexte& ctx, PrinterSystem& systeme, const ExpeditionEtiquettes& expedition,
                int premier, int dernier) {
    int envoyees = 0;
    try {
        const std::optional<QString> imprimante =
            ImprimanteEtiquettes(ctx, systeme, QStringLiteral("NomImprimanteExp"));
        if (!imprimante)
            return 0;
        const EtiquettesColis etiquettes(ctx, expedition);
        for (int colis = premier; colis <= dernier; ++colis) {
            etiquettes.envoyer(systeme, *imprimante, colis);
            ++envoyees;
        }
    } catch (const ErreurTarvo& e) {
        signalerErreur(ctx, e);
    }
    return envoyees;
}

} // namespace tarvo::etiquettes
