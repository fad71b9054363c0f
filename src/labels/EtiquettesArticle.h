#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace tarvo {
struct Contexte;
}

namespace tarvo::etiquettes {

class PrinterSystem;

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

// Article browser: asks how many labels, then prints the labels of its
// current row as one job. Every failure is shown in a box. True when a job
// was sent.
bool ImprEtiqArticle(Contexte& ctx, PrinterSystem& systeme, const ArticleEtiquette& article);

// Label window: prints `texteNombre` labels of the looked-up article as one
// job. Every failure is shown in a box. True when a job was sent.
bool ImprEtiqArticle(Contexte& ctx, PrinterSystem& systeme, const ArticleEtiquette& article,
                     const QString& texteNombre);

// The text the label window would send, for the preview: no printer is
// needed and no question is asked; an empty count previews one label.
// Failures are shown in a box.
std::optional<QByteArray> TexteArticleFenetre(Contexte& ctx, const ArticleEtiquette& article,
                                              const QString& texteNombre);

} // namespace tarvo::etiquettes
