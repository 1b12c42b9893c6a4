#pragma once
// Qt key codes as X11 key symbols, for the global hot key.

#include <QKeyCombination>
#include <cstdint>
#include <vector>

namespace pw {

// The key symbols that stand for a Qt key on an X11 keyboard (a letter gives its lower- and
// upper-case symbol); empty for keys without one (modifiers alone, unknown keys).
std::vector<uint32_t> KeysymsForQtKey(Qt::Key key);

// X11 modifier masks of Shift, Control, Alt (Mod1) and Meta/Super (Mod4): the modifiers a hot
// key is told apart by.
inline constexpr uint16_t kX11ShiftMask = 0x0001;
inline constexpr uint16_t kX11LockMask = 0x0002;
inline constexpr uint16_t kX11ControlMask = 0x0004;
inline constexpr uint16_t kX11AltMask = 0x0008;
inline constexpr uint16_t kX11SuperMask = 0x0040;
inline constexpr uint16_t kX11HotKeyModifiers =
    kX11ShiftMask | kX11ControlMask | kX11AltMask | kX11SuperMask;
inline constexpr uint32_t kKeysymNumLock = 0xff7f;

uint16_t X11ModifiersForQt(Qt::KeyboardModifiers modifiers);

} // namespace pw
