#pragma once

#include <optional>

namespace tarvo::ui {

// The caps lock and num lock states of the keyboard.
struct Verrous {
    bool majuscules = false;
    bool numerique = false;
};

// The states as the platform tells them (the X11 keyboard extension, the
// Windows key state); none where it does not, as on Wayland or offscreen.
std::optional<Verrous> lireVerrous();

} // namespace tarvo::ui
