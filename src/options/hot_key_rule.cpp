#include "options/hot_key_rule.h"

namespace pw {

unsigned AdmittedHotKeyModifiers(unsigned modifiers) {
    modifiers &= kHotKeyShift | kHotKeyCtrl | kHotKeyAlt | kHotKeyMeta;
    switch (modifiers) {
    case 0:
    case kHotKeyShift | kHotKeyCtrl:
    case kHotKeyCtrl | kHotKeyAlt:
    case kHotKeyShift | kHotKeyCtrl | kHotKeyAlt:
        return kHotKeyCtrl;
    default:
        return modifiers;
    }
}

} // namespace pw
