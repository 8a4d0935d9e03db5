// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

// The lock keys' states, where the display tells them (X11); unknown elsewhere.
struct KeyboardLocks {
    std::optional<bool> capsLock;
    std::optional<bool> numLock;
};

KeyboardLocks readKeyboardLocks();
