#pragma once
// The combinations the Preferences dialog's hot key box accepts.

namespace pw {

// The modifiers of a hot key combination, as bits.
inline constexpr unsigned kHotKeyShift = 1;
inline constexpr unsigned kHotKeyCtrl = 2;
inline constexpr unsigned kHotKeyAlt = 4;
inline constexpr unsigned kHotKeyMeta = 8;

// The modifiers the hot key box keeps for a combination: a key without modifier, and the
// combinations Shift+Ctrl, Ctrl+Alt and Shift+Ctrl+Alt, become Ctrl and the key; everything
// else (Ctrl, Shift, Alt, Shift+Alt, anything with Meta) stays as pressed.
unsigned AdmittedHotKeyModifiers(unsigned modifiers);

} // namespace pw
