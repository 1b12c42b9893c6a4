#pragma once
// The built-in menu pmBasic: the program's own entries that follow the user's items in the popup.

#include "items/menu_model.h"

namespace pw::items {

// Picture indices of the built-in entries in ilPublicPM.
inline constexpr int kImageHelp = 7;
inline constexpr int kImageUpdates = 8;
inline constexpr int kImageManage = 9;
inline constexpr int kImagePreferences = 10;
inline constexpr int kImageWebsite = 11;
inline constexpr int kImageProductFirst = 12; // the six product entries: 12 to 17
inline constexpr int kImageToolsPathwick = 20;
inline constexpr int kImageForums = 21;

// The root item of pmBasic with all its entries (Tag 0, so loaded items go first). The language
// submenu "M_MI_Lingua" is left empty; the language menu fills it.
std::unique_ptr<MenuItem> BuildBasicMenu();

} // namespace pw::items
