#include "BranchementsEditions.h"

#include "ApercuEtat.h"
#include "reports/Edition.h"
#include "ui/main/CadreCommandes.h"
#include "ui/main/Garde.h"
#include "ui/main/Sablier.h"

#include <QAction>

namespace tarvo::editions {
namespace {

ui::Entree entreeDe(Etat etat) {
    switch (etat) {
    case Etat::BonExp:
        return ui::Entree::mnuBonExp;
    case Etat::ListeArticleExp:
        return ui::Entree::mnuEdListeArticleExp;
    case Etat::EtatControleExpGamme:
        return ui::Entree::mnuEdEtatControle;
    case Etat::EtatControleExpArt:
        return ui::Entree::mnuEdEtatControleArt;
    case Etat::ColisageExp:
        return ui::Entree::mnuEdListeColisage;
    }
    Q_UNREACHABLE();
    return ui::Entree::mnuBonExp;
}

} // namespace

QList<EntreeEdition> entreesEditions(const ui::CadreCommandes& cadre) {
    QList<EntreeEdition> entrees;
    for (const DescriptionEtat& d : descriptionsEtats())
        entrees.append({d.etat, cadre.action(entreeDe(d.etat))});
    return entrees;
}

QList<QMetaObject::Connection>
brancherEditions(Contexte& ctx, const QList<EntreeEdition>& entrees, QWidget* fenetre,
                 const std::function<std::optional<qint32>()>& expedition) {
    QList<QMetaObject::Connection> connexions;
    for (const EntreeEdition& e : entrees) {
        QAction* a = e.action;
        if (!a)
            continue;
        const Etat etat = e.etat;
        connexions << ui::connecterGarde(
            ctx, a, &QAction::triggered, fenetre, [&ctx, fenetre, etat, expedition] {
                const ui::Sablier sablier;
                EditerEtat(ctx, etat, expedition(),
                           [&](const Document& document) { ouvrirApercu(ctx, document, fenetre); });
            });
        a->setEnabled(true);
    }
    return connexions;
}

void debrancherEditions(const QList<EntreeEdition>& entrees,
                        QList<QMetaObject::Connection>& connexions) {
    for (const QMetaObject::Connection& c : connexions)
        QObject::disconnect(c);
    connexions.clear();
    for (const EntreeEdition& e : entrees)
        if (e.action)
            e.action->setEnabled(false);
}

} // namespace tarvo::editions
