#include "items/image_list.h"

namespace pw::items {

const Picture& ImageList::At(int index) const {
    static const Picture kNone;
    if (index < 0 || index >= Count())
        return kNone;
    return pictures_[static_cast<size_t>(index)];
}

int ImageList::Insert(int index, Picture picture) {
    if (index < 0 || index >= Count()) {
        pictures_.push_back(std::move(picture));
        return Count() - 1;
    }
    pictures_.insert(pictures_.begin() + index, std::move(picture));
    return index;
}

void ImageList::Truncate(int count) {
    if (count >= 0 && count < Count())
        pictures_.resize(static_cast<size_t>(count));
}

} // namespace pw::items
