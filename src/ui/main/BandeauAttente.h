#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace tarvo::ui {

// The strip a window shows while its work runs off its thread: what it is
// doing, a bar that moves, and « Annuler ». Hidden the rest of the time.
class BandeauAttente : public QWidget {
    Q_OBJECT
public:
    explicit BandeauAttente(QWidget* parent = nullptr);

    void montrer(const QString& texte);

signals:
    void annule();

private:
    QLabel* texte_;
};

} // namespace tarvo::ui
