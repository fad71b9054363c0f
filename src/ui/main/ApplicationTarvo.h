#pragma once

#include <QApplication>

namespace tarvo {
struct Contexte;
}

namespace tarvo::ui {

// The desktop application. A failure that escapes a window's handler does
// not bring the program down: an ErreurTarvo (or any standard exception)
// shows the detailed error box, an ArretProgramme ends the program at once
// without saving the main window's geometry.
class ApplicationTarvo : public QApplication {
    Q_OBJECT
public:
    ApplicationTarvo(int& argc, char** argv);

    // The context whose boxes report the failures; none before start-up.
    void setContexte(Contexte* ctx) { ctx_ = ctx; }

    bool notify(QObject* destinataire, QEvent* evenement) override;

private:
    void arreter(int code);

    Contexte* ctx_ = nullptr;
};

} // namespace tarvo::ui
