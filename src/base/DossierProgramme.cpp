#include "DossierProgramme.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tarvo {

QString DossierProgramme() {
    const QString nomme = qEnvironmentVariable("TARVO_DIR");
    if (!nomme.isEmpty())
        return QDir(nomme).absolutePath();
    const QDir programme(QCoreApplication::applicationDirPath());
    // An installed program has its desktop entry beside its bin folder.
    const bool installe = QFileInfo::exists(
        programme.filePath(QStringLiteral("../share/applications/tarvo.desktop")));
    if (!installe || QFileInfo::exists(programme.filePath(QStringLiteral("TARVOX.ini"))))
        return programme.absolutePath();
    const QString utilisateur =
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
            .filePath(QStringLiteral("tarvo"));
    QDir().mkpath(utilisateur);
    return utilisateur;
}

} // namespace tarvo
