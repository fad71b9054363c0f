#include "CommandesEditions.h"

#include "app/Contexte.h"
#include "base/FormesMessages.h"
#include "reports/Edition.h"
#include "reports/ImpressionPdf.h"
#include "reports/Peinture.h"

namespace tarvo::ctl {
namespace {

using namespace tarvo::editions;

QString nomsEtats() {
    QStringList noms;
    for (const DescriptionEtat& d : descriptionsEtats())
        noms << d.nomCtl;
    return noms.join(QStringLiteral(", "));
}

int edition(Contexte& ctx, const QStringList& arguments) {
    QStringList reste = arguments;
    const std::optional<QString> pdf = extraireValeur(reste, QStringLiteral("--pdf"));
    const std::optional<QString> imprimante = extraireValeur(reste, QStringLiteral("--imprimer"));
    if (reste.size() != 2 || pdf.has_value() == imprimante.has_value())
        throw ErreurUsage(QStringLiteral(
            "edition attend ETAT EXPEDITION et soit --pdf FICHIER, soit --imprimer IMPRIMANTE."));
    const DescriptionEtat* etat = nullptr;
    for (const DescriptionEtat& d : descriptionsEtats())
        if (d.nomCtl == reste.at(0))
            etat = &d;
    if (!etat)
        throw ErreurUsage(
            QStringLiteral("État inconnu : %1 (états : %2).").arg(reste.at(0), nomsEtats()));
    const int noExp = entierOuUsage(reste.at(1), QStringLiteral("EXPEDITION"));

    std::optional<Document> document;
    if (!EditerEtat(ctx, etat->etat, noExp, [&document](const Document& d) { document = d; }))
        return 1;
    try {
        if (pdf)
            ecrirePdf(*document, *pdf);
        else
            imprimerPdf(*imprimante, documentPdf(*document),
                        QStringLiteral("%1 %2").arg(etat->titreApercu).arg(noExp));
    } catch (const ErreurTarvo& e) {
        afficherErreurDetaillee(ctx, QStringLiteral("Erreur"), e.erreur());
        return 1;
    }
    return 0;
}

} // namespace

QList<Commande> commandesEditions() {
    return {
        {QStringLiteral("edition"),
         QStringLiteral("ETAT EXPEDITION (--pdf FICHIER.pdf | --imprimer IMPRIMANTE)"),
         QStringLiteral("écrit en PDF ou imprime un état de l'expédition ; ETAT : ") + nomsEtats(),
         Prealable::Base, edition},
    };
}

} // namespace tarvo::ctl
