#include "items/image_list.h"

namespace pw::items {

const Picture& ImageList::At(int index) const {
    static const Picture kNone;
    if (index < 0 || index >= Count())
        return kNone;
    const auto i = static_cast<size_t>(index);
    if (loaders_[i]) {
        PictureLoader load = std::move(loaders_[i]);
        loaders_[i] = nullptr;
        pictures_[i] = load();
    }
    return pictures_[i];
}

int ImageList::Insert(int index, Picture picture) {
    if (index < 0 || index >= Count()) {
        pictures_.push_back(std::move(picture));
        loaders_.emplace_back();
        return Count() - 1;
    }
    pictures_.insert(pictures_.begin() + index, std::move(picture));
    loaders_.insert(loaders_.begin() + index, PictureLoader());
    return index;
}

int ImageList::InsertLazy(int index, PictureLoader load) {
    const int at = Insert(index, Picture());
    loaders_[static_cast<size_t>(at)] = std::move(load);
    return at;
}

void ImageList::Truncate(int count) {
    if (count >= 0 && count < Count()) {
        pictures_.resize(static_cast<size_t>(count));
        loaders_.resize(static_cast<size_t>(count));
    }
}

} // namespace pw::items
