#include "platform/x11_keysym.h"

#include <array>
#include <utility>

namespace pw {

namespace {

// The X11 symbols of Qt's function and editing keys.
constexpr std::array<std::pair<Qt::Key, uint32_t>, 24> kSpecialKeys{{
    {Qt::Key_Escape, 0xff1b},    {Qt::Key_Tab, 0xff09},      {Qt::Key_Backtab, 0xfe20},
    {Qt::Key_Backspace, 0xff08}, {Qt::Key_Return, 0xff0d},   {Qt::Key_Enter, 0xff8d},
    {Qt::Key_Insert, 0xff63},    {Qt::Key_Delete, 0xffff},   {Qt::Key_Pause, 0xff13},
    {Qt::Key_Print, 0xff61},     {Qt::Key_SysReq, 0xff15},   {Qt::Key_Clear, 0xff0b},
    {Qt::Key_Home, 0xff50},      {Qt::Key_End, 0xff57},      {Qt::Key_Left, 0xff51},
    {Qt::Key_Up, 0xff52},        {Qt::Key_Right, 0xff53},    {Qt::Key_Down, 0xff54},
    {Qt::Key_PageUp, 0xff55},    {Qt::Key_PageDown, 0xff56}, {Qt::Key_ScrollLock, 0xff14},
    {Qt::Key_Menu, 0xff67},      {Qt::Key_Help, 0xff6a},     {Qt::Key_Space, 0x0020},
}};

} // namespace

std::vector<uint32_t> KeysymsForQtKey(Qt::Key key) {
    const int code = static_cast<int>(key);
    if (code >= Qt::Key_F1 && code <= Qt::Key_F35) {
        return {static_cast<uint32_t>(0xffbe + (code - Qt::Key_F1))};
    }
    for (const auto& [qtKey, keysym] : kSpecialKeys) {
        if (qtKey == key) {
            return {keysym};
        }
    }
    // Printable Latin-1: the symbol is the character; Qt names letters by their capital.
    if (code > 0x20 && code <= 0xff && code != 0x7f && !(code >= 0x80 && code < 0xa0)) {
        const bool upperLetter =
            (code >= 'A' && code <= 'Z') || (code >= 0xc0 && code <= 0xde && code != 0xd7);
        if (upperLetter) {
            return {static_cast<uint32_t>(code + 0x20), static_cast<uint32_t>(code)};
        }
        return {static_cast<uint32_t>(code)};
    }
    return {};
}

uint16_t X11ModifiersForQt(Qt::KeyboardModifiers modifiers) {
    uint16_t mask = 0;
    if (modifiers & Qt::ShiftModifier) {
        mask |= kX11ShiftMask;
    }
    if (modifiers & Qt::ControlModifier) {
        mask |= kX11ControlMask;
    }
    if (modifiers & Qt::AltModifier) {
        mask |= kX11AltMask;
    }
    if (modifiers & Qt::MetaModifier) {
        mask |= kX11SuperMask;
    }
    return mask;
}

} // namespace pw
