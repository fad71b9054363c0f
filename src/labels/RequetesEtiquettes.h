#pragma once

#include <QString>

// Every SQL text of the label commands; values are bound, never pasted.
namespace tarvo::etiquettes::Requetes {

// One article by its bar code (bound: the bar code).
inline const QString ArticleParCodeBarre =
    QStringLiteral("SELECT [Code barres Article], Libellé, lib_art_couleur FROM Article "
                   "WHERE [Code barres Article] = ?");

// What the parcel labels need of a shipment (bound: the shipment number).
inline const QString ExpeditionEtiquettes = QStringLiteral(
    "SELECT [No Expédition], [Libellé 1], [Libellé 2], [No lieu livraison], [Nbr colis réel], "
    "[Nbr colis théorique] FROM Expédition WHERE [No Expédition] = ?");

// The delivery address of a shipment (bound: the delivery place number).
inline const QString AdresseLivraison =
    QStringLiteral("SELECT LI_No, LI_Intitule, LI_Adresse, LI_Complement, LI_CodePostal, "
                   "LI_Ville, LI_Pays FROM F_LIVRAISON WHERE LI_No = ?");

} // namespace tarvo::etiquettes::Requetes
