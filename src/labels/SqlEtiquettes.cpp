#include "SqlEtiquettes.h"

namespace tarvo::etiquettes::sql {

const db::TexteSql ArticleParCodeBarre{
    QStringLiteral("SELECT [Code barres Article], [Libellé], lib_art_couleur FROM Article "
                   "WHERE [Code barres Article] = :codeBarre")};

} // namespace tarvo::etiquettes::sql
