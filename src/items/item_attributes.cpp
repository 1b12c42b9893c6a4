#include "items/item_attributes.h"

namespace pw::items {

namespace {
const std::string kEmpty;
}

void ItemAttributes::Clear() {
    paths_.clear();
    kinds_.clear();
    params_.Clear();
    workDirs_.Clear();
    windowStates_.Clear();
    runAs_.Clear();
    loadedIconFiles_.clear();
}

void ItemAttributes::Reserve(int links, int programs) {
    paths_.reserve(static_cast<size_t>(links));
    kinds_.reserve(static_cast<size_t>(links));
    params_.Reserve(programs);
    workDirs_.Reserve(programs);
    runAs_.Reserve(programs);
    windowStates_.Reserve(links);
    loadedIconFiles_.reserve(static_cast<size_t>(links));
}

void ItemAttributes::SetLoadedIconFile(int32_t id, std::string name) {
    if (id < 0)
        return;
    const auto at = static_cast<size_t>(id);
    if (at >= loadedIconFiles_.size())
        loadedIconFiles_.resize(at + 1);
    loadedIconFiles_[at] = std::move(name);
}

const std::string& ItemAttributes::LoadedIconFile(int32_t id) const {
    if (id < 0 || static_cast<size_t>(id) >= loadedIconFiles_.size())
        return kEmpty;
    return loadedIconFiles_[static_cast<size_t>(id)];
}

void ItemAttributes::AppendPath(std::string path, LinkKind kind) {
    paths_.push_back(std::move(path));
    kinds_.push_back(kind);
}

const std::string& ItemAttributes::Path(int32_t id) const {
    if (id < 0 || id >= PathCount())
        return kEmpty;
    return paths_[static_cast<size_t>(id)];
}

void ItemAttributes::SetPath(int32_t id, std::string path) {
    if (id >= 0 && id < PathCount())
        paths_[static_cast<size_t>(id)] = std::move(path);
}

LinkKind ItemAttributes::Kind(int32_t id) const {
    if (id < 0 || id >= PathCount())
        return LinkKind::Unknown;
    return kinds_[static_cast<size_t>(id)];
}

} // namespace pw::items
