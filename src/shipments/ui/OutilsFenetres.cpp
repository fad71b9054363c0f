#include "OutilsFenetres.h"

#include "ui/main/Garde.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

namespace tarvo::expeditions {
namespace {

// Waits for the window's first show to learn whether it sits in the working
// area, then follows the activations of its frame.
class Activation : public QObject {
public:
    Activation(QWidget* fenetre, std::function<void()> action)
        : QObject(fenetre), fenetre_(fenetre), action_(std::move(action)) {
        fenetre->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override {
        if (objet == fenetre_ && evenement->type() == QEvent::Show && !cadre_) {
            cadre_ = qobject_cast<QMdiSubWindow*>(fenetre_->parentWidget());
            if (cadre_)
                // After the frame has given the focus back to its last widget.
                connect(cadre_, &QMdiSubWindow::aboutToActivate, this,
                        [this] { QTimer::singleShot(0, this, [this] { action_(); }); });
        }
        if (objet == fenetre_ && evenement->type() == QEvent::WindowActivate && !cadre_)
            action_();
        return false;
    }

private:
    QWidget* fenetre_;
    QPointer<QMdiSubWindow> cadre_;
    std::function<void()> action_;
};

} // namespace

void surActivation(Contexte& ctx, QWidget* fenetre, const std::function<void()>& action) {
    new Activation(fenetre, [&ctx, action] { ui::garde(ctx, action); });
}

QWidget* barreBoutons(QWidget* fenetre, std::initializer_list<QPushButton*> boutons) {
    auto* barre = new QWidget(fenetre);
    barre->setObjectName(QStringLiteral("BarreBt"));
    auto* disposition = new QHBoxLayout(barre);
    disposition->setContentsMargins(0, 0, 0, 0);
    for (QPushButton* bouton : boutons)
        disposition->addWidget(bouton);
    disposition->addStretch(1);
    return barre;
}

} // namespace tarvo::expeditions
