#pragma once

namespace tarvo::ui {

class FenetrePrincipale;

// Connects the "Outils" entries "Synchroniser le fichier article" and
// "Informations société".
void brancherCatalogue(FenetrePrincipale& fenetre);

} // namespace tarvo::ui
