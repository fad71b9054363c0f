#pragma once

#include <QGuiApplication>

namespace tarvo::ui {

// The hourglass while the database works, taken down on every way out.
class Sablier {
public:
    Sablier() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Sablier() { QGuiApplication::restoreOverrideCursor(); }
    Sablier(const Sablier&) = delete;
    Sablier& operator=(const Sablier&) = delete;
};

} // namespace tarvo::ui
