#include "Version.h"

namespace tarvo {

QString VersionCourante() {
    return QString::number(TARVO_VERSION_MAJEURE) + u'.' + QString::number(TARVO_VERSION_MINEURE) +
           u'.' + QString::number(TARVO_VERSION_REVISION);
}

QString NomProduit() {
    return QStringLiteral("Tarvo");
}

QString NomSociete() {
    return QStringLiteral("Tarvo");
}

QString DescriptionFichier() {
    return QStringLiteral("Gestion des expéditions de marchandise à l'aide de terminaux portables "
                          "lecteur de code barres.   Ce logiciel est interfacé avec la Gestion "
                          "Commerciale Sage Ligne 100 SQL Server.");
}

} // namespace tarvo
