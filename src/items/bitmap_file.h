#pragma once
// The icon cache files: Windows bitmaps (BITMAPINFOHEADER, 32 bits per pixel, rows bottom-up)
// written and read here, and Windows icon files (".ico") read. Readers accept any bytes: a file
// they cannot use gives no picture.

#include <optional>
#include <string>
#include <string_view>

#include "items/picture.h"

namespace pw::items {

// The bytes of a 32-bit bitmap file of the picture (alpha kept in the fourth byte).
std::string EncodeBmp(const Picture& picture);
// A bitmap file of 1, 4, 8, 24 or 32 bits per pixel (uncompressed, or 32-bit bit fields), rows
// bottom-up or top-down, at most 1024 by 1024. A 32-bit file whose alpha bytes are all zero is
// read as opaque.
std::optional<Picture> DecodeBmp(std::string_view bytes);
// The entry of an icon file closest to 16 by 16 (bitmap entries; PNG entries are passed over),
// with its AND mask applied, scaled to 16 by 16.
std::optional<Picture> DecodeIco(std::string_view bytes);

// Writes EncodeBmp(picture) atomically; false on failure.
bool WriteBmpFile(const std::string& path, const Picture& picture);
std::optional<Picture> ReadBmpFile(const std::string& path);
std::optional<Picture> ReadIcoFile(const std::string& path);

} // namespace pw::items
