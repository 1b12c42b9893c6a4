#include "items/bitmap_file.h"

#include <cstdint>
#include <cstdlib>

#include "items/atomic_write.h"
#include "util/text_files.h"

namespace pw::items {

namespace {

constexpr int kMaxSide = 1024;

void Put16(std::string& out, uint32_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// Little-endian reads that answer 0 past the end.
struct Reader {
    std::string_view bytes;
    bool Has(size_t offset, size_t count) const {
        return offset <= bytes.size() && count <= bytes.size() - offset;
    }
    uint32_t U8(size_t o) const { return Has(o, 1) ? static_cast<uint8_t>(bytes[o]) : 0; }
    uint32_t U16(size_t o) const { return U8(o) | U8(o + 1) << 8; }
    uint32_t U32(size_t o) const { return U16(o) | U16(o + 2) << 16; }
    int32_t S32(size_t o) const { return static_cast<int32_t>(U32(o)); }
};

int ShiftOf(uint32_t mask) {
    if (mask == 0)
        return 0;
    int s = 0;
    while (!(mask & 1u)) {
        mask >>= 1;
        ++s;
    }
    return s;
}

uint32_t Extract(uint32_t value, uint32_t mask) {
    if (mask == 0)
        return 0;
    uint32_t v = (value & mask) >> ShiftOf(mask);
    uint32_t max = mask >> ShiftOf(mask);
    return max == 255 ? v : (max ? v * 255 / max : 0);
}

// Decodes a DIB (BITMAPINFOHEADER or later) starting at `header`; `pixels` is the offset of the
// pixel rows, or 0 for "right after the colour table". With iconMask the height counts twice and
// an AND mask follows the colour rows.
std::optional<Picture> DecodeDib(const Reader& r, size_t header, size_t pixels, bool iconMask) {
    uint32_t headerSize = r.U32(header);
    if (headerSize < 40 || !r.Has(header, headerSize))
        return std::nullopt;
    int32_t width = r.S32(header + 4);
    int32_t rawHeight = r.S32(header + 8);
    uint32_t bitCount = r.U16(header + 14);
    uint32_t compression = r.U32(header + 16);
    uint32_t colours = r.U32(header + 32);
    bool topDown = rawHeight < 0;
    int64_t height64 = topDown ? -static_cast<int64_t>(rawHeight) : rawHeight;
    if (iconMask)
        height64 /= 2;
    if (width <= 0 || width > kMaxSide || height64 <= 0 || height64 > kMaxSide)
        return std::nullopt;
    int height = static_cast<int>(height64);

    uint32_t maskR = 0x00FF0000, maskG = 0x0000FF00, maskB = 0x000000FF, maskA = 0xFF000000;
    size_t tableAt = header + headerSize;
    if (compression == 3 && bitCount == 32) { // bit fields
        if (headerSize == 40) {
            maskR = r.U32(tableAt);
            maskG = r.U32(tableAt + 4);
            maskB = r.U32(tableAt + 8);
            maskA = 0;
            tableAt += 12;
        } else {
            maskR = r.U32(header + 40);
            maskG = r.U32(header + 44);
            maskB = r.U32(header + 48);
            maskA = r.U32(header + 52);
        }
    } else if (compression != 0) {
        return std::nullopt;
    }
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)
        return std::nullopt;

    uint32_t paletteSize = 0;
    if (bitCount <= 8) {
        paletteSize = colours ? colours : (1u << bitCount);
        if (paletteSize > (1u << bitCount))
            return std::nullopt;
        if (!r.Has(tableAt, static_cast<size_t>(paletteSize) * 4))
            return std::nullopt;
    }
    if (pixels == 0)
        pixels = tableAt + static_cast<size_t>(paletteSize) * 4;

    size_t stride = ((static_cast<size_t>(width) * bitCount + 31) / 32) * 4;
    if (!r.Has(pixels, stride * static_cast<size_t>(height)))
        return std::nullopt;

    Picture pic(width, height);
    bool anyAlpha = false;
    if (bitCount == 32 && compression == 0 && !iconMask) {
        // The common case, the cache files themselves: B, G, R, A bytes.
        const auto* base = reinterpret_cast<const unsigned char*>(r.bytes.data()) + pixels;
        for (int row = 0; row < height; ++row) {
            const unsigned char* p = base + stride * static_cast<size_t>(row);
            Argb* out =
                &pic.Pixels[static_cast<size_t>((topDown ? row : height - 1 - row) * width)];
            for (int x = 0; x < width; ++x, p += 4) {
                anyAlpha = anyAlpha || p[3] != 0;
                out[x] = static_cast<Argb>(p[3]) << 24 | static_cast<Argb>(p[2]) << 16 |
                         static_cast<Argb>(p[1]) << 8 | p[0];
            }
        }
        if (!anyAlpha)
            for (Argb& c : pic.Pixels)
                c |= 0xFF000000u;
        return pic;
    }
    for (int row = 0; row < height; ++row) {
        int y = topDown ? row : height - 1 - row;
        size_t line = pixels + stride * static_cast<size_t>(row);
        for (int x = 0; x < width; ++x) {
            Argb c = 0;
            if (bitCount == 32) {
                uint32_t v = r.U32(line + static_cast<size_t>(x) * 4);
                uint32_t a = maskA ? Extract(v, maskA) : 0;
                anyAlpha = anyAlpha || a != 0;
                c = a << 24 | Extract(v, maskR) << 16 | Extract(v, maskG) << 8 | Extract(v, maskB);
            } else if (bitCount == 24) {
                size_t o = line + static_cast<size_t>(x) * 3;
                c = 0xFF000000u | r.U8(o + 2) << 16 | r.U8(o + 1) << 8 | r.U8(o);
            } else {
                size_t bit = static_cast<size_t>(x) * bitCount;
                uint32_t byte = r.U8(line + bit / 8);
                uint32_t index = (byte >> (8 - bitCount - bit % 8)) & ((1u << bitCount) - 1);
                if (index >= paletteSize)
                    index = 0;
                size_t p = tableAt + static_cast<size_t>(index) * 4;
                c = 0xFF000000u | r.U8(p + 2) << 16 | r.U8(p + 1) << 8 | r.U8(p);
            }
            pic.Set(x, y, c);
        }
    }
    if (bitCount == 32 && !anyAlpha)
        for (Argb& c : pic.Pixels)
            c |= 0xFF000000u;

    if (iconMask && !(bitCount == 32 && anyAlpha)) {
        size_t maskStride = ((static_cast<size_t>(width) + 31) / 32) * 4;
        size_t maskAt = pixels + stride * static_cast<size_t>(height);
        if (r.Has(maskAt, maskStride * static_cast<size_t>(height))) {
            for (int row = 0; row < height; ++row) {
                int y = topDown ? row : height - 1 - row;
                size_t line = maskAt + maskStride * static_cast<size_t>(row);
                for (int x = 0; x < width; ++x) {
                    uint32_t byte = r.U8(line + static_cast<size_t>(x) / 8);
                    if ((byte >> (7 - x % 8)) & 1u)
                        pic.Set(x, y, 0);
                }
            }
        }
    }
    return pic;
}

} // namespace

std::string EncodeBmp(const Picture& picture) {
    const uint32_t w = static_cast<uint32_t>(picture.Width);
    const uint32_t h = static_cast<uint32_t>(picture.Height);
    const uint32_t imageSize = w * h * 4;
    std::string out;
    out.reserve(54 + imageSize);
    out += "BM";
    Put32(out, 54 + imageSize); // file size
    Put32(out, 0);              // reserved
    Put32(out, 54);             // offset of the pixels
    Put32(out, 40);             // BITMAPINFOHEADER
    Put32(out, w);
    Put32(out, h); // positive: rows bottom-up
    Put16(out, 1); // planes
    Put16(out, 32);
    Put32(out, 0); // BI_RGB
    Put32(out, imageSize);
    Put32(out, 2835); // 72 dots per inch
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = picture.Height - 1; y >= 0; --y)
        for (int x = 0; x < picture.Width; ++x) {
            Argb c = picture.At(x, y);
            out += static_cast<char>(c & 0xFF);
            out += static_cast<char>((c >> 8) & 0xFF);
            out += static_cast<char>((c >> 16) & 0xFF);
            out += static_cast<char>((c >> 24) & 0xFF);
        }
    return out;
}

