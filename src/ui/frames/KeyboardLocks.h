#pragma once

#include <optional>

namespace qx::ui {

/// The lock keys' states as the desktop reports them; a lock whose state the desktop cannot tell
/// (no X11 keyboard, no such indicator on this keyboard) is empty.
struct KeyboardLocks {
    std::optional<bool> kana;
    std::optional<bool> capsLock;
    std::optional<bool> numLock;
    std::optional<bool> scrollLock;
};

/// Asks the desktop now. Cheap enough to call after every key.
KeyboardLocks readKeyboardLocks();

} // namespace qx::ui
