#include "menu/image_list_icons.h"

#include <QPixmap>

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

QIcon ImageListIcons::Icon(int index) {
    if (!list_ || index < 0 || index >= list_->Count())
        return {};
    if (icons_.size() < static_cast<size_t>(list_->Count()))
        icons_.resize(static_cast<size_t>(list_->Count()));
    QIcon& icon = icons_[static_cast<size_t>(index)];
    if (icon.isNull()) {
        const QImage image = PictureToImage(list_->At(index));
        if (!image.isNull())
            icon = QIcon(QPixmap::fromImage(image));
    }
    return icon;
}

} // namespace pw
