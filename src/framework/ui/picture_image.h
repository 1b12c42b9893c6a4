#pragma once
// A picture of the item model as a Qt image (32-bit ARGB, alpha kept).

#include <QImage>

#include "items/picture.h"

namespace pw {

// Null when the picture is empty or holds fewer pixels than its size says.
QImage PictureToImage(const items::Picture& picture);

} // namespace pw
