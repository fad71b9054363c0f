#include "Tables.h"

#include "SqlNavigateurs.h"

namespace tarvo::navigateurs {

using db::Genre;

const TableNavigable& TableJournal() {
    static const TableNavigable table{
        &sql::TableJournal,
        &sql::CleJournal,
        {
            {QStringLiteral("Code type ligne"), QStringLiteral("Code type ligne"), Genre::Texte},
            {QStringLiteral("No Expédition"), QStringLiteral("No Expédition"), Genre::Nombre},
            {QStringLiteral("No Colis"), QStringLiteral("No Colis"), Genre::Texte},
            {QStringLiteral("Code barres Article"), QStringLiteral("Code barres Article"),
             Genre::Texte},
            {QStringLiteral("Poids colis"), QStringLiteral("Poids colis"), Genre::Nombre},
            {QStringLiteral("Quantité"), QStringLiteral("Quantité"), Genre::Nombre},
            {QStringLiteral("Date saisie"), QStringLiteral("Date saisie"), Genre::Date},
            {QStringLiteral("Date intégration"), QStringLiteral("Date intégration"), Genre::Date},
        },
        true};
    return table;
}

const TableNavigable& TableArticle() {
    static const TableNavigable table{
        &sql::TableArticle,
        &sql::CleArticle,
        {
            {QStringLiteral("Code barres Article"), QStringLiteral("Code barres Article"),
             Genre::Texte},
            {QStringLiteral("Libellé"), QStringLiteral("Libellé"), Genre::Texte},
            {QStringLiteral("Couleur"), QStringLiteral("Couleur"), Genre::Texte},
            {QStringLiteral("AR_Ref"), QStringLiteral("Ref"), Genre::Texte},
        },
        false};
    return table;
}

} // namespace tarvo::navigateurs
