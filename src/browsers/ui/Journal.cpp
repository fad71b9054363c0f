#include "Journal.h"

#include "app/Contexte.h"
#include "base/Erreur.h"
#include "browsers/Tables.h"
#include "ui/main/Garde.h"
#include "ui/main/Sablier.h"

#include <QAction>
#include <QStyle>
#include <QTableView>
#include <QToolBar>

namespace tarvo::navigateurs {

Journal::Journal(Contexte& ctx, QWidget* parent)
    : FenetreNavigation(ctx, TableJournal(), Comparaison::Exacte, parent) {
    setObjectName(QStringLiteral("Journal"));
    setWindowTitle(QStringLiteral("Journal des saisies de données SCANPAL2"));
    construireBarre(QStringLiteral("Filtre hors sélection"));
    auto* actualiser = new QAction(style()->standardIcon(QStyle::SP_BrowserReload),
                                   QStringLiteral("Actualiser"), this);
    actualiser->setObjectName(QStringLiteral("tbActualiser"));
    actualiser->setToolTip(QStringLiteral("Actualiser"));
    ui::connecterGarde(ctx, actualiser, &QAction::triggered, this, &Journal::Actualiser);
    barre()->addAction(actualiser);
    ajusterColonnes();
    resize(980, 560);
}

void Journal::Actualiser() {
    const ui::Sablier sablier;
    try {
        modele().actualiser(Vue{});
    } catch (const ErreurTarvo& e) {
        ctx().afficheStatut(QStringLiteral("Actualisation impossible : ") + e.erreur().description);
        return;
    }
    ctx().afficheStatut(QString());
    if (modele().rowCount() > 0)
        grille()->setCurrentIndex(modele().index(0, 0));
    ajusterColonnes();
}

} // namespace tarvo::navigateurs
