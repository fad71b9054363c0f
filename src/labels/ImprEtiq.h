#pragma once

#include <QString>
#include <optional>

namespace tarvo {
struct Contexte;
class ErreurTarvo;
} // namespace tarvo

namespace tarvo::etiquettes {

class PrinterSystem;
struct ArticleEtiquette;
struct ExpeditionEtiquettes;

// The label print commands as the person meets them, in the desktop program
// and in tarvoctl alike: each asks its questions and shows its boxes through
// ctx.prompts, every failure in the detailed box titled "Erreur".

// The box of a failed label command: the detailed box titled "Erreur".
void signalerErreur(Contexte& ctx, const ErreurTarvo& erreur);

// How every label command begins: looks up the printer configured under
// [ZEBRA] `cle`; shows "Impression impossible" when the system lacks it,
// otherwise shows the printer in the status bar. Gives the device name.
// Raises ErreurTarvo when the configuration cannot be read, for the command
// to report.
std::optional<QString> ImprimanteEtiquettes(Contexte& ctx, PrinterSystem& systeme,
                                            const QString& cle);

// Article browser: asks how many labels, then prints the labels of its
// current row as one job. True when a job was sent.
bool ImprEtiqArticle(Contexte& ctx, PrinterSystem& systeme, const ArticleEtiquette& article);

// Label window: prints `texteNombre` labels of the looked-up article as one
// job. True when a job was sent.
bool ImprEtiqArticle(Contexte& ctx, PrinterSystem& systeme, const ArticleEtiquette& article,
                     const QString& texteNombre);

// The parcel labels need a theoretical parcel count of at least 1: without
// one, says so ("Nombre de colis théorique incorrect") and gives false.
bool ColisTheoriquesDefinis(Contexte& ctx, const ExpeditionEtiquettes& expedition);

// Prints one label per parcel from `premier` to `dernier`, each its own job;
// labels already sent stay printed after a failure. Gives the number of jobs
// sent.
int ImprEtiqExp(Contexte& ctx, PrinterSystem& systeme, const ExpeditionEtiquettes& expedition,
                int premier, int dernier);

} // namespace tarvo::etiquettes
