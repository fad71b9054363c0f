#pragma once

#include <QDialog>

namespace tarvo {
struct Contexte;
}

namespace tarvo::ui {

// frmAbout: the program's identity and the way to the system information tool.
class FenetreAPropos : public QDialog {
    Q_OBJECT
public:
    explicit FenetreAPropos(Contexte& ctx, QWidget* parent = nullptr);

    // Starts the platform's system information tool, or says it is not there.
    void informationsSysteme();

private:
    Contexte& ctx_;
};

} // namespace tarvo::ui
