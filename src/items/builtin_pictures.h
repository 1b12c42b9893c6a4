#pragma once
// The pictures every load starts from: the 23 built-in pictures of ilPublicPM (folders,
// separators, top marker, directory link, the built-in menu entries) and the three placeholders
// of ilBreaksPM. Drawn here as simple shapes; the desktop may hand in its own set.

#include <vector>

#include "items/picture.h"

namespace pw::items {

inline constexpr int kBuiltinPictureCount = 23;
inline constexpr int kBreakPictureCount = 3;
inline constexpr int kImagePlaceholder = 22; // also the picture of a type missing from the list

std::vector<Picture> BuiltinMenuPictures();
std::vector<Picture> BreakPictures();

} // namespace pw::items
