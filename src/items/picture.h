#pragma once
// A small ARGB picture (0xAARRGGBB per pixel, rows from the top) and the drawing the image lists
// need: filling, drawing one picture over another, scaling.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pw::items {

using Argb = uint32_t;

inline constexpr int kIconSize = 16;

struct Picture {
    int Width = 0;
    int Height = 0;
    std::vector<Argb> Pixels; // Width * Height, rows from the top

    Picture() = default;
    Picture(int width, int height, Argb fill = 0);

    bool Empty() const { return Width <= 0 || Height <= 0; }
    Argb At(int x, int y) const { return Pixels[static_cast<size_t>(y * Width + x)]; }
    void Set(int x, int y, Argb c) { Pixels[static_cast<size_t>(y * Width + x)] = c; }
    bool operator==(const Picture& other) const = default;
};

// A width by height picture filled with an opaque colour.
Picture FilledPicture(int width, int height, Argb colour);
// Draws src over dst with its top-left corner at (x, y), blending by src's alpha; pixels
// outside dst are cut off.
void DrawPicture(Picture& dst, const Picture& src, int x, int y);
// src scaled to width by height by averaging (premultiplied) the source pixels each target
// pixel covers; a smaller source is enlarged by repetition.
Picture ScalePicture(const Picture& src, int width, int height);
// The picture composed on an opaque background: background filled, src drawn at (0, 0) after
// scaling to 16 by 16 when it has another size.
Picture ComposeIcon(const Picture& src, Argb background);
// A tree picture of the given height: the 16 by 16 menu picture drawn on the tree colour
// inside a 16-pixel band (height - 16) / 2 rows from the top.
Picture TreePicture(const Picture& menuPicture, Argb treeColour, int height);

} // namespace pw::items
