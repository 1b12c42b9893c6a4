#include "framework/ui/picture_image.h"

namespace pw {

QImage PictureToImage(const items::Picture& picture) {
    if (picture.Empty() ||
        picture.Pixels.size() < static_cast<size_t>(picture.Width) * size_t(picture.Height))
        return {};
    QImage image(picture.Width, picture.Height, QImage::Format_ARGB32);
    for (int y = 0; y < picture.Height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < picture.Width; ++x)
            line[x] = picture.At(x, y);
    }
    return image;
}

} // namespace pw
