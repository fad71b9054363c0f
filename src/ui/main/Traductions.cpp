#include "Traductions.h"

#include "base/Francais.h"

#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <QLibraryInfo>
#include <QTranslator>

namespace tarvo::ui {
namespace {

// Texts of Qt's file list that the translation files miss: they still carry
// them under the name the class had before Qt 6.
class TextesManquants : public QTranslator {
public:
    using QTranslator::QTranslator;

    QString translate(const char* contexte, const char* texte, const char*, int) const override {
        if (qstrcmp(contexte, "QAbstractFileIconProvider") != 0)
            return {};
        static const QHash<QByteArray, QString> francais{
            {"Folder", QStringLiteral("Dossier")}, {"Drive", QStringLiteral("Lecteur")},
            {"File", QStringLiteral("Fichier")},   {"%1 File", QStringLiteral("Fichier %1")},
            {"Alias", QStringLiteral("Alias")},    {"Shortcut", QStringLiteral("Raccourci")},
        };
        return francais.value(QByteArray(texte));
    }
    bool isEmpty() const override { return false; }
};

} // namespace

bool chargerTraductions(QCoreApplication& application) {
    QCoreApplication::installTranslator(new TextesManquants(&application));
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
