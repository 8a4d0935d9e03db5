// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/KeyboardLocks.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>

KeyboardLocks readKeyboardLocks()
{
    KeyboardLocks locks;
    const auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->display())
        return locks;
    unsigned int state = 0;
    if (XkbGetIndicatorState(x11->display(), XkbUseCoreKbd, &state) != Success)
        return locks;
    locks.capsLock = (state & 0x01) != 0;
    locks.numLock = (state & 0x02) != 0;
    return locks;
}
