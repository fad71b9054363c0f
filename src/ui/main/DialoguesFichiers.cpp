#include "DialoguesFichiers.h"

#include "base/Francais.h"

#include <QApplication>
#include <QEvent>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>

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

} // namespace

void franciserDialoguesFichiers(QApplication& application) {
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    application.installEventFilter(new Francisation(&application));
}

} // namespace tarvo::ui
