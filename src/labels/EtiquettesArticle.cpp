#include "EtiquettesArticle.h"

#include "Imprimante.h"
#include "PrinterSystem.h"
#include "SqlEtiquettes.h"
#include "TexteEpl2.h"
#include "app/Contexte.h"
#include "app/FormesMessages.h"
#include "app/Ini.h"
#include "db/Base.h"

#include <QRegularExpression>
#include <cmath>

namespace tarvo::etiquettes {
namespace {

const QString TitreQuestion = QStringLiteral("Etiquette code barres article");
const QString Source = QStringLiteral("Etiquette article");
// Above this count the person confirms the print.
constexpr int NombreSansQuestion = 50;
constexpr int NombreMaximal = 32767;
constexpr qint64 NumeroDepassement = 6;

QString marge(Contexte& ctx) {
    return LireIni(ctx, QStringLiteral("MargeGaucheArt"), QStringLiteral("[ZEBRA]"));
}

bool confirmer(Contexte& ctx, int nombre, const QString& texteNombre) {
    return nombre <= NombreSansQuestion ||
           ctx.prompts.question(Prompts::Icone::Question, TitreQuestion,
                                QStringLiteral("Voulez-vous imprimer ") + texteNombre +
                                    QStringLiteral(" etiquettes ?"),
                                true);
}

// Builds the text and sends it as one job: its "P" prints every label.
void envoyer(Contexte& ctx, PrinterSystem& systeme, const QString& imprimante,
             VarianteArticle variante, const ArticleEtiquette& article, int nombre) {
    const QByteArray texte =
        TexteEtiquetteArticle(variante, marge(ctx), article.codeBarre, article.libelle, nombre);
    systeme.envoyer(imprimante, texte,
                    QStringLiteral("Etiquette article ") + article.codeBarre.trimmed());
}

void signaler(Contexte& ctx, const ErreurTarvo& e) {
    afficherErreurDetaillee(ctx, QStringLiteral("Erreur"), e.erreur());
}

} // namespace

std::optional<ArticleEtiquette> ChercherArticle(Contexte& ctx, const QString& codeBarre) {
    const db::Base base(ctx.cnx.get());
    db::Requete requete = base.preparer(sql::ArticleParCodeBarre);
    requete.lier(u":codeBarre", codeBarre);
    std::optional<ArticleEtiquette> trouve;
    while (requete.suivante()) {
        if (trouve)
            return std::nullopt;
        trouve = ArticleEtiquette{requete.texte(0), requete.texte(2)};
    }
    return trouve;
}

int NombreEtiquettes(const QString& texte) {
    static const QRegularExpression nombre(QStringLiteral("^\\s*([+-]?(\\d+\\.?\\d*|\\.\\d+))"));
    const QRegularExpressionMatch m = nombre.match(texte);
    const double valeur = m.hasMatch() ? m.captured(1).toDouble() : 0.0;
    // Halves go to the even neighbour, as the count always has.
    const double arrondi = std::nearbyint(valeur);
    if (arrondi < 0 || arrondi > NombreMaximal)
        throw ErreurTarvo(NumeroDepassement, Source,
                          QStringLiteral("Nombre d'étiquettes incorrect : « %1 ». Indiquez un "
                                         "nombre entre 1 et %2.")
                              .arg(texte.trimmed())
                              .arg(NombreMaximal));
    return static_cast<int>(arrondi);
}

bool ImprEtiqArticle(Contexte& ctx, PrinterSystem& systeme, const ArticleEtiquette& article) {
    try {
        const std::optional<QString> imprimante =
            ImprimanteEtiquettes(ctx, systeme, QStringLiteral("NomImprimanteArt"));
        if (!imprimante)
            return false;
        const std::optional<QString> reponse = ctx.prompts.saisie(
            TitreQuestion,
            QStringLiteral("Entrez le nombre d'étiquette code barres article que vous souhaitez "
                           "imprimer :"),
            QStringLiteral("1"));
        const int nombre = reponse ? NombreEtiquettes(*reponse) : 0;
        if (nombre == 0 || !confirmer(ctx, nombre, QString::number(nombre)))
            return false;
        envoyer(ctx, systeme, *imprimante, VarianteArticle::Navigateur, article, nombre);
        return true;
    } catch (const ErreurTarvo& e) {
        signaler(ctx, e);
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
        const int nombre = NombreEtiquettes(texteNombre);
        if (nombre == 0 || !confirmer(ctx, nombre, texteNombre))
            return false;
        envoyer(ctx, systeme, *imprimante, VarianteArticle::Fenetre, article, nombre);
        return true;
    } catch (const ErreurTarvo& e) {
        signaler(ctx, e);
        return false;
    }
}

std::optional<QByteArray> TexteArticleFenetre(Contexte& ctx, const ArticleEtiquette& article,
                                              const QString& texteNombre) {
    try {
        // The picture does not depend on the count: an empty count still
        // shows the label, as one copy.
        const int nombre = std::max(1, NombreEtiquettes(texteNombre));
        return TexteEtiquetteArticle(VarianteArticle::Fenetre, marge(ctx), article.codeBarre,
                                     article.libelle, nombre);
    } catch (const ErreurTarvo& e) {
        signaler(ctx, e);
        return std::nullopt;
    }
}

} // namespace tarvo::etiquettes
