#include "MargeGauche.h"

#include "app/Contexte.h"
#include "base/Erreur.h"
#include "base/Ini.h"

#include <limits>

namespace tarvo::etiquettes {

int LireMargeGauche(Contexte& ctx, const UsageMarge& usage) {
    const QString texte = LireIni(ctx, usage.cle, QStringLiteral("[ZEBRA]"));
    bool ok = false;
    const int marge = texte.trimmed().toInt(&ok);
    const qint64 premier = qint64{marge} + usage.premierDecalage;
    const qint64 dernier = qint64{marge} + usage.dernierDecalage;
    if (!ok || premier < std::numeric_limits<int>::min() ||
        dernier > std::numeric_limits<int>::max())
        throw ErreurTarvo(NumeroErreur::DonneeInvalide, usage.source,
                          QStringLiteral("La marge gauche des étiquettes %1 (clé %2 de la "
                                         "section [ZEBRA]) doit être un nombre entier de points "
                                         ": « %3 » ne convient pas.")
                              .arg(usage.etiquettes, usage.cle, texte));
    return marge;
}

} // namespace tarvo::etiquettes
