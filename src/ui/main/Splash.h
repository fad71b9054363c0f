#pragma once

#include <QWidget>

namespace tarvo::ui {

// frmSplash: shown while the program starts, until the main window opens.
class FenetreDemarrage : public QWidget {
    Q_OBJECT
public:
    explicit FenetreDemarrage(QWidget* parent = nullptr);

    // Shows the window and paints it at once, before the slow start-up steps.
    void afficher();
};

} // namespace tarvo::ui
