#pragma once
// The option ProgramPopupShortCut as a key combination: read with the toolkit's shortcut
// parser, written with its formatter, and the global hot key set from it.

#include <QKeyCombination>
#include <string>

namespace pw {

class GlobalHotKey;
class ThvLogging;

// True when a combination names a key (the toolkit's empty combination holds Key_unknown).
inline bool HasKey(QKeyCombination key) {
    return key.key() != Qt::Key(0) && key.key() != Qt::Key_unknown;
}

// The combination a shortcut text names: modifier and key names joined by "+" ("CTRL+L"),
// letter case ignored; the first of several. An empty combination when the text is empty or
// does not parse (an unknown name, a modifier without key).
QKeyCombination ParseShortCutText(const std::string& text);
// True when text is empty or parses; false for a text that names no combination.
bool IsShortCutText(const std::string& text);
// The text the formatter writes for a combination ("Ctrl+L"); empty for no combination.
std::string ShortCutText(QKeyCombination key);
// The combination the hot key box keeps for a pressed one (AdmittedHotKeyModifiers).
QKeyCombination AdmittedHotKey(QKeyCombination key);

// Sets hotKey from the option's text. A text that does not parse releases the hot key. A
// combination that cannot be grabbed is logged (when log is given) with the reason; false then.
// An empty text releases the hot key silently.
bool ApplyHotKeyText(GlobalHotKey& hotKey, const std::string& text, ThvLogging* log);

} // namespace pw
