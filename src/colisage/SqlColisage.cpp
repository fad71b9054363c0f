#include "SqlColisage.h"

namespace tarvo::colisage::sql {

const db::TexteSql EtatExpedition{
    QStringLiteral("SELECT [Libellé 1], [Libellé 2], [Date cloture] FROM [Expédition] "
                   "WHERE [No Expédition] = :noExpedition")};

const db::TexteSql DernierColis{
    QStringLiteral("SELECT MAX([No Colis]) FROM Colis WHERE [No Expédition] = :noExpedition")};

const db::TexteSql Colis{
    QStringLiteral("SELECT [Poids colis], [Date mise à jour] FROM Colis "
                   "WHERE [No Expédition] = :noExpedition AND [No Colis] = :colis")};

const db::TexteSql ContenuColis{
    QStringLiteral("SELECT [Code barres Article], [Quantité] FROM Colisage "
                   "WHERE [No Expédition] = :noExpedition AND [No Colis] = :colis "
                   "ORDER BY [Code barres Article]")};

const db::TexteSql MiseAJourColisage{QStringLiteral(
    "SELECT [Date mise à jour] FROM Colisage WHERE [No Expédition] = "
    ":noExpedition AND [No Colis] = :colis AND [Code barres Article] = :codeBarres")};

const db::TexteSql Article{QStringLiteral(
    "SELECT lib_art_couleur FROM Article WHERE [Code barres Article] = :codeBarres")};

} // namespace tarvo::colisage::sql
