#include "BranchementsNavigateurs.h"

#include "FichierArticle.h"
#include "Journal.h"
#include "ui/main/CadreCommandes.h"

#include <QAction>

namespace tarvo::ui {

void brancherNavigateurs(CadreCommandes& fenetre) {
    fenetre.brancher(Entree::mnuFichierArticle, [&fenetre] {
        fenetre.ouvrirFenetre(QStringLiteral("FichierArticle"), [&fenetre]() -> QWidget* {
            // The same command as the toolbar's "Fichier article" entry.
            return new navigateurs::FichierArticle(fenetre.contexte(), [&fenetre] {
                if (QAction* generer = fenetre.action(Entree::tbFichierArticle))
                    generer->trigger();
            });
        });
    });
    fenetre.brancher(Entree::mnuJournal, [&fenetre] {
        fenetre.ouvrirFenetre(QStringLiteral("Journal"), [&fenetre]() -> QWidget* {
            return new navigateurs::Journal(fenetre.contexte());
        });
    });
}

} // namespace tarvo::ui
