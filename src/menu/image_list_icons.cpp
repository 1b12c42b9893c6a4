#include "menu/image_list_icons.h"

#include <QPixmap>

namespace pw {

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
