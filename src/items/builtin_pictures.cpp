#include "items/builtin_pictures.h"

namespace pw::items {

namespace {

void FillRect(Picture& p, int x0, int y0, int x1, int y1, Argb c) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (x >= 0 && y >= 0 && x < p.Width && y < p.Height)
                p.Set(x, y, c);
}

Picture Folder(bool open) {
    Picture p(kIconSize, kIconSize);
    FillRect(p, 1, 3, 6, 4, 0xFFC89B2Cu);
    FillRect(p, 1, 5, 14, 13, 0xFFE8B84Au);
    if (open)
        FillRect(p, 3, 8, 15, 13, 0xFFF6D57Eu);
    return p;
}

Picture Line(int y, Argb c) {
    Picture p(kIconSize, kIconSize);
    FillRect(p, 1, y, 14, y, c);
    return p;
}

Picture Glyph(Argb c) {
    Picture p(kIconSize, kIconSize);
    FillRect(p, 2, 2, 13, 13, c);
    FillRect(p, 5, 5, 10, 10, 0xFFFFFFFFu);
    return p;
}

} // namespace

std::vector<Picture> BuiltinMenuPictures() {
    std::vector<Picture> list;
    list.push_back(Folder(false));          // 0 closed folder
    list.push_back(Folder(true));           // 1 open folder
    list.push_back(Line(8, 0xFF808080u));   // 2 normal separator
    Picture heading = Line(8, 0xFF404080u); // 3 special separator
    FillRect(heading, 6, 6, 9, 10, 0xFF404080u);
    list.push_back(heading);
    Picture top(kIconSize, kIconSize); // 4 top marker: an arrow pointing down
    for (int i = 0; i < 6; ++i)
        FillRect(top, 2 + i, 5 + i, 13 - i, 5 + i, 0xFF3C8C3Cu);
    list.push_back(top);
    Picture dir = Folder(false); // 5 directory link
    FillRect(dir, 9, 9, 13, 12, 0xFF2060C0u);
    list.push_back(dir);
    list.push_back(Picture(kIconSize, kIconSize)); // 6 placeholder
    for (int i = 7; i <= 21; ++i) {                // the built-in menu entries
        uint32_t k = static_cast<uint32_t>(i) * 2654435761u;
        list.push_back(Glyph(0xFF000000u | (0x404040u + (k & 0x7F7F7Fu))));
    }
    list.push_back(Picture(kIconSize, kIconSize)); // 22 placeholder
    return list;
}

std::vector<Picture> BreakPictures() {
    return {Picture(kIconSize, kIconSize), Picture(kIconSize, kIconSize),
            Picture(kIconSize, kIconSize)};
}

} // namespace pw::items