std::optional<Picture> DecodeBmp(std::string_view bytes) {
    Reader r{bytes};
    if (!r.Has(0, 54) || bytes[0] != 'B' || bytes[1] != 'M')
        return std::nullopt;
    uint32_t offset = r.U32(10);
    if (offset < 54)
        return std::nullopt;
    return DecodeDib(r, 14, offset, false);
}

std::optional<Picture> DecodeIco(std::string_view bytes) {
    Reader r{bytes};
    if (!r.Has(0, 6) || r.U16(0) != 0 || r.U16(2) != 1)
        return std::nullopt;
    uint32_t count = r.U16(4);
    int bestScore = -1;
    std::optional<Picture> best;
    for (uint32_t i = 0; i < count; ++i) {
        size_t entry = 6 + static_cast<size_t>(i) * 16;
        if (!r.Has(entry, 16))
            break;
        uint32_t size = r.U32(entry + 8);
        uint32_t offset = r.U32(entry + 12);
        if (!r.Has(offset, size) || size < 40)
            continue;
        if (bytes.substr(offset, 4) == "\x89PNG")
            continue;
        Reader sub{bytes.substr(offset, size)};
        std::optional<Picture> pic = DecodeDib(sub, 0, 0, true);
        if (!pic)
            continue;
        int score = 10000 - std::abs(pic->Width - kIconSize) * 10 -
                    std::abs(pic->Height - kIconSize) * 10 + static_cast<int>(sub.U16(14));
        if (score > bestScore) {
            bestScore = score;
            best = std::move(pic);
        }
    }
    if (best && (best->Width != kIconSize || best->Height != kIconSize))
        best = ScalePicture(*best, kIconSize, kIconSize);
    return best;
}

bool WriteBmpFile(const std::string& path, const Picture& picture) {
    return WriteFileAtomically(path, EncodeBmp(picture));
}

std::optional<Picture> ReadBmpFile(const std::string& path) {
    return DecodeBmp(ReadFileBytes(path));
}

std::optional<Picture> ReadIcoFile(const std::string& path) {
    return DecodeIco(ReadFileBytes(path));
}

} // namespace pw::items
