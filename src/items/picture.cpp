#include "items/picture.h"

#include <algorithm>

namespace pw::items {

Picture::Picture(int width, int height, Argb fill)
    : Width(std::max(width, 0)), Height(std::max(height, 0)),
      Pixels(static_cast<size_t>(Width) * static_cast<size_t>(Height), fill) {}

Picture FilledPicture(int width, int height, Argb colour) {
    return Picture(width, height, colour | 0xFF000000u);
}

namespace {
inline uint32_t Channel(Argb c, int shift) {
    return (c >> shift) & 0xFFu;
}
} // namespace

void DrawPicture(Picture& dst, const Picture& src, int x, int y) {
    for (int sy = 0; sy < src.Height; ++sy) {
        int dy = y + sy;
        if (dy < 0 || dy >= dst.Height)
            continue;
        for (int sx = 0; sx < src.Width; ++sx) {
            int dx = x + sx;
            if (dx < 0 || dx >= dst.Width)
                continue;
            Argb s = src.At(sx, sy);
            uint32_t a = Channel(s, 24);
            if (a == 0)
                continue;
            if (a == 255) {
                dst.Set(dx, dy, s);
                continue;
            }
            Argb d = dst.At(dx, dy);
            uint32_t da = Channel(d, 24);
            uint32_t outA = a + da * (255 - a) / 255;
            Argb out = outA << 24;
            for (int shift = 0; shift <= 16; shift += 8) {
                uint32_t sc = Channel(s, shift), dc = Channel(d, shift);
                uint32_t num = sc * a + dc * da * (255 - a) / 255;
                uint32_t v = outA ? num / outA : 0;
                out |= std::min(v, 255u) << shift;
            }
            dst.Set(dx, dy, out);
        }
    }
}

Picture ScalePicture(const Picture& src, int width, int height) {
    Picture out(width, height);
    if (src.Empty() || out.Empty())
        return out;
    for (int y = 0; y < height; ++y) {
        int y0 = y * src.Height / height;
        int y1 = std::max(y0 + 1, (y + 1) * src.Height / height);
        for (int x = 0; x < width; ++x) {
            int x0 = x * src.Width / width;
            int x1 = std::max(x0 + 1, (x + 1) * src.Width / width);
            uint64_t sa = 0, sr = 0, sg = 0, sb = 0, n = 0;
            for (int yy = y0; yy < y1; ++yy)
                for (int xx = x0; xx < x1; ++xx) {
                    Argb c = src.At(xx, yy);
                    uint32_t a = Channel(c, 24);
                    sa += a;
                    sr += Channel(c, 16) * a;
                    sg += Channel(c, 8) * a;
                    sb += Channel(c, 0) * a;
                    ++n;
                }
            Argb c = 0;
            if (sa > 0)
                c = static_cast<Argb>(sa / n) << 24 | static_cast<Argb>(sr / sa) << 16 |
                    static_cast<Argb>(sg / sa) << 8 | static_cast<Argb>(sb / sa);
            out.Set(x, y, c);
        }
    }
    return out;
}

Picture ComposeIcon(const Picture& src, Argb background) {
    Picture out = FilledPicture(kIconSize, kIconSize, background);
    if (src.Width == kIconSize && src.Height == kIconSize)
        DrawPicture(out, src, 0, 0);
    else if (!src.Empty())
        DrawPicture(out, ScalePicture(src, kIconSize, kIconSize), 0, 0);
    return out;
}

Picture TreePicture(const Picture& menuPicture, Argb treeColour, int height) {
    Picture out = FilledPicture(kIconSize, std::max(height, kIconSize), treeColour);
    DrawPicture(out, ComposeIcon(menuPicture, treeColour), 0, (out.Height - kIconSize) / 2);
    return out;
}

} // namespace pw::items
