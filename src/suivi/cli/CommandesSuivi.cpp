#include "CommandesSuivi.h"

#include "app/Contexte.h"
#include "base/Erreur.h"
#include "base/FormesMessages.h"
#include "browsers/ExportCsv.h"
#include "db/Base.h"
#include "shipments/LecteursExpedition.h"
#include "suivi/ControlePoids.h"
#include "suivi/Explication.h"
#include "suivi/ExportSuivi.h"
#include "suivi/Suivi.h"

#include <QTextStream>

namespace tarvo::ctl {
namespace {

// Shown when a command names a shipment that does not exist.
bool expeditionConnue(Contexte& ctx, const db::Base& base, qint32 noExp, const QString& titre) {
    if (expeditions::LireEnTeteExpedition(base, noExp))
        return true;
    ctx.prompts.exclamation(titre, QStringLiteral("L'expédition N° %1 n'existe pas.").arg(noExp));
    return false;
}

// Runs `commande`; a failure shows its detailed box under `titre` and exits 1.
int sousTitre(Contexte& ctx, const QString& titre, const std::function<int()>& commande) {
    try {
        return commande();
    } catch (const ErreurTarvo& e) {
        afficherErreurDetaillee(ctx, titre, e.erreur());
        return 1;
    }
}

void ecrire(const QStringList& lignes) {
    QTextStream sortie(stdout);
    for (const QString& l : lignes)
        sortie << l << '\n';
}

int suivi(Contexte& ctx, const QStringList& arguments) {
    QStringList reste = arguments;
    const bool closes = extraireDrapeau(reste, QStringLiteral("--closes"));
    const std::optional<QString> csv = extraireValeur(reste, QStringLiteral("--csv"));
    if (!reste.isEmpty())
        throw ErreurUsage(QStringLiteral("suivi n'attend que --closes et --csv FICHIER."));
    const QString titre = QStringLiteral("Suivi des préparations");
    return sousTitre(ctx, titre, [&] {
        const db::Base base(ctx.cnx.get());
        const QList<suivi::LigneSuivi> lignes =
            suivi::LireSuivi(base, closes, suivi::TolerancePoids(ctx));
        if (!csv) {
            ecrire(suivi::LignesTexteSuivi(lignes));
            return 0;
        }
        const QString fichier = navigateurs::AvecExtensionCsv(*csv);
        suivi::ExporterSuiviCsv(lignes, fichier);
        QTextStream(stdout) << navigateurs::BilanExport(lignes.size(), fichier) << u'\n';
        return 0;
    });
}

int expliquer(Contexte& ctx, const QStringList& arguments) {
    if (arguments.size() != 2)
        throw ErreurUsage(QStringLiteral("expliquer attend EXPEDITION puis CODE_BARRES."));
    const qint32 noExp = entierOuUsage(arguments.at(0), QStringLiteral("EXPEDITION"));
    const QString titre = QStringLiteral("Explication d'une quantité préparée");
    return sousTitre(ctx, titre, [&] {
        const db::Base base(ctx.cnx.get());
        if (!expeditionConnue(ctx, base, noExp, titre))
            return 1;
        const suivi::Explication e = suivi::Expliquer(base, noExp, arguments.at(1));
        QStringList lignes;
        for (const suivi::LigneExpliquee& l : e.lignes)
            lignes << suivi::TexteLigneExpliquee(l);
        lignes << QStringLiteral("Quantité préparée : %1").arg(e.quantitePreparee);
        ecrire(lignes);
        return 0;
    });
}

int controlePoids(Contexte& ctx, const QStringList& arguments) {
    if (arguments.size() != 1)
        throw ErreurUsage(QStringLiteral("controle-poids attend EXPEDITION."));
    const qint32 noExp = entierOuUsage(arguments.at(0), QStringLiteral("EXPEDITION"));
    const QString titre = QStringLiteral("Contrôle des poids");
    return sousTitre(ctx, titre, [&] {
        const db::Base base(ctx.cnx.get());
        if (!expeditionConnue(ctx, base, noExp, titre))
            return 1;
        QStringList lignes{suivi::EnTeteControlePoids()};
        for (const suivi::ColisControle& c :
             suivi::ControlerPoids(base, noExp, suivi::TolerancePoids(ctx)))
            lignes << suivi::TexteColisControle(c);
        ecrire(lignes);
        return 0;
    });
}

} // namespace

QList<Commande> commandesSuivi() {
    return {
        {QStringLiteral("suivi"), QStringLiteral("[--closes] [--csv FICHIER]"),
         QStringLiteral("affiche l'avancement de la préparation de chaque expédition ouverte "
                        "(et des closes avec --closes), ou l'écrit en CSV"),
         Prealable::Base, suivi},
        {QStringLiteral("expliquer"), QStringLiteral("EXPEDITION CODE_BARRES"),
         QStringLiteral("affiche les saisies du journal derrière la quantité préparée d'un "
                        "article, et celles qui ne comptent plus"),
         Prealable::Base, expliquer},
        {QStringLiteral("controle-poids"), QStringLiteral("EXPEDITION"),
         QStringLiteral("compare le poids pesé de chaque colis au poids attendu de son contenu"),
         Prealable::Base, controlePoids},
    };
}

} // namespace tarvo::ctl
