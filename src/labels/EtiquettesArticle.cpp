#include "EtiquettesArticle.h"

#include "MargeGauche.h"
#include "PrinterSystem.h"
#include "SqlEtiquettes.h"
#include "app/Contexte.h"
#include "base/Erreur.h"
#include "db/Base.h"

#include <QRegularExpression>
#include <cmath>

namespace tarvo::etiquettes {
namespace {

const QString Source = QStringLiteral("Etiquette article");
constexpr int NombreMaximal = 32767;
constexpr qint64 NumeroDepassement = 6;

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

EtiquettesArticle::EtiquettesArticle(Contexte& ctx)
    : marge_(LireMargeGauche(ctx, {QStringLiteral("MargeGaucheArt"),
                                   QStringLiteral("code barres article"), Source, 0,
                                   LargeurEtiquetteArticle})) {}

QByteArray EtiquettesArticle::texte(VarianteArticle variante, const ArticleEtiquette& article,
                                    int nombre) const {
    return TexteEtiquetteArticle(variante, marge_, article.codeBarre, article.libelle, nombre);
}

void EtiquettesArticle::envoyer(PrinterSystem& systeme, const QString& imprimante,
                                VarianteArticle variante, const ArticleEtiquette& article,
                                int nombre) const {
    systeme.envoyer(imprimante, texte(variante, article, nombre),
                    QStringLiteral("Etiquette article ") + article.codeBarre.trimmed());
}

QByteArray TexteArticleFenetre(Contexte& ctx, const ArticleEtiquette& article,
                               const QString& texteNombre) {
    // The picture does not depend on the count: an empty count still shows
    // the label, as one copy.
    const int nombre = std::max(1, NombreEtiquettes(texteNombre));
    return EtiquettesArticle(ctx).texte(VarianteArticle::Fenetre, article, nombre);
}

} // namespace tarvo::etiquettes
