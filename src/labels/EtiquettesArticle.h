#pragma once

#include "TexteEpl2.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace tarvo {
struct Contexte;
}

namespace tarvo::etiquettes {

class PrinterSystem;

// Above this count the person confirms the print.
constexpr int NombreSansQuestion = 50;

// What an article label prints: the bar code and the description chosen by
// the caller (`Libellé` in the article browser, `lib_art_couleur` in the
// label window).
struct ArticleEtiquette {
    QString codeBarre;
    QString libelle;
};

// The article with this bar code when exactly one row holds it; its
// description is `lib_art_couleur`. Raises ErreurTarvo on a database failure.
std::optional<ArticleEtiquette> ChercherArticle(Contexte& ctx, const QString& codeBarre);

// The number of labels a text asks for: its leading number (0 when there is
// none), rounded to a whole number. Raises ErreurTarvo when it does not fit
// the printer's count (a negative number, or above 32767).
int NombreEtiquettes(const QString& texte);

// The article labels as configured. The margin is read and checked before
// anything is asked or sent.
class EtiquettesArticle {
public:
    // Raises ErreurTarvo when MargeGaucheArt is no whole number of dots the
    // label can hold.
    explicit EtiquettesArticle(Contexte& ctx);

    QByteArray texte(VarianteArticle variante, const ArticleEtiquette& article, int nombre) const;
    // Sends `nombre` labels of the article to `imprimante` as one job: its "P"
    // command prints them all. Raises ErreurTarvo when the job is refused.
    void envoyer(PrinterSystem& systeme, const QString& imprimante, VarianteArticle variante,
                 const ArticleEtiquette& article, int nombre) const;

private:
    int marge_;
};

// The text the label window would send, for the preview: no printer is
// needed and no question is asked; an empty count previews one label.
// Raises ErreurTarvo on a count beyond the printer's range or a wrong margin.
QByteArray TexteArticleFenetre(Contexte& ctx, const ArticleEtiquette& article,
                               const QString& texteNombre);

} // namespace tarvo::etiquettes
