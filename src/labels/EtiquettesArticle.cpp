#include "EtiquettesArticle.h"

#include "PrinterSystem.h"
#include "SqlEtiquettes.h"
#include "app/Contexte.h"
#include "app/Erreur.h"
#include "app/Ini.h"
#include "db/Base.h"

#include <QRegularExpression>
#include <cmath>

namespace tarvo::etiquettes {
namespace {

const QString Source = QStringLiteral("Etiquette article");
constexpr int NombreMaximal = 32767;
constexpr qint64 NumeroDepassement = 6;

QByteArray texte(Contexte& ctx, VarianteArticle variante, const ArticleEtiquette& article,
                 int nombre) {
    const QString marge = LireIni(ctx, QStringLiteral("MargeGaucheArt"), QStringLiteral("[ZEBRA]"));
    return TexteEtiquetteArticle(variante, marge, article.codeBarre, article.libelle, nombre);
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

void EnvoyerEtiquettesArticle(Contexte& ctx, PrinterSystem& systeme, const QString& imprimante,
                              VarianteArticle variante, const ArticleEtiquette& article,
                              int nombre) {
    systeme.envoyer(imprimante, texte(ctx, variante, article, nombre),
                    QStringLiteral("Etiquette article ") + article.codeBarre.trimmed());
}

QByteArray TexteArticleFenetre(Contexte& ctx, const ArticleEtiquette& article,
                               const QString& texteNombre) {
    // The picture does not depend on the count: an empty count still shows
    // the label, as one copy.
    return texte(ctx, VarianteArticle::Fenetre, article,
                 std::max(1, NombreEtiquettes(texteNombre)));
}

} // namespace tarvo::etiquettes
