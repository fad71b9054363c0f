#include "EtatVerrous.h"

#include <QGuiApplication>

#if defined(Q_OS_WIN)
#include <windows.h>
#elif defined(TARVO_X11)
#include <X11/XKBlib.h>
#endif

namespace tarvo::ui {

std::optional<Verrous> lireVerrous() {
#if defined(Q_OS_WIN)
    return Verrous{(GetKeyState(VK_CAPITAL) & 1) != 0, (GetKeyState(VK_NUMLOCK) & 1) != 0};
#elif defined(TARVO_X11)
    const auto* x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->display())
        return std::nullopt;
    unsigned int indicateurs = 0;
    if (XkbGetIndicatorState(x11->display(), XkbUseCoreKbd, &indicateurs) != Success)
        return std::nullopt;
    // The core keyboard's first two indicators are caps lock and num lock.
    return Verrous{(indicateurs & 1u) != 0, (indicateurs & 2u) != 0};
#else
    return std::nullopt;
#endif
}

} // namespace tarvo::ui
