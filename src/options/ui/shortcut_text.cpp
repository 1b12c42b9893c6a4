#include "options/ui/shortcut_text.h"

#include <QKeySequence>

#include "framework/logging.h"
#include "options/hot_key_rule.h"
#include "platform/global_hot_key.h"

namespace pw {

namespace {
bool IsModifierKey(Qt::Key key) {
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt ||
           key == Qt::Key_Meta || key == Qt::Key_AltGr || key == Qt::Key_Super_L ||
           key == Qt::Key_Super_R || key == Qt::Key_Hyper_L || key == Qt::Key_Hyper_R;
}

unsigned ModifierBits(Qt::KeyboardModifiers modifiers) {
    unsigned bits = 0;
    if (modifiers & Qt::ShiftModifier)
        bits |= kHotKeyShift;
    if (modifiers & Qt::ControlModifier)
        bits |= kHotKeyCtrl;
    if (modifiers & Qt::AltModifier)
        bits |= kHotKeyAlt;
    if (modifiers & Qt::MetaModifier)
        bits |= kHotKeyMeta;
    return bits;
}

Qt::KeyboardModifiers QtModifiers(unsigned bits) {
    Qt::KeyboardModifiers modifiers;
    if (bits & kHotKeyShift)
        modifiers |= Qt::ShiftModifier;
    if (bits & kHotKeyCtrl)
        modifiers |= Qt::ControlModifier;
    if (bits & kHotKeyAlt)
        modifiers |= Qt::AltModifier;
    if (bits & kHotKeyMeta)
        modifiers |= Qt::MetaModifier;
    return modifiers;
}
} // namespace

QKeyCombination ParseShortCutText(const std::string& text) {
    const QString whole = QString::fromStdString(text);
    if (whole.isEmpty())
        return {};
    const QKeySequence sequence = QKeySequence::fromString(whole, QKeySequence::PortableText);
    if (sequence.count() != 1)
        return {};
    const QKeyCombination combination = sequence[0];
    const Qt::Key key = combination.key();
    if (key == Qt::Key(0) || key == Qt::Key_unknown || IsModifierKey(key))
        return {};
    // The parser makes some key of any word: the text names a combination only when each part
    // before the last "+" is a modifier and the last part is the name the formatter gives the
    // key ("Ctrl++" names the plus key).
    qsizetype split = whole.lastIndexOf(u'+');
    if (split > 0 && split == whole.size() - 1 && whole.at(split - 1) == u'+')
        --split;
    const QString keyName = split < 0 ? whole : whole.mid(split + 1);
    const QString formatted = QKeySequence(key).toString(QKeySequence::PortableText);
    if (formatted.compare(keyName.trimmed(), Qt::CaseInsensitive) != 0)
        return {};
    if (split > 0) {
        static const QStringList kModifiers = {"ctrl", "shift", "alt", "meta", "num"};
        for (const QString& part : whole.left(split).split(u'+')) {
            if (!kModifiers.contains(part.trimmed().toLower()))
                return {};
        }
    }
    return combination;
}

bool IsShortCutText(const std::string& text) {
    return text.empty() || HasKey(ParseShortCutText(text));
}

std::string ShortCutText(QKeyCombination key) {
    if (!HasKey(key))
        return {};
    return QKeySequence(key).toString(QKeySequence::PortableText).toStdString();
}

QKeyCombination AdmittedHotKey(QKeyCombination key) {
    if (!HasKey(key) || IsModifierKey(key.key()))
        return {};
    const unsigned bits = AdmittedHotKeyModifiers(ModifierBits(key.keyboardModifiers()));
    return QKeyCombination(QtModifiers(bits), key.key());
}

bool ApplyHotKeyText(GlobalHotKey& hotKey, const std::string& text, ThvLogging* log) {
    const QKeyCombination key = ParseShortCutText(text);
    const QKeyCombination before = hotKey.ShortCut();
    const bool wasActive = hotKey.IsActive();
    if (hotKey.SetShortCut(key))
        return true;
    if (text.empty() || !log)
        return false;
    std::string message = "Hot key \"" + text + "\": ";
    if (!HasKey(key))
        message += "the text is not a key combination";
    else
        message += GlobalHotKey::FailureText(hotKey.Failure());
    if (hotKey.IsActive() && wasActive)
        message += "; " + ShortCutText(before) + " stays active";
    else
        message += "; no hot key is active";
    const LogSender who{"GlobalHotKey", std::string("JvApplicationHotKey")};
    log->Log(&who, nullptr, message, "ApplyOptions_HotKey");
    return false;
}

} // namespace pw
