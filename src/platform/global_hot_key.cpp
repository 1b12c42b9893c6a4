#include "platform/global_hot_key.h"

#include "platform/x11_keysym.h"

#include <QGuiApplication>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace pw {

namespace {

// Qt's X11 connection, or null where the program is not an X11 client (offscreen, Wayland):
// there the native interface may exist with null pointers.
xcb_connection_t* X11Connection() {
    auto* app = qGuiApp;
    if (app == nullptr || QGuiApplication::platformName() != QLatin1String("xcb")) {
        return nullptr;
    }
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr) {
        return nullptr;
    }
    xcb_connection_t* connection = x11->connection();
    if (connection == nullptr || xcb_connection_has_error(connection) != 0) {
        return nullptr;
    }
    return connection;
}

// The keyboard as it is mapped now: the key code of a symbol, the modifier NumLock sets.
class KeyboardMap {
public:
    explicit KeyboardMap(xcb_connection_t* c) {
        const xcb_setup_t* setup = xcb_get_setup(c);
        min_ = setup->min_keycode;
        const int count = setup->max_keycode - setup->min_keycode + 1;
        xcb_get_keyboard_mapping_reply_t* reply = xcb_get_keyboard_mapping_reply(
            c, xcb_get_keyboard_mapping(c, min_, static_cast<uint8_t>(count)), nullptr);
        if (reply != nullptr) {
            perCode_ = reply->keysyms_per_keycode;
            const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply);
            syms_.assign(syms, syms + xcb_get_keyboard_mapping_keysyms_length(reply));
            std::free(reply);
        }
        xcb_get_modifier_mapping_reply_t* mods =
            xcb_get_modifier_mapping_reply(c, xcb_get_modifier_mapping(c), nullptr);
        if (mods != nullptr) {
            const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(mods);
            const int perModifier = mods->keycodes_per_modifier;
            for (int m = 0; m < 8; ++m) {
                for (int i = 0; i < perModifier; ++i) {
                    const xcb_keycode_t code = codes[m * perModifier + i];
                    if (code != 0 && HasSymbol(code, kKeysymNumLock, perCode_)) {
                        numLockMask_ = static_cast<uint16_t>(1u << m);
                    }
                }
            }
            std::free(mods);
        }
    }

    // The key that carries one of the symbols, and whether the symbol sits on its shifted level.
    // A key with the symbol on its plain level comes first, then one with it on the shifted
    // level, then any other level. Key code 0 when no key carries it.
    struct KeyOfSymbol {
        uint8_t code = 0;
        bool shifted = false;
    };
    KeyOfSymbol KeyFor(const std::vector<uint32_t>& symbols) const {
        if (perCode_ <= 0) {
            return {};
        }
        const size_t keys = syms_.size() / perCode_;
        for (int column = 0; column < perCode_; ++column) {
            for (size_t index = 0; index < keys; ++index) {
                const xcb_keysym_t sym = syms_[index * perCode_ + column];
                for (uint32_t symbol : symbols) {
                    if (sym == symbol) {
                        // Columns alternate plain and shifted level, group after group.
                        return {static_cast<uint8_t>(min_ + index), column % 2 == 1};
                    }
                }
            }
        }
        return {};
    }
    uint16_t NumLockMask() const { return numLockMask_; }

private:
    bool HasSymbol(xcb_keycode_t code, uint32_t symbol, int columns) const {
        if (code < min_ || perCode_ <= 0) {
            return false;
        }
        const size_t base = static_cast<size_t>(code - min_) * perCode_;
        for (int col = 0; col < columns && base + col < syms_.size(); ++col) {
            if (syms_[base + col] == symbol) {
                return true;
            }
        }
        return false;
    }

    uint8_t min_ = 0;
    int perCode_ = 0;
    std::vector<xcb_keysym_t> syms_;
    uint16_t numLockMask_ = 0;
};

uint8_t XkbFirstEvent(xcb_connection_t* c) {
    static const char kName[] = "XKEYBOARD";
    xcb_query_extension_reply_t* reply = xcb_query_extension_reply(
        c, xcb_query_extension(c, static_cast<uint16_t>(std::strlen(kName)), kName), nullptr);
    uint8_t first = 0;
    if (reply != nullptr) {
        first = reply->present ? reply->first_event : 0;
        std::free(reply);
    }
    return first;
}

// XKB event kinds that change which key carries which symbol.
constexpr uint8_t kXkbNewKeyboardNotify = 0;
constexpr uint8_t kXkbMapNotify = 1;

} // namespace

GlobalHotKey::GlobalHotKey(QObject* parent) : QObject(parent) {
    if (xcb_connection_t* c = X11Connection()) {
        xkbFirstEvent_ = XkbFirstEvent(c);
    }
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
}

GlobalHotKey::~GlobalHotKey() {
    Unregister();
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }
}

bool GlobalHotKey::SetShortCut(const QKeySequence& sequence) {
    if (sequence.isEmpty()) {
        Unregister();
        return false;
    }
    return SetShortCut(sequence[0]);
}

