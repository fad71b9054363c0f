#include "DialoguesFichiers.h"

#include "base/Francais.h"
#include "base/Version.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QSettings>
#include <QStandardPaths>

namespace tarvo::ui {
namespace {

// The columns of Qt's file list.
constexpr int ColonneTaille = 1;
constexpr int ColonneDate = 3;

class ListeFrancaise : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        const auto* fichiers = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || fichiers == nullptr)
            return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        if (index.column() == ColonneDate)
            return fichiers->lastModified(source).toString(QStringLiteral("dd/MM/yyyy HH:mm"));
        if (index.column() == ColonneTaille && !fichiers->isDir(source))
            return localeFrancaise().formattedDataSize(fichiers->size(source));
        return QIdentityProxyModel::data(index, role);
    }
};

// Gives each file dialog the French list as it is first shown, once its
// widgets exist.
class Francisation : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override {
        if (evenement->type() == QEvent::Show)
            if (auto* dialogue = qobject_cast<QFileDialog*>(objet);
                dialogue != nullptr && dialogue->proxyModel() == nullptr)
                dialogue->setProxyModel(new ListeFrancaise(dialogue));
        return false;
    }
};

struct Genre {
    QString cle;
    QString filtre;
    QString extension;
};

Genre genre(GenreFichier g) {
    switch (g) {
    case GenreFichier::Pdf:
        return {QStringLiteral("PDF"), QStringLiteral("Documents PDF (*.pdf)"),
                QStringLiteral("pdf")};
    case GenreFichier::Csv:
        break;
    }
    return {QStringLiteral("CSV"), QStringLiteral("Fichiers CSV (*.csv)"), QStringLiteral("csv")};
}

// Beside the main window's geometry, in the person's own settings.
QString cleReglage(GenreFichier g) {
    return QStringLiteral("Dossiers/") + genre(g).cle;
}

} // namespace

QString dossierEnregistrement(GenreFichier g) {
    const QString dernier = QSettings(NomProduit(), NomProduit()).value(cleReglage(g)).toString();
    if (!dernier.isEmpty() && QFileInfo(dernier).isDir())
        return dernier;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents;
    return QDir::homePath();
}

void retenirDossierEnregistrement(GenreFichier g, const QString& fichier) {
    QSettings reglages(NomProduit(), NomProduit());
    reglages.setValue(cleReglage(g), QFileInfo(fichier).absolutePath());
    reglages.sync();
}

QString choisirFichierEnregistrement(QWidget* proprietaire, const QString& titre, GenreFichier g,
                                     const QString& nom) {
    const Genre d = genre(g);
    QFileDialog dialogue(proprietaire, titre, dossierEnregistrement(g), d.filtre);
    dialogue.setAcceptMode(QFileDialog::AcceptSave);
    // The dialog asks before replacing the file really written.
    dialogue.setDefaultSuffix(d.extension);
    dialogue.selectFile(nom);
    if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty())
        return QString();
    const QString choisi = dialogue.selectedFiles().constFirst();
    retenirDossierEnregistrement(g, choisi);
    return choisi;
}

void franciserDialoguesFichiers(QApplication& application) {
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    application.installEventFilter(new Francisation(&application));
}

} // namespace tarvo::ui
