#pragma once

namespace tarvo::ui {

class CadreCommandes;

// Connects the "Outils" entries "Synchroniser le fichier article" and
// "Informations société".
void brancherCatalogue(CadreCommandes& fenetre);

} // namespace tarvo::ui
