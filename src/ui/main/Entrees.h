#pragma once

#include <QStringView>

namespace tarvo::ui {

// Every menu and toolbar entry a command can be connected to, named after
// its control. A subsystem names its entries through this type, so that a
// misspelt entry does not compile.
enum class Entree {
    // Fichier
    mnuFichierArticle,
    mnuFichierExp,
    mnuVerifData,
    mnuIntegData,
    mnuJournal,
    mnuFileExit,
    // Expéditions
    mnuCreaExpAuto,
    mnuCreaExpManuel,
    mnuModifExp,
    mnuSuiviPrep,
    mnuRechExp,
    // Etiquettes
    mnuEditEtiqCodeBarre,
    // Terminaux
    mnuPosteColisage,
    // Outils
    mnuToolSynchroArticle,
    mnuInfoSoc,
    // Fenêtre
    mnuWindowCascade,
    mnuWindowTileHorizontal,
    mnuWindowTileVertical,
    mnuWindowArrangeIcons,
    // ?
    mnuHelpAbout,
    // The printouts menu the shipment modification window pops up.
    mnuBonExp,
    mnuEdEtiqExp,
    mnuEdListeArticleExp,
    mnuEdEtatControle,
    mnuEdEtatControleArt,
    mnuEdListeColisage,
    // The toolbars.
    tbCreerExp,
    tbModeAuto,
    tbModeManuel,
    tbModifExp,
    tbSuiviPrep,
    tbRechercher,
    tbEtiqArticle,
    tbTransfert,
    tbFichierArticle,
    tbFichierExp,
    tbVerifData,
    tbIntegData,
    tbPosteColisage,
};

struct DescriptionEntree {
    // The control's name, the entry's objectName.
    QStringView nomControle;
    QStringView libelle;
};

DescriptionEntree description(Entree entree);

} // namespace tarvo::ui
