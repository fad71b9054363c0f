#include "ImprEtiq.h"

#include "EtiquettesArticle.h"
#include "EtiquettesColis.h"
#include "Imprimante.h"
#include "app/Contexte.h"
#include "app/FormesMessages.h"

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

bool ImprEtiqArticle(Contexte& ctx, PrinterSystem& systeme, const ArticleEtiquette& article) {
    try {
        const std::optional<QString> imprimante =
            ImprimanteEtiquettes(ctx, systeme, QStringLiteral("NomImprimanteArt"));
        if (!imprimante)
            return false;
        const EtiquettesArticle etiquettes(ctx);
        const std::optional<QString> reponse = ctx.prompts.saisie(
            TitreQuestion,
            QStringLiteral("Entrez le nombre d'étiquette code barres article que vous souhaitez "
                           "imprimer :"),
            QStringLiteral("1"));
        const int nombre = reponse ? NombreEtiquettes(*reponse) : 0;
        if (nombre == 0 || !confirmer(ctx, nombre, QString::number(nombre)))
            return false;
        etiquettes.envoyer(systeme, *imprimante, VarianteArticle::Navigateur, article, nombre);
        return true;
    } catch (const ErreurTarvo& e) {
        signalerErreur(ctx, e);
        return false;
    }
}

bool ImprEtiqArticle(Contexte& ctx, PrinterSystem& systeme, const ArticleEtiquette& article,
                     const QString& texteNombre) {
    try {
        const std::optional<QString> imprimante =
            ImprimanteEtiquettes(ctx, systeme, QStringLiteral("NomImprimanteArt"));
        if (!imprimante)
            return false;
        const EtiquettesArticle etiquettes(ctx);
        const int nombre = NombreEtiquettes(texteNombre);
        if (nombre == 0 || !confirmer(ctx, nombre, texteNombre))
            return false;
        etiquettes.envoyer(systeme, *imprimante, VarianteArticle::Fenetre, article, nombre);
        return true;
    } catch (const ErreurTarvo& e) {
        signalerErreur(ctx, e);
        return false;
    }
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
