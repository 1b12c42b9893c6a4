#pragma once
// An image list: pictures of one size, addressed by index, with a Tag (ilPublicPM.Tag counts the
// pictures extracted during the load). Inserting at an index shifts the pictures above it.
// A picture may be inserted as a loader that runs when the picture is first asked for, so a load
// reads only the cache files something shows.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "items/picture.h"

namespace pw::items {

class ImageList {
public:
    explicit ImageList(int width = kIconSize, int height = kIconSize)
        : width_(width), height_(height) {}

    int32_t Tag = 0;

    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetHeight(int height) { height_ = height; }
    int Count() const { return static_cast<int>(pictures_.size()); }
    // The picture at index; an empty picture for an index out of range.
    const Picture& At(int index) const;
    // Inserts at index (below 0 or past the end: appends); returns the index used.
    int Insert(int index, Picture picture);
    using PictureLoader = std::function<Picture()>;
    // Inserts a picture that load makes when it is first asked for.
    int InsertLazy(int index, PictureLoader load);
    int Append(Picture picture) { return Insert(-1, std::move(picture)); }
    // Removes the pictures from index count on.
    void Truncate(int count);
    void Clear() {
        pictures_.clear();
        loaders_.clear();
    }
    void Reserve(int count) {
        pictures_.reserve(static_cast<size_t>(count));
        loaders_.reserve(static_cast<size_t>(count));
    }

private:
    int width_;
    int height_;
    // Index for index: the picture, and the loader of a picture not made yet.
    mutable std::vector<Picture> pictures_;
    mutable std::vector<PictureLoader> loaders_;
};

} // namespace pw::items
