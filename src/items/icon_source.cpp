#include "items/icon_source.h"

#include "items/item_rules.h"
#include "util/paths.h"

namespace pw::items {

Argb PlainIconSource::ColourOf(const std::string& lowerExtension) {
    // FNV-1a over the type, folded into a saturated colour.
    uint32_t h = 2166136261u;
    for (unsigned char c : lowerExtension) {
        h ^= c;
        h *= 16777619u;
    }
    uint32_t r = 64 + (h & 0x7F), g = 64 + ((h >> 8) & 0x7F), b = 64 + ((h >> 16) & 0x7F);
    return 0xFF000000u | r << 16 | g << 8 | b;
}

namespace {
Picture FramedSquare(Argb colour) {
    Picture pic(kIconSize, kIconSize, colour);
    const Argb frame = 0xFF303030u;
    for (int i = 0; i < kIconSize; ++i) {
        pic.Set(i, 0, frame);
        pic.Set(i, kIconSize - 1, frame);
        pic.Set(0, i, frame);
        pic.Set(kIconSize - 1, i, frame);
    }
    return pic;
}
} // namespace

std::optional<Picture> PlainIconSource::SmallIcon(const std::string& path) {
    ++questions_;
    return FramedSquare(ColourOf(DirectoryExists(path) ? std::string("/") : LowerExtension(path)));
}

std::optional<Picture> PlainIconSource::NamedIcon(const std::string& name) {
    ++questions_;
    if (name.empty())
        return std::nullopt;
    return FramedSquare(ColourOf("icon:" + name));
}

} // namespace pw::items
