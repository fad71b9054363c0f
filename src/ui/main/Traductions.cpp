#include "Traductions.h"

#include "app/Francais.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace tarvo::ui {

bool chargerTraductions(QCoreApplication& application) {
    // An installed package may carry its own copy beside the program.
    const QStringList dossiers = {
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations")),
        QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
    for (const QString& dossier : dossiers) {
        auto* traducteur = new QTranslator(&application);
        if (traducteur->load(localeFrancaise(), QStringLiteral("qtbase"), QStringLiteral("_"),
                             dossier)) {
            QCoreApplication::installTranslator(traducteur);
            return true;
        }
        delete traducteur;
    }
    return false;
}

} // namespace tarvo::ui
