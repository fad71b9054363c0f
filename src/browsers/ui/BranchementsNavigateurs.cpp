#include "BranchementsNavigateurs.h"

#include "FichierArticle.h"
#include "Journal.h"
#include "ui/main/FenetrePrincipale.h"

#include <QAction>

namespace tarvo::ui {

void brancherNavigateurs(FenetrePrincipale& fenetre) {
    fenetre.brancher(QStringLiteral("mnuFichierArticle"), [&fenetre] {
        fenetre.ouvrirFenetre(QStringLiteral("FichierArticle"), [&fenetre]() -> QWidget* {
            // The same command as the toolbar's "Fichier article" entry.
            return new navigateurs::FichierArticle(fenetre.contexte(), [&fenetre] {
                if (QAction* generer = fenetre.action(QStringLiteral("tbFichierArticle")))
                    generer->trigger();
            });
        });
    });
    fenetre.brancher(QStringLiteral("mnuJournal"), [&fenetre] {
        fenetre.ouvrirFenetre(QStringLiteral("Journal"), [&fenetre]() -> QWidget* {
            return new navigateurs::Journal(fenetre.contexte());
        });
    });
}

} // namespace tarvo::ui
