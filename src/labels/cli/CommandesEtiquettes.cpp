#include "CommandesEtiquettes.h"

#include "app/Contexte.h"
#include "base/Erreur.h"
#include "labels/ApercuEpl2.h"
#include "labels/EtiquettesArticle.h"
#include "labels/EtiquettesColis.h"
#include "labels/ImprEtiq.h"
#include "labels/PrinterSystem.h"

#include <QFileInfo>
#include <QTextStream>
#include <cerrno>
#include <cstdio>

namespace tarvo::ctl {
namespace {

using namespace tarvo::etiquettes;

// The answer of a preview on standard output: the files written, one a line,
// given once every one of them is, so that a command that failed half way
// announces nothing. A script reads it: an answer lost on a full or closed
// output is a failure, raised as ErreurTarvo.
void repondre(const QStringList& fichiers) {
    const QByteArray octets = (fichiers.join(u'\n') + u'\n').toUtf8();
    const auto taille = static_cast<std::size_t>(octets.size());
    if (std::fwrite(octets.constData(), 1, taille, stdout) != taille || std::fflush(stdout) != 0)
        throw ErreurTarvo(NumeroErreur::FichierIllisible, QStringLiteral("Aperçu"),
                          QStringLiteral("Écriture impossible sur la sortie standard : ") +
                              qt_error_string(errno));
}

// Writes the picture of a label text; what the preview could not draw goes
// to standard error. Raises ErreurTarvo when the file cannot be written.
void ecrireApercu(const QByteArray& texte, const QString& fichier) {
    const ApercuEtiquette apercu = ApercuEpl2(texte);
    EnregistrerApercu(apercu, fichier);
    QTextStream erreurs(stderr);
    for (const QString& anomalie : apercu.anomalies)
        erreurs << anomalie << '\n';
}

int etiquetteArticle(Contexte& ctx, const QStringList& arguments) {
    QStringList reste = arguments;
    const std::optional<QString> apercu = extraireValeur(reste, QStringLiteral("--apercu"));
    if (reste.size() != 2)
        throw ErreurUsage(QStringLiteral("etiquette-article attend CODE_BARRE NOMBRE."));
    std::optional<ArticleEtiquette> article;
    try {
        article = ChercherArticle(ctx, reste.at(0));
    } catch (const ErreurTarvo& e) {
        signalerErreur(ctx, e);
        return 1;
    }
    if (!article) {
        ctx.prompts.exclamation(QStringLiteral("Etiquette code barres article"),
                                QStringLiteral("Aucun article n'a le code barre ") + reste.at(0) +
                                    u'.');
        return 1;
    }
    if (apercu) {
        try {
            ecrireApercu(TexteArticleFenetre(ctx, *article, reste.at(1)), *apercu);
            repondre({*apercu});
            return 0;
        } catch (const ErreurTarvo& e) {
            signalerErreur(ctx, e);
            return 1;
        }
    }
    const auto systeme = systemeImpression();
    return ImprEtiqArticle(ctx, *systeme, *article, reste.at(1)) ? 0 : 1;
}

// The picture of parcel `colis`: the file itself for a single parcel,
// otherwise the file name with the parcel number before its extension.
QString fichierApercuColis(const QString& fichier, int colis, bool plusieurs) {
    if (!plusieurs)
        return fichier;
    const QFileInfo info(fichier);
    const QString suffixe = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    return info.path() + u'/' + info.completeBaseName() +
           QStringLiteral("-%1").arg(colis, 3, 10, QChar(u'0')) + suffixe;
}

int etiquettesColis(Contexte& ctx, const QStringList& arguments) {
    QStringList reste = arguments;
    const std::optional<QString> apercu = extraireValeur(reste, QStringLiteral("--apercu"));
    if (reste.size() != 3)
        throw ErreurUsage(QStringLiteral("etiquettes-colis attend EXPEDITION PREMIER DERNIER."));
    const int noExpedition = entierOuUsage(reste.at(0), QStringLiteral("EXPEDITION"));
    const int premier = entierOuUsage(reste.at(1), QStringLiteral("PREMIER"));
    const int dernier = entierOuUsage(reste.at(2), QStringLiteral("DERNIER"));
    std::optional<ExpeditionEtiquettes> expedition;
    try {
        expedition = ChargerExpeditionEtiquettes(ctx, noExpedition);
    } catch (const ErreurTarvo& e) {
        signalerErreur(ctx, e);
        return 1;
    }
    if (!expedition) {
        ctx.prompts.exclamation(
            QStringLiteral("Etiquettes expédition"),
            QStringLiteral("L'expédition n° %1 n'existe pas.").arg(noExpedition));
        return 1;
    }
    if (!ColisTheoriquesDefinis(ctx, *expedition))
        return 1;
    if (!PlageColisValide(premier, dernier, expedition->nbColisTheorique)) {
        ctx.prompts.exclamation(QStringLiteral("Valeur incorrecte"),
                                QStringLiteral("N° de colis incorrect"));
        return 1;
    }
    if (apercu) {
        try {
            const EtiquettesColis etiquettes(ctx, *expedition);
            QStringList fichiers;
            for (int colis = premier; colis <= dernier; ++colis) {
                fichiers << fichierApercuColis(*apercu, colis, dernier > premier);
                ecrireApercu(etiquettes.texte(colis), fichiers.last());
            }
            repondre(fichiers);
            return 0;
        } catch (const ErreurTarvo& e) {
            signalerErreur(ctx, e);
            return 1;
        }
    }
    const auto systeme = systemeImpression();
    return ImprEtiqExp(ctx, *systeme, *expedition, premier, dernier) == dernier - premier + 1 ? 0
                                                                                              : 1;
}

} // namespace

QList<Commande> commandesEtiquettes() {
    return {
        {QStringLiteral("etiquette-article"),
         QStringLiteral("CODE_BARRE NOMBRE [--apercu FICHIER.png]"),
         QStringLiteral("imprime NOMBRE étiquettes de l'article (une seule impression), ou en "
                        "dessine l'aperçu"),
         Prealable::Base, etiquetteArticle},
        {QStringLiteral("etiquettes-colis"),
         QStringLiteral("EXPEDITION PREMIER DERNIER [--apercu FICHIER.png]"),
         QStringLiteral("imprime une étiquette par colis de PREMIER à DERNIER (une impression par "
                        "colis), ou en dessine l'aperçu"),
         Prealable::Base, etiquettesColis},
    };
}

} // namespace tarvo::ctl
