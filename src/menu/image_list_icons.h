#pragma once
// Qt icons for the pictures of an image list, made once per picture and kept until the list
// changes (a load or an editing command appends or truncates).

#include <QIcon>
#include <QImage>
#include <vector>

#include "framework/ui/picture_image.h"
#include "items/image_list.h"

namespace pw {

class ImageListIcons {
public:
    explicit ImageListIcons(const items::ImageList* list = nullptr) : list_(list) {}
    void SetList(const items::ImageList* list) {
        list_ = list;
        Reset();
    }
    // The icon of the picture at index; a null icon for an index out of range.
    QIcon Icon(int index);
    // Forgets every icon made so far.
    void Reset() { icons_.clear(); }

private:
    const items::ImageList* list_;
    std::vector<QIcon> icons_;
};

} // namespace pw
