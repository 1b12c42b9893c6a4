// The global hot key where no X11 display serves the program (offscreen): registration fails
// cleanly and nothing fires; and the key symbols and modifier masks a grab is made of.
#include <QGuiApplication>
#include <gtest/gtest.h>

#include "platform/global_hot_key.h"
#include "platform/x11_keysym.h"

namespace pw {
namespace {

TEST(GlobalHotKey, RegistrationFailsWithoutAnX11Display) {
    ASSERT_NE(QGuiApplication::platformName(), "xcb");
    GlobalHotKey hotKey;
    int fired = 0;
    QObject::connect(&hotKey, &GlobalHotKey::Activated, [&] { ++fired; });
    EXPECT_FALSE(hotKey.SetShortCut(QKeySequence::fromString("CTRL+L")));
    EXPECT_FALSE(hotKey.IsActive());
    EXPECT_EQ(hotKey.ShortCut(), QKeyCombination(Qt::ControlModifier, Qt::Key_L));

    // A key event of the right shape is not taken while the key is not registered.
    struct {
        uint8_t response_type = 2, detail = 46;
        uint16_t sequence = 0;
        uint32_t time = 0, root = 0, event = 0, child = 0;
        int16_t root_x = 0, root_y = 0, event_x = 0, event_y = 0;
        uint16_t state = 4;
        uint8_t same_screen = 1, pad0 = 0;
    } press;
    EXPECT_FALSE(hotKey.nativeEventFilter("xcb_generic_event_t", &press, nullptr));
    EXPECT_EQ(fired, 0);

    hotKey.Unregister();
    EXPECT_FALSE(hotKey.IsActive());
    EXPECT_EQ(hotKey.ShortCut(), QKeyCombination());
}

TEST(GlobalHotKey, EmptyOrModifierOnlyCombinationsFail) {
    GlobalHotKey hotKey;
    EXPECT_FALSE(hotKey.SetShortCut(QKeySequence()));
    EXPECT_FALSE(hotKey.SetShortCut(QKeyCombination(Qt::ControlModifier, Qt::Key_Control)));
    EXPECT_FALSE(hotKey.IsActive());
}

TEST(X11Keysym, LettersDigitsAndFunctionKeys) {
    EXPECT_EQ(KeysymsForQtKey(Qt::Key_L), (std::vector<uint32_t>{0x6c, 0x4c}));
    EXPECT_EQ(KeysymsForQtKey(Qt::Key_5), (std::vector<uint32_t>{0x35}));
    EXPECT_EQ(KeysymsForQtKey(Qt::Key_F1), (std::vector<uint32_t>{0xffbe}));
    EXPECT_EQ(KeysymsForQtKey(Qt::Key_F12), (std::vector<uint32_t>{0xffc9}));
    EXPECT_EQ(KeysymsForQtKey(Qt::Key_Space), (std::vector<uint32_t>{0x20}));
    EXPECT_EQ(KeysymsForQtKey(Qt::Key_Home), (std::vector<uint32_t>{0xff50}));
    EXPECT_EQ(KeysymsForQtKey(Qt::Key_Adiaeresis), (std::vector<uint32_t>{0xe4, 0xc4}));
    EXPECT_EQ(KeysymsForQtKey(Qt::Key_multiply), (std::vector<uint32_t>{0xd7}));
    EXPECT_TRUE(KeysymsForQtKey(Qt::Key_Control).empty());
    EXPECT_TRUE(KeysymsForQtKey(Qt::Key_unknown).empty());
}

TEST(X11Keysym, ModifierMasks) {
    EXPECT_EQ(X11ModifiersForQt(Qt::ControlModifier), kX11ControlMask);
    EXPECT_EQ(X11ModifiersForQt(Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier),
              kX11ControlMask | kX11AltMask | kX11ShiftMask);
    EXPECT_EQ(X11ModifiersForQt(Qt::MetaModifier), kX11SuperMask);
    // The keypad flag is no modifier of a grab.
    EXPECT_EQ(X11ModifiersForQt(Qt::KeypadModifier), 0);
    const QKeyCombination parsed = QKeySequence::fromString("CTRL+SHIFT+F5")[0];
    EXPECT_EQ(X11ModifiersForQt(parsed.keyboardModifiers()), kX11ControlMask | kX11ShiftMask);
    EXPECT_EQ(KeysymsForQtKey(parsed.key()), (std::vector<uint32_t>{0xffc2}));
}

} // namespace
} // namespace pw