bool GlobalHotKey::SetShortCut(QKeyCombination key) {
    if (active_ && key == shortcut_) {
        return true;
    }
    const QKeyCombination previous = shortcut_;
    const bool wasActive = active_;
    Ungrab();
    shortcut_ = key;
    failure_ = Grab();
    active_ = failure_ == HotKeyFailure::None;
    if (active_) {
        return true;
    }
    if (failure_ == HotKeyFailure::NoShortCut) {
        shortcut_ = QKeyCombination();
    } else if (wasActive &&
               (failure_ == HotKeyFailure::NoKey || failure_ == HotKeyFailure::Taken)) {
        // A refused combination leaves the one that worked in place.
        shortcut_ = previous;
        active_ = Grab() == HotKeyFailure::None;
        if (!active_) {
            shortcut_ = QKeyCombination();
        }
    }
    return false;
}

void GlobalHotKey::Unregister() {
    Ungrab();
    shortcut_ = QKeyCombination();
    active_ = false;
    failure_ = HotKeyFailure::NoShortCut;
}

bool GlobalHotKey::HasShortCut() const {
    return shortcut_.key() != Qt::Key(0) && shortcut_.key() != Qt::Key_unknown;
}

const char* GlobalHotKey::FailureText(HotKeyFailure failure) {
    switch (failure) {
    case HotKeyFailure::None:
        return "registered";
    case HotKeyFailure::NoShortCut:
        return "no key combination";
    case HotKeyFailure::NoDisplay:
        return "no X11 display offers global hot keys";
    case HotKeyFailure::NoKey:
        return "no key of this keyboard gives the combination";
    case HotKeyFailure::Taken:
        return "another program holds the combination";
    }
    return "";
}

HotKeyFailure GlobalHotKey::Grab() {
    const std::vector<uint32_t> symbols = KeysymsForQtKey(shortcut_.key());
    if (symbols.empty()) {
        return HotKeyFailure::NoShortCut;
    }
    xcb_connection_t* c = X11Connection();
    if (c == nullptr) {
        return HotKeyFailure::NoDisplay;
    }
    const KeyboardMap map(c);
    const KeyboardMap::KeyOfSymbol key = map.KeyFor(symbols);
    keycode_ = key.code;
    if (keycode_ == 0) {
        return HotKeyFailure::NoKey;
    }
    modifiers_ = X11ModifiersForQt(shortcut_.keyboardModifiers());
    // "Ctrl+!" is pressed as Ctrl+Shift+1: the grab needs the Shift the symbol takes.
    if (key.shifted) {
        modifiers_ |= kX11ShiftMask;
    }
    const uint16_t numLock = map.NumLockMask();
    lockVariants_ = {0, kX11LockMask};
    if (numLock != 0 && numLock != kX11LockMask && (numLock & kX11HotKeyModifiers) == 0) {
        lockVariants_.push_back(numLock);
        lockVariants_.push_back(static_cast<uint16_t>(numLock | kX11LockMask));
    }
    for (xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c)); it.rem;
         xcb_screen_next(&it)) {
        roots_.push_back(it.data->root);
        for (uint16_t lock : lockVariants_) {
            const xcb_void_cookie_t cookie =
                xcb_grab_key_checked(c, 1, it.data->root, static_cast<uint16_t>(modifiers_ | lock),
                                     keycode_, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
            // Checked at once: a combination another client holds fails here (BadAccess).
            if (xcb_generic_error_t* error = xcb_request_check(c, cookie)) {
                std::free(error);
                Ungrab();
                return HotKeyFailure::Taken;
            }
        }
    }
    xcb_flush(c);
    return HotKeyFailure::None;
}

void GlobalHotKey::Ungrab() {
    xcb_connection_t* c = X11Connection();
    if (c != nullptr && keycode_ != 0) {
        for (uint32_t root : roots_) {
            for (uint16_t lock : lockVariants_) {
                xcb_ungrab_key(c, keycode_, root, static_cast<uint16_t>(modifiers_ | lock));
            }
        }
        xcb_flush(c);
    }
    roots_.clear();
    keycode_ = 0;
}

void GlobalHotKey::ScheduleRegrab() {
    if (regrabPending_ || !HasShortCut()) {
        return;
    }
    // Mapping changes come in bursts; grab again once they have been taken in.
    regrabPending_ = true;
    QTimer::singleShot(0, this, [this] {
        regrabPending_ = false;
        if (!HasShortCut()) {
            return;
        }
        Ungrab();
        failure_ = Grab();
        active_ = failure_ == HotKeyFailure::None;
    });
}

bool GlobalHotKey::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (message == nullptr || eventType != "xcb_generic_event_t") {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const uint8_t type = event->response_type & 0x7f;
    if (type == XCB_KEY_PRESS) {
        const auto* press = static_cast<const xcb_key_press_event_t*>(message);
        if (active_ && press->detail == keycode_ &&
            (press->state & kX11HotKeyModifiers) == modifiers_) {
            if (recording_) {
                emit Recorded(shortcut_);
            } else {
                emit Activated();
            }
            return true;
        }
    } else if (type == XCB_MAPPING_NOTIFY) {
        const auto* mapping = static_cast<const xcb_mapping_notify_event_t*>(message);
        if (mapping->request != XCB_MAPPING_POINTER) {
            ScheduleRegrab();
        }
    } else if (xkbFirstEvent_ != 0 && type == xkbFirstEvent_) {
        // The second byte of every XKB event tells its kind.
        if (event->pad0 == kXkbNewKeyboardNotify || event->pad0 == kXkbMapNotify) {
            ScheduleRegrab();
        }
    }
    return false;
}

} // namespace pw
