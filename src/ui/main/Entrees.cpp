#include "Entrees.h"

#include <QtGlobal>

namespace tarvo::ui {

// A switch without default: an entry added to the enumeration without its
// name and caption fails the build (-Wswitch).
DescriptionEntree description(Entree entree) {
    switch (entree) {
    case Entree::mnuFichierArticle:
        return {u"mnuFichierArticle", u"Générer fichier Article"};
    case Entree::mnuFichierExp:
        return {u"mnuFichierExp", u"Générer fichier Expédition"};
    case Entree::mnuVerifData:
        return {u"mnuVerifData", u"Vérifier"};
    case Entree::mnuIntegData:
        return {u"mnuIntegData", u"Intégration des données"};
    case Entree::mnuJournal:
        return {u"mnuJournal", u"Journal intégration des données"};
    case Entree::mnuFileExit:
        return {u"mnuFileExit", u"&Quitter"};
    case Entree::mnuCreaExpAuto:
        return {u"mnuCreaExpAuto", u"Mode Automatique"};
    case Entree::mnuCreaExpManuel:
        return {u"mnuCreaExpManuel", u"Mode Manuel"};
    case Entree::mnuModifExp:
        return {u"mnuModifExp", u"Modification des expéditions"};
    case Entree::mnuSuiviPrep:
        return {u"mnuSuiviPrep", u"Suivi des préparations"};
    case Entree::mnuRechExp:
        return {u"mnuRechExp", u"Recherche"};
    case Entree::mnuEditEtiqCodeBarre:
        return {u"mnuEditEtiqCodeBarre", u"Edition étiquettes code barres article"};
    case Entree::mnuPosteColisage:
        return {u"mnuPosteColisage", u"Poste de colisage"};
    case Entree::mnuToolSynchroArticle:
        return {u"mnuToolSynchroArticle", u"Synchroniser le fichier article"};
    case Entree::mnuInfoSoc:
        return {u"mnuInfoSoc", u"Informations société"};
    case Entree::mnuWindowCascade:
        return {u"mnuWindowCascade", u"&En cascade"};
    case Entree::mnuWindowTileHorizontal:
        return {u"mnuWindowTileHorizontal", u"Mosaïque &horizontale"};
    case Entree::mnuWindowTileVertical:
        return {u"mnuWindowTileVertical", u"Mosaïque &verticale"};
    case Entree::mnuWindowArrangeIcons:
        return {u"mnuWindowArrangeIcons", u"&Réorganiser les icônes"};
    case Entree::mnuHelpAbout:
        return {u"mnuHelpAbout", u"À &propos de "};
    case Entree::mnuBonExp:
        return {u"mnuBonExp", u"Bon d'expédition"};
    case Entree::mnuEdEtiqExp:
        return {u"mnuEdEtiqExp", u"Etiquettes expédition"};
    case Entree::mnuEdListeArticleExp:
        return {u"mnuEdListeArticleExp", u"Liste articles de l'expédition"};
    case Entree::mnuEdEtatControle:
        return {u"mnuEdEtatControle", u"Etat de contrôle (Codes Barre)"};
    case Entree::mnuEdEtatControleArt:
        return {u"mnuEdEtatControleArt", u"Etat de contrôle (Codes Article)"};
    case Entree::mnuEdListeColisage:
        return {u"mnuEdListeColisage", u"Liste de colisage"};
    case Entree::tbCreerExp:
        return {u"tbCreerExp", u"Créer expédition"};
    case Entree::tbModeAuto:
        return {u"tbModeAuto", u"Mode Automatique"};
    case Entree::tbModeManuel:
        return {u"tbModeManuel", u"Mode Manuel"};
    case Entree::tbModifExp:
        return {u"tbModifExp", u"Modifier expédition"};
    case Entree::tbSuiviPrep:
        return {u"tbSuiviPrep", u"Suivi préparations"};
    case Entree::tbRechercher:
        return {u"tbRechercher", u"Rechercher"};
    case Entree::tbEtiqArticle:
        return {u"tbEtiqArticle", u"Etiquette article"};
    case Entree::tbTransfert:
        return {u"tbTransfert", u"Transfert fichier"};
    case Entree::tbFichierArticle:
        return {u"tbFichierArticle", u"Fichier article"};
    case Entree::tbFichierExp:
        return {u"tbFichierExp", u"Fichier expédition"};
    case Entree::tbVerifData:
        return {u"tbVerifData", u"Vérifier"};
    case Entree::tbIntegData:
        return {u"tbIntegData", u"Intégration des données"};
    case Entree::tbPosteColisage:
        return {u"tbPosteColisage", u"Poste de colisage"};
    }
    Q_UNREACHABLE();
    return {};
}

} // namespace tarvo::ui
