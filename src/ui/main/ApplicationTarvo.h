#pragma once

#include <QApplication>

namespace tarvo {
struct Contexte;
}

namespace tarvo::ui {

// The desktop application. Every slot and handler that calls the core runs
// it through garde() (Garde.h), so no exception should reach the event loop.
// One that does is a fault: a debug build stops at once with its text; a
// release build, as a last resort, shows the detailed error box (an
// ArretProgramme ends the program) and goes on.
class ApplicationTarvo : public QApplication {
    Q_OBJECT
public:
    ApplicationTarvo(int& argc, char** argv);

    // The context whose boxes report the failures; none before start-up.
    void setContexte(Contexte* ctx) { ctx_ = ctx; }

    bool notify(QObject* destinataire, QEvent* evenement) override;

private:
    Contexte* ctx_ = nullptr;
};

} // namespace tarvo::ui
